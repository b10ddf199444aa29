#include "run/run_engine.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "hw/controller_link.h"
#include "hw/lf_command.h"

namespace vornlfrf::run {

namespace fs = std::filesystem;

namespace {

constexpr int kLfPeriodMs = 50;
constexpr int kAcquisitionPeriodMs = 80;
constexpr int kReaderPeriodMs = 50;
// Decoding yields to the user interface after this much work, not after every sample.
constexpr std::int64_t kYieldEveryMs = 8;
constexpr std::size_t kBlockBytes = 4096;

std::string configName(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    // The name without its last four characters (".cfg").
    return name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
}

std::string stamp(std::int64_t wallMs) {
    const std::time_t t = static_cast<std::time_t>(wallMs / 1000);
    const std::tm tm = *std::localtime(&t);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d_%H%M%S", &tm);
    return buf;
}

}  // namespace

RunEngine::RunEngine(Host& host, config::ConfigurationDocument& doc, config::ConfigurationSet& cfg,
                     hw::Hardware& hardware, hw::LfPowerLevel& powerLevel, hw::PortProvider& ports,
                     ReaderClock& readerClock, std::function<void(std::function<void()>)> postToUi)
    : power(powerLevel),
      host_(host),
      doc_(doc),
      cfg_(cfg),
      hw_(hardware),
      readerClock_(readerClock),
      postToUi_(std::move(postToUi)),
      reader_(ring_, postToUi_, [this] { linkLost(); }),
      pipeline_(host, cfg.tables),
      testSite_(ports, host),
      block_(kBlockBytes) {
    tmrLF_ = host_.createTimer(kLfPeriodMs, [this] {
        if (bRunning && lfTick) lfTick();
    });
    tmrAcquisitions_ = host_.createTimer(kAcquisitionPeriodMs, [this] { tmrAcquisitionsTimer(); });
}

RunEngine::~RunEngine() {
    readerClock_.stop();
    reader_.StopRxReader();
}

void RunEngine::setButRun(const std::string& caption, bool enabled) {
    butRunCaption = caption;
    butRunEnabled = enabled;
    if (hooks.butRun) hooks.butRun(caption, enabled);
}

void RunEngine::setControllerImage(bool tx, int image) {
    (tx ? imgVornTx : imgVornRx) = image;
    if (hooks.controllerImage) hooks.controllerImage(tx, image);
}

void RunEngine::InitRunWindow() {
    bRunning = false;
    power.iLevelMax = std::clamp(power.iLevelMax, 0, 18);
}

int RunEngine::processSection(config::IniDocument* doc, config::ConfigAction action) {
    static constexpr char kSection[] = "RUN";
    switch (action) {
        case config::ConfigAction::Save:
            doc->writeInteger(kSection, "TabG0", runSection.TabG0);
            doc->writeInteger(kSection, "TabG1", runSection.TabG1);
            doc->writeInteger(kSection, "TabG2", runSection.TabG2);
            doc->writeInteger(kSection, "LevelMax", power.iLevelMax);
            break;
        case config::ConfigAction::Load:
            runSection.TabG0 = doc->readInteger(kSection, "TabG0", 104);
            runSection.TabG1 = doc->readInteger(kSection, "TabG1", 100);
            runSection.TabG2 = doc->readInteger(kSection, "TabG2", 70);
            // A level outside the slider's range would authorise nothing sensible.
            power.iLevelMax = std::clamp(doc->readInteger(kSection, "LevelMax", 6), 0, 18);
            // A level above the new maximum goes back to it, as the slider's refresh does.
            if (power.levelShown > power.iLevelMax)
                power.SetLevelPercent(
                    hw::LfLevels[static_cast<std::size_t>(power.iLevelMax)].percent);
            break;
        case config::ConfigAction::Defaults:
            resultLog().start({});
            if (lfDefaults) lfDefaults();
            break;
    }
    return 0;
}

void RunEngine::butRunClick(bool leftControlOnly) {
    if (leftControlOnly) {
        panInformationsVisible = true;
        return;
    }
    if (bRunning)
        StopRun();
    else
        StartRun();
}

void RunEngine::butRazInformationsClick() {
    reader_.resetCounters();
    acqBlocks_ = acqBlocksMax_ = 0;
}

int RunEngine::stop() {
    StopRun();
    return 1;
}

void RunEngine::CreateResultsFolder() {
    const std::string name = configName(doc_.sConfigPath);
    const fs::path folder =
        fs::path(doc_.programFile("")) / (stamp(host_.wallClockMs()) + "_" + name);
    resultsFolder = folder.string();
    if (hooks.resultsFolder) hooks.resultsFolder(resultsFolder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    doc_.ProcessConfiguration(doc_.sConfigPath, config::ConfigAction::Save);
    const fs::path copy = folder / fs::path(doc_.sConfigPath).filename();
    if (fs::exists(copy, ec))
        fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::copy_file(doc_.sConfigPath, copy, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::permissions(copy,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove, ec);
    sResultsBase = (folder / name).string();
}

int RunEngine::StartRun() {
    // 1-4
    if (doc_.bNoConfiguration) {
        host_.messageBox(text::kNoConfiguration, "Information", MsgIcon::Information,
                         MsgButtons::Ok);
        return 1;
    }
    pipeline_.stop();
    setButRun(text::kInit, false);
    bRunning = true;

    // 5
    cboManualFrames = cfg_.lfFrameNames();
    cboManualFramesIndex = -1;
    for (std::size_t i = 0; i < cboManualFrames.size(); ++i) {
        if (cboManualFrames[i] == rememberedManualFrame) {
            cboManualFramesIndex = static_cast<int>(i);
            break;
        }
    }

    // 6-7
    doc_.log().ClearLog();
    resultLog().start({});
    if (!doc_.AnalyseConfiguration()) return stop();

    // 9-10
    const config::RunConf& rc = cfg_.run;
    bNoFiles = rc.chkNoFiles;
    sResultsBase.clear();
    if (!bNoFiles) CreateResultsFolder();

    // 11-12
    if (hooks.mainMenusForRun) hooks.mainMenusForRun(true);
    lblChannel = {"?", "?", "?", "?"};

    // 13-14
    bool controllersOk = true;
    if (hw_.chkTx) {
        const bool ok = hw_.CheckTxController();
        setControllerImage(true, ok ? kImageGood : kImageError);
        controllersOk = controllersOk && ok;
    }
    if (hw_.chkRx) {
        const bool ok = hw_.CheckRxController();
        setControllerImage(false, ok ? kImageGood : kImageError);
        controllersOk = controllersOk && ok;
    }
    if (!controllersOk || !bRunning) return stop();

    // 15-16
    iRunMode = rc.RunMode();
    hw_.GetReceiversList(iRunMode == 4, forcedReceiverTypes);
    for (int c = 0; c < 4; ++c) lblChannel[static_cast<std::size_t>(c)] = hw_.channelLabel(c);
    std::array<ReceiverSlot, 4> slots;
    for (std::size_t i = 0; i < 4; ++i) {
        slots[i].used = rc.chk[i];
        slots[i].type = rc.cbo[i];
        slots[i].modulation = rc.butAskFsk[i];
        slots[i].descriptions = rc.lstFrames[i];
    }
    std::vector<std::string> names;
    for (int d = 0; d < cfg_.rxDescriptions.count; ++d)
        names.push_back(cfg_.rxDescriptions.records[static_cast<std::size_t>(d)].Name);
    if (!AttributeDescriptions(slots, lblChannel, names, doc_.log(), attribution_)) {
        if (hooks.ShowLog) hooks.ShowLog();
        return stop();
    }
    if (hooks.channelsChanged) hooks.channelsChanged();

    // 17-18: the initial level command, then time for the TX controller to settle.
    pipeline_.setup(attribution_, cfg_.rxDescriptions, cfg_.rf.txtPWM0, cfg_.rf.txtPWM1,
                    cfg_.runDerived.lseOffset);
    {
        hw::ControllerLink tx(host_, hw_.txPort);
        tx.WriteByte(0x11);
        tx.WriteByte(0x01);
        tx.ReadByteWait();
    }
    host_.processEvents();
    host_.sleepProcessing(1500);
    if (!bRunning) return 1;

    // 19
    prepareMode();
    if (!bRunning) return 1;

    // 20
    if (hw_.chkRx) {
        std::string failure;
        if (!ConfigureReceiver(failure)) {
            doc_.log().LogLine(failure);
            if (hooks.ShowLog) hooks.ShowLog();
            return stop();
        }
    }

    // 21-24
    const EvaluationSettings es =
        EvaluationSettingsFromRunConf(rc, lblChannel, hw_.lseReceiver, hw_.lseKind);
    bTriggerInput = hw_.chkRxPin2Used;
    iTriggerMask =
        static_cast<std::uint8_t>(14 - (hw_.chkTriggerChan1 ? 2 : 0) -
                                  (hw_.chkTriggerChan2 ? 4 : 0) - (hw_.chkTriggerChan3 ? 8 : 0));
    for (ChannelEntry& ch : attribution_.channels) ch.activity = 0;

    ResultLogSettings ls;
    ls.sResultsBase = sResultsBase;
    ls.bNoFiles = bNoFiles;
    ls.iRunMode = iRunMode;
    ls.fullListLength = static_cast<std::size_t>(std::max(1, std::atoi(rc.cboNFull.c_str())));
    ls.idListLength = static_cast<std::size_t>(std::max(1, std::atoi(rc.cboNDatas.c_str())));
    ls.rowLimit = cfg_.runDerived.xmlRowLimit > 0 ? cfg_.runDerived.xmlRowLimit : ls.rowLimit;

    AcquisitionOptions ao;
    ao.acqFilter = hw_.chkAcqFilter;
    ao.triggerInput = bTriggerInput;
    ao.triggerMask = iTriggerMask;
    ao.uncompleted = rc.chkUncompleted;
    ao.lse = hw_.lseReceiver;
    ao.lseKind = hw_.lseKind;
    ao.lseOffsetSamples = cfg_.runDerived.lseOffset;

    // 25
    pipeline_.start(es, ls, ao);
    tmrAcquisitions_->setEnabled(true);
    reader_.StartRxReader(hw_.rxPort.get(), hw_.chkRx);
    readerClock_.start(kReaderPeriodMs, [this] { reader_.RxReaderTick(); });
    butRazInformationsClick();
    power.iLevelLF = power.levelShown;

    // 26
    setButRun(text::kStop, true);
    if (hooks.SetRunningLook) hooks.SetRunningLook();
    return 0;
}

void RunEngine::prepareMode() {
    iStateLF = 0;
    iCycle = 1;
    iTestCycle = 1;
    iPhase = 0;
    iSentFrames = 0;
    bSendRequest = false;
    dtRunStart = host_.wallClockMs();
    const config::RunConf& rc = cfg_.run;
    const std::vector<std::string> lfNames = cfg_.lfFrameNames();
    switch (iRunMode) {
        case 4:  // EMC
            if (!config::BuildEmcPhaseTable(rc, lfNames, doc_.log(), emcPhases)) {
                if (hooks.ShowLog) hooks.ShowLog();
                stop();
                return;
            }
            if (rc.rdbEMCCom &&
                !testSite_.OpenTestSitePort(
                    std::atoi(config::runconf::BaudRateItems()[static_cast<std::size_t>(std::clamp(
                                                                   rc.cboEMCBaudrate, 0, 4))]
                                  .c_str()),
                    std::atoi(rc.txtEMCPort.c_str()))) {
                host_.messageBox(text::kTestSitePort, "Error", MsgIcon::Error, MsgButtons::Ok);
                stop();
                return;
            }
            sResultsTxt = sResultsBase + "_Results.txt";
            break;
        case 5:  // TSTLF
            if (!config::BuildTstlfSettings(rc, lfNames, doc_.log(), tstlf)) {
                if (hooks.ShowLog) hooks.ShowLog();
                stop();
                return;
            }
            if (rc.rdbTSTLFCom &&
                !testSite_.OpenTestSitePort(
                    std::atoi(config::runconf::BaudRateItems()[static_cast<std::size_t>(std::clamp(
                                                                   rc.cboTSTLFBaudrate, 0, 4))]
                                  .c_str()),
                    std::atoi(rc.txtTSTLFPort.c_str()))) {
                host_.messageBox(text::kTestSitePort, "Error", MsgIcon::Error, MsgButtons::Ok);
                stop();
                return;
            }
            sResultsTxt = sResultsBase + "_Results.txt";
            break;
        default:
            break;
    }
    if (iRunMode >= 0 && lfStart) lfStart();
    if (iRunMode >= 0) tmrLF_->setEnabled(true);
    if (hooks.modeStarted) hooks.modeStarted();
}

bool RunEngine::ConfigureReceiver(std::string& failure) {
    hw::ControllerLink rx(host_, hw_.rxPort);
    rx.WriteRegister(0x87, 0xFF);
    rx.WriteRegister(0x07, antennaOutputs(attribution_));
    rx.WriteRegister(0x87, antennaDirection(attribution_));
    switch (rx.StartStreaming()) {
        case hw::StreamStart::Started:
            return true;
        case hw::StreamStart::NotAcknowledged:
            failure = "Vorn command 0x04 not recognized";
            return false;
        case hw::StreamStart::BaudRateFailed:
            failure = "Error to change the baudrate on this port";
            return false;
    }
    return false;
}

void RunEngine::StopRun() {
    // 1-2
    setButRun(text::kStart, true);
    bRunning = false;
    if (hooks.mainMenusForRun) hooks.mainMenusForRun(false);
    reloadLastTag = 0;

    // 3
    readerClock_.stop();
    reader_.StopRxReader();
    tmrAcquisitions_->setEnabled(false);
    tmrLF_->setEnabled(false);
    host_.sleepProcessing(100);
    hw_.ClosePort(hw_.rxPort);
    hw_.ClosePort(hw_.txPort);

    // 4-6
    if (imgVornTx == kImageGood) setControllerImage(true, kImageIdle);
    if (imgVornRx == kImageGood) setControllerImage(false, kImageIdle);
    if (hooks.SetIdleLook) hooks.SetIdleLook();
    power.confirmVisible = power.stopVisible = false;
    if (lfStop) lfStop();
    if (iRunMode == 4 && cfg_.run.rdbEMCCom) testSite_.CloseTestSitePort();
    if (iRunMode == 5 && cfg_.run.rdbTSTLFCom) testSite_.CloseTestSitePort();
    if (iRunMode == 0 && cboManualFramesIndex >= 0 &&
        cboManualFramesIndex < static_cast<int>(cboManualFrames.size()))
        rememberedManualFrame = cboManualFrames[static_cast<std::size_t>(cboManualFramesIndex)];
}

void RunEngine::linkLost() {
    if (!bRunning) return;
    if (hooks.message)
        hooks.message(brokenDialogMessage(host_.wallClockMs()));
    else
        host_.messageBox(brokenDialogMessage(host_.wallClockMs()), "Error", MsgIcon::Error,
                         MsgButtons::Ok);
    StopRun();
}

void RunEngine::tmrAcquisitionsTimer() {
    if (!bRunning) return;
    if (reloadLastTag == 1) {
        replayLastAcquisitions();
        return;
    }
    std::size_t total = 0;
    std::int64_t lastYield = host_.nowMs();
    for (;;) {
        const std::size_t n = ring_.readBlock(block_.data(), block_.size());
        if (n == 0) break;
        acquisition().feedBytes(block_.data(), n);
        total += n;
        if (host_.nowMs() - lastYield >= kYieldEveryMs) {
            host_.processEvents();
            lastYield = host_.nowMs();
            if (!bRunning) return;
        }
    }
    acqBlocks_ = static_cast<int>(total / 1024);
    acqBlocksMax_ = std::max(acqBlocksMax_, acqBlocks_);
}

void RunEngine::requestReplay(const std::string& path) {
    sLastAcqPath = path;
    reloadLastTag = 1;
}

void RunEngine::replayLastAcquisitions() {
    std::ifstream in(sLastAcqPath, std::ios::binary);
    acquisition().start();
    if (in) {
        char pair[2];
        std::int64_t lastYield = host_.nowMs();
        std::size_t count = 0;
        while (in.read(pair, 2)) {
            acquisition().feedNibble(static_cast<std::uint8_t>(pair[1]) & 0x0F);
            if ((++count & 0xFFF) == 0 && host_.nowMs() - lastYield >= kYieldEveryMs) {
                host_.processEvents();
                lastYield = host_.nowMs();
                if (!bRunning) return;
            }
        }
    }
    reloadLastTag = 2;
}

bool RunEngine::saveLastAcquisitions(const std::string& path) const {
    return SaveLastAcquisitions(ring_, path);
}

}  // namespace vornlfrf::run
