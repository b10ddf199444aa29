#pragma once
// A run: both controllers opened and checked, the receiver types read, the RF descriptions
// attributed to the channels, the receiver programmed and streaming, then the stream drained,
// decoded, evaluated and logged until the run stops. The LF sequencers plug into tmrLF.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/host.h"
#include "config/configuration_document.h"
#include "config/configuration_set.h"
#include "config/emc_conf.h"
#include "config/emc_test_site.h"
#include "hw/hardware.h"
#include "hw/lf_emission.h"
#include "run/acquisition.h"
#include "run/attribution.h"
#include "run/decoding_pipeline.h"
#include "run/frame_evaluation.h"
#include "run/reader_clock.h"
#include "run/result_log.h"
#include "run/rx_reader.h"
#include "run/rx_ring.h"

namespace vornlfrf::run {

namespace text {
inline constexpr char kNoConfiguration[] = "You must load a configuration or create one new";
inline constexpr char kStart[] = "START";
inline constexpr char kStop[] = "STOP";
inline constexpr char kInit[] = "INIT..";
inline constexpr char kTestSitePort[] = "COM port can not be opened.";
}  // namespace text

// Images of the controller indicators imgVornTx / imgVornRx.
enum ControllerImage { kImageIdle = 2, kImageGood = 3, kImageError = 4 };

// What the run window shows; every hook is optional.
struct RunHooks {
    std::function<void(const std::string& caption, bool enabled)> butRun;
    // Step 11 of the start (running true) and step 2 of the stop: menu entries of the main window.
    std::function<void(bool running)> mainMenusForRun;
    std::function<void()> ShowLog;
    std::function<void()> SetRunningLook;
    std::function<void()> SetIdleLook;
    std::function<void(bool tx, int image)> controllerImage;
    std::function<void()> channelsChanged;  // lblChannel1..4, attribution images
    std::function<void(const std::string& folder)> resultsFolder;  // lblDirectory
    std::function<void()> modeStarted;                     // panels of the mode, elapsed labels
    std::function<void(const std::string& text)> message;  // link-loss message box
};

// Run-window settings stored in the RUN section.
struct RunSectionValues {
    int TabG0 = 104, TabG1 = 100, TabG2 = 70;
};

class RunEngine : public config::SectionHandler {
  public:
    // postToUi runs a function on the user-interface thread (the reader thread's link loss).
    RunEngine(Host& host, config::ConfigurationDocument& doc, config::ConfigurationSet& cfg,
              hw::Hardware& hardware, hw::LfPowerLevel& power, hw::PortProvider& ports,
              ReaderClock& readerClock, std::function<void(std::function<void()>)> postToUi);
    ~RunEngine() override;

    RunHooks hooks;
    // The LF sequencer of the running mode: set up once the mode's run state is reset, one call
    // per tmrLF tick (50 ms), and told when the run stops; lfDefaults resets its panel boxes for
    // a new configuration.
    std::function<void()> lfStart;
    std::function<void()> lfTick;
    std::function<void()> lfStop;
    std::function<void()> lfDefaults;
    // "+REC" receiver types and "+EV3"; from the command line.
    std::string forcedReceiverTypes;

    // --- operations ---
    int StartRun();  // 0 running, 1 not started
    void StopRun();
    void butRunClick(bool leftControlOnly = false);
    void InitRunWindow();
    int processSection(config::IniDocument* doc, config::ConfigAction action) override;
    void CreateResultsFolder();
    void tmrAcquisitionsTimer();
    bool ConfigureReceiver(std::string& failure);
    // "Save last acquisitions".
    bool saveLastAcquisitions(const std::string& path) const;
    // "Reload last acquisitions": the next acquisition tick replays path.
    void requestReplay(const std::string& path);

    // --- run state ---
    bool bRunning = false;
    int iRunMode = -1;
    int iStateLF = 0;
    int iCycle = 1;
    int iTestCycle = 1;
    int iPhase = 0;
    int iSentFrames = 0;
    bool bSendRequest = false;
    bool bFrameSent = false;
    bool bNoFiles = false;
    bool bTriggerInput = false;
    std::uint8_t iTriggerMask = 14;
    std::int64_t dtRunStart = 0;  // host wall clock, ms
    std::string sResultsBase;
    std::string sResultsTxt;
    std::string resultsFolder;
    std::string rememberedManualFrame;
    std::vector<std::string> cboManualFrames;
    int cboManualFramesIndex = -1;
    std::array<std::string, 4> lblChannel{{"?", "?", "?", "?"}};
    int imgVornTx = kImageIdle, imgVornRx = kImageIdle;
    std::string butRunCaption = text::kStart;
    bool butRunEnabled = true;
    bool panInformationsVisible = false;
    // 0 none, 1 replay requested, 2 replayed (mnuReloadLast's tag).
    int reloadLastTag = 0;
    std::string sLastAcqPath;

    RunSectionValues runSection;
    // The LF power level of the run window (slider and warning windows).
    hw::LfPowerLevel& power;
    config::EmcPhaseTable emcPhases;
    config::TstlfSettings tstlf;

    // --- parts of a run ---
    const Attribution& attribution() const { return attribution_; }
    const std::vector<config::TRXREC>& working() const { return pipeline_.working(); }
    Acquisition& acquisition() { return pipeline_.acquisition(); }
    ResultLog& resultLog() { return pipeline_.resultLog(); }
    FrameEvaluator& evaluator() { return pipeline_.evaluator(); }
    RxRing& rxRing() { return ring_; }
    RxReader& reader() { return reader_; }
    config::TestSitePort& testSite() { return testSite_; }
    HostTimer& tmrLF() { return *tmrLF_; }
    HostTimer& tmrAcquisitions() { return *tmrAcquisitions_; }
    // Bytes decoded by the last acquisition tick / 1024, and the maximum since the last reset.
    int acquisitionBlocks() const { return acqBlocks_; }
    int acquisitionBlocksMax() const { return acqBlocksMax_; }
    void butRazInformationsClick();

  private:
    int stop();  // StopRun, then "not started"
    void prepareMode();
    void replayLastAcquisitions();
    void linkLost();
    void setButRun(const std::string& caption, bool enabled);
    void setControllerImage(bool tx, int image);

    Host& host_;
    config::ConfigurationDocument& doc_;
    config::ConfigurationSet& cfg_;
    hw::Hardware& hw_;
    ReaderClock& readerClock_;
    std::function<void(std::function<void()>)> postToUi_;

    RxRing ring_;
    RxReader reader_;
    DecodingPipeline pipeline_;
    Attribution attribution_;
    config::TestSitePort testSite_;
    std::vector<std::uint8_t> block_;
    int acqBlocks_ = 0, acqBlocksMax_ = 0;
    std::unique_ptr<HostTimer> tmrLF_;
    std::unique_ptr<HostTimer> tmrAcquisitions_;
};

}  // namespace vornlfrf::run
