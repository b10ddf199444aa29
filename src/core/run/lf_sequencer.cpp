#include "run/lf_sequencer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "config/lf_script.h"
#include "hw/controller_link.h"
#include "hw/lf_command.h"
#include "run/result_log_row.h"

namespace vornlfrf::run {

namespace {

constexpr std::size_t kPendingReadBytes = 1024;
// What a text that is no number stands for in the Manual panel's boxes.
constexpr int kFallbackCount = 1;
constexpr int kFallbackInterframe = 10;
constexpr int kFallbackDurationMs = 1000;

bool parseInt(const std::string& text, long long& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    if (b == e) return false;
    const std::string t = text.substr(b, e - b);
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(t.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool parseInt(const std::string& text, int& value, int lo, int hi) {
    long long v = 0;
    if (!parseInt(text, v)) return false;
    value = static_cast<int>(std::clamp<long long>(v, lo, hi));
    return true;
}

int mod256(long long v) {
    return static_cast<int>(((v % 256) + 256) % 256);
}

bool startsWithY(const std::string& s) {
    return !s.empty() && s[0] == 'Y';
}

std::string replaced(std::string s, char from, char to) {
    std::replace(s.begin(), s.end(), from, to);
    return s;
}

}  // namespace

std::string ElapsedText(std::int64_t ms) {
    if (ms < 0) ms = 0;
    const long long s = ms / 1000;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02lldh %02lldmn %02lldsec", s / 3600, (s / 60) % 60, s % 60);
    return buf;
}

LfSequencer::LfSequencer(Host& host, RunEngine& engine, config::ConfigurationSet& cfg,
                         hw::Hardware& hardware)
    : host_(host),
      engine_(engine),
      cfg_(cfg),
      hw_(hardware),
      emitter_(host, hardware, engine.power) {
    emitter_.isRunning = [this] { return engine_.bRunning; };
    emitter_.stateLF = [this] { return engine_.iStateLF; };
    emitter_.setTxImage = [this](hw::TxImage image) {
        engine_.imgVornTx = static_cast<int>(image);
        if (engine_.hooks.controllerImage) engine_.hooks.controllerImage(true, engine_.imgVornTx);
    };
    emitter_.trace = [this](const std::string& line) {
        if (trace) trace(line);
    };
    emitter_.hideSendStop = [this] {
        butSendStopVisible = false;
        changed();
    };
}

void LfSequencer::changed() {
    listeners.notify();
}

void LfSequencer::setSendEnabled(bool enabled) {
    hw::LfPowerLevel& power = engine_.power;
    if (power.butSendEnabled == enabled) return;
    power.butSendEnabled = enabled;
    if (power.onChanged) power.onChanged();
    power.listeners.notify();
}

void LfSequencer::show(const std::string& text) {
    host_.messageBox(text, "Information", MsgIcon::Information, MsgButtons::Ok);
}

config::TLFEMI* LfSequencer::frame(int index) {
    config::LfFrameTable& table = cfg_.lf.table();
    if (index < 0 || index >= table.count) return nullptr;
    return &table.frames[static_cast<std::size_t>(index)];
}

int LfSequencer::frameIndex(const std::string& name) const {
    const config::LfFrameTable& table = cfg_.lf.table();
    for (int i = 0; i < table.count; ++i)
        if (table.frames[static_cast<std::size_t>(i)].Name == name) return i;
    return -1;
}

int LfSequencer::manualFrameIndex() const {
    const int i = engine_.cboManualFramesIndex;
    if (i < 0 || i >= static_cast<int>(engine_.cboManualFrames.size())) return -1;
    const std::string& name = engine_.cboManualFrames[static_cast<std::size_t>(i)];
    const config::LfFrameTable& table = cfg_.lf.table();
    // The list and the table share their order; the name decides when they do not.
    if (i < table.count && table.frames[static_cast<std::size_t>(i)].Name == name) return i;
    return frameIndex(name);
}

std::string LfSequencer::variable(const std::string& name) const {
    for (const ScriptVariable& v : scriptVars)
        if (v.name == name) return v.value;
    return {};
}

// --- run lifecycle ---

void LfSequencer::runStarted() {
    runStart_ = dtNow = dtStepStart = host_.nowMs();
    imgLF = kLfIdle;
    butSendStopVisible = false;
    carrierRunning_ = stopSent_ = false;
    switch (engine_.iRunMode) {
        case 0:
            setSendEnabled(true);
            cboManualFramesEnabled = true;
            cboManualFramesChange();
            break;
        case 1:
            lblSCRIPTElapsed.clear();
            lblSCRIPTCommande.clear();
            butReExecStopCaption = lftext::kStop;
            butReExecStopHint = lftext::kStopHint;
            butReExecStopEnabled = true;
            engine_.resultLog().sIdStart.clear();
            engine_.resultLog().bIdReceived = false;
            break;
        case 2:
            lblBRODCycle = "0";
            lblBRODElapsed = lftext::kElapsedZero;
            lblBRODSentFrames = "0";
            break;
        case 3:
            iIdIndex = 0;
            lblINDCycle = "0";
            lblINDElapsed = lftext::kElapsedZero;
            lblINDSentFrames = "0";
            lblCurrentID.clear();
            break;
        default:
            break;
    }
    changed();
}

void LfSequencer::runStopped() {
    imgLF = kLfIdle;
    butSendStopVisible = false;
    panViewScriptVisible = false;
    if (engine_.iRunMode == 1) butReExecStopEnabled = false;
    if (engine_.iRunMode == 0) {
        setSendEnabled(false);
        cboManualFramesEnabled = false;
    }
    changed();
}

void LfSequencer::RunSectionDefaults() {
    cboNFrame = lftext::kCont;
    cboInterFrame = "10";
    txtDuration = "1000";
    changed();
}

void LfSequencer::tmrLFTimer() {
    // Nothing is emitted while the operator answers a power-level warning.
    if (engine_.power.warningShown()) return;
    switch (engine_.iRunMode) {
        case 0:
            manualTick();
            break;
        case 1:
            scriptTick();
            break;
        case 2:
            cyclicTick(false);
            break;
        case 3:
            cyclicTick(true);
            break;
        case 4:
            if (emcTick) emcTick();
            break;
        case 5:
            if (tstlfTick) tstlfTick();
            break;
        default:
            break;
    }
    changed();
}

// --- Manual ---

void LfSequencer::manualTick() {
    switch (engine_.iStateLF) {
        case 0:
            engine_.bSendRequest = false;
            engine_.iStateLF = 1;
            break;
        case 1:
            if (engine_.bSendRequest) {
                engine_.bSendRequest = false;
                // Set first: a STOPF pressed while the frame command waits for its reply must
                // find the emission running. Without an emission the sequencer stays ready, so
                // Send keeps working after a refused parameter.
                engine_.iStateLF = 2;
                if (!ManualSend() && engine_.iStateLF == 2) engine_.iStateLF = 1;
            }
            break;
        case 2:
            if (!hw_.chkTx) {
                manualEmissionEnded(false);
            } else if (readTxUntilEnd()) {
                manualEmissionEnded(true);
            }
            break;
        default:
            break;
    }
}

void LfSequencer::manualEmissionEnded(bool fromTx) {
    engine_.iStateLF = 1;
    engine_.bFrameSent = true;
    setSendEnabled(true);
    imgLF = kLfIdle;
    butSendStopVisible = false;
    if (fromTx && trace) trace(lftext::kFrameStopped);
}

void LfSequencer::butSendClick() {
    if (manualFrameIndex() >= 0) engine_.bSendRequest = true;
}

void LfSequencer::butSendStopClick() {
    emitter_.StopContinuous();
    changed();
}

bool LfSequencer::ManualSend() {
    engine_.bFrameSent = false;
    engine_.bSendRequest = false;
    config::TLFEMI* f = frame(manualFrameIndex());
    if (!f) return false;
    setSendEnabled(false);
    changed();

    if (!f->IsData) {
        int duration = kFallbackDurationMs;
        if (!parseInt(txtDuration, duration, 0, kMaxCwDurationMs)) duration = kFallbackDurationMs;
        txtDuration = std::to_string(duration);
        if (hw_.chkTx) emitter_.SendCW(static_cast<std::uint32_t>(duration));
        imgLF = kLfEmitting;
        changed();
        return true;
    }

    int count = kFallbackCount;
    if (cboNFrame == lftext::kCont)
        count = 0;
    else if (!parseInt(cboNFrame, count, 0, 255))
        count = kFallbackCount;
    if (count == 0) {
        cboNFrame = lftext::kCont;
        butSendStopVisible = true;
    } else {
        cboNFrame = std::to_string(count);
    }
    int interframe = kFallbackInterframe;
    if (!parseInt(cboInterFrame, interframe, 0, 255)) interframe = kFallbackInterframe;
    cboInterFrame = std::to_string(interframe);

    const auto message = [this](const std::string& t) { show(t); };
    std::string command;
    Status built;
    if (hw::SubstituteFrameParams(*f, txtParam[0], txtParam[1], txtParam[2], message) != 0 ||
        f->EmittedContent.empty() || !(built = hw::BuildFrameCommand(*f, command))) {
        if (!built) show(built.message);
        setSendEnabled(true);
        butSendStopVisible = false;
        changed();
        return false;
    }
    f->ControllerMessage = command;
    imgLF = kLfEmitting;
    changed();
    if (hw_.chkTx)
        emitter_.SendLFFrame(*f, count, interframe);
    else
        host_.sleepProcessing(50);
    // The table may have been recompiled while the command waited for its reply.
    if (config::TLFEMI* again = frame(manualFrameIndex())) again->LastParamValues = txtParam;
    return true;
}

int LfSequencer::SelectManualFrame(const std::string& name, int count, int interframe,
                                   int duration) {
    const auto& names = engine_.cboManualFrames;
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) return 1;
    engine_.cboManualFramesIndex = static_cast<int>(it - names.begin());
    cboInterFrame = std::to_string(mod256(interframe));
    cboNFrame = std::to_string(mod256(count));
    if (duration != 0) txtDuration = std::to_string(duration);
    cboManualFramesChange();
    return 0;
}

void LfSequencer::cboManualFramesChange() {
    const config::TLFEMI* f = frame(manualFrameIndex());
    if (!f) {
        paramVisible = {};
        changed();
        return;
    }
    frameCountVisible = f->IsData != 0;
    durationVisible = !frameCountVisible;
    for (std::size_t i = 0; i < 3; ++i) {
        paramVisible[i] = f->ParamCount > static_cast<int>(i);
        lblParam[i] = paramVisible[i] ? f->ParamNames[i] + ":" : std::string();
        txtParam[i] = f->LastParamValues[i];
    }
    changed();
}

// --- Script ---

void LfSequencer::butReExecStopClick() {
    if (butReExecStopCaption == lftext::kStop) {
        butReExecStopEnabled = false;
        lblSCRIPTCommande = lftext::kStopShown;
        stopSent_ = false;
        engine_.iStateLF = 5;
    } else {
        butReExecStopCaption = lftext::kStop;
        butReExecStopHint = lftext::kStopHint;
        engine_.iStateLF = 0;
    }
    changed();
}

void LfSequencer::butViewScriptClick() {
    lstScriptView.clear();
    int n = 1;
    for (std::string line : cfg_.lf.script().lines()) {
        const std::size_t semi = line.find(';');
        if (semi != std::string::npos) line[semi] = ' ';
        lstScriptView.push_back("[" + std::to_string(n++) + "] " + line);
    }
    panViewScriptVisible = true;
    changed();
}

void LfSequencer::butScriptViewCloseClick() {
    panViewScriptVisible = false;
    changed();
}

void LfSequencer::scriptTick() {
    dtNow = host_.nowMs();
    lblSCRIPTElapsed = ElapsedText(dtNow - runStart_);
    switch (engine_.iStateLF) {
        case 0:
            // The script as it is now: Re-Exec takes the operator's latest edits.
            script_ = cfg_.lf.script().lines();
            iScriptLine = 0;
            iScriptLines = static_cast<int>(script_.size());
            butReExecStopCaption = lftext::kStop;
            butReExecStopHint = lftext::kStopHint;
            engine_.iStateLF = 1;
            executeLine();
            break;
        case 1:
            executeLine();
            break;
        case 2:
            if (host_.nowMs() - dtStepStart >= iScriptWait) nextLine();
            break;
        case 3:
            scriptEmissionTick();
            break;
        case 5:
            scriptStopTick();
            break;
        case 6:
            if (engine_.acquisition().iInputLevel() == iWaitInLevel) nextLine();
            break;
        case 7:
            idStopTick();
            break;
        default:  // 4: finished
            break;
    }
    if (iScriptLine >= iScriptLines && engine_.iStateLF != 4 && engine_.iStateLF != 5) {
        butReExecStopCaption = lftext::kReExec;
        butReExecStopHint = lftext::kReExecHint;
        // A stop pressed while the last line waited leaves the button usable too.
        butReExecStopEnabled = true;
        lblSCRIPTCommande = lftext::kEnd;
        engine_.iStateLF = 4;
    }
}

void LfSequencer::nextLine() {
    engine_.iStateLF = 1;
    ++iScriptLine;
}

void LfSequencer::scriptError(const std::string& what) {
    show(lftext::kScriptLineError + std::to_string(iScriptLine + 1) + what);
    iScriptLine = iScriptLines;
}

void LfSequencer::executeLine() {
    if (iScriptLine < 0 || iScriptLine >= iScriptLines) return;
    const std::string& text = script_[static_cast<std::size_t>(iScriptLine)];
    lblSCRIPTCommande = "[" + std::to_string(iScriptLine + 1) + "] " + replaced(text, ';', ' ');
    const config::ScriptLine line = config::ParseScriptLine(text);
    const auto arg = [&line](std::size_t i) {
        return i < line.args.size() ? line.args[i] : std::string();
    };
    const auto intArg = [&](std::size_t i, int& value, int lo, int hi) {
        if (parseInt(arg(i), value, lo, hi)) return true;
        scriptError(lftext::kInvalidArgument + arg(i));
        return false;
    };
    const config::ScriptCommandInfo* info = config::FindScriptCommand(line.command);
    if (!info) {
        scriptError(lftext::kUnknownCommand + line.command);
        return;
    }
    constexpr int kMaxInt = 0x7FFFFFFF;
    switch (info->command) {
        case config::ScriptCommand::Comment:
            ++iScriptLine;
            break;
        case config::ScriptCommand::Delay:
            if (!intArg(0, iScriptWait, -kMaxInt, kMaxInt)) return;
            dtStepStart = host_.nowMs();
            engine_.iStateLF = 2;
            break;
        case config::ScriptCommand::Level: {
            int percent = 0;
            if (!intArg(0, percent, -kMaxInt, kMaxInt)) return;
            engine_.power.SetLevelPercent(percent);
            ++iScriptLine;
            break;
        }
        case config::ScriptCommand::IdStart:
            engine_.resultLog().sIdStart = arg(0);
            engine_.resultLog().bIdReceived = false;
            ++iScriptLine;
            break;
        case config::ScriptCommand::IdStop:
            if (!intArg(0, iScriptWait, -kMaxInt, kMaxInt)) return;
            bIdStopAbort = startsWithY(arg(1));
            bIdStopLog = startsWithY(arg(2));
            dtStepStart = host_.nowMs();
            engine_.iStateLF = 7;
            break;
        case config::ScriptCommand::SendF: {
            const int index = frameIndex(arg(0));
            config::TLFEMI* f = frame(index);
            // A carrier has no content to send as a frame.
            if (!f || !f->IsData) {
                show(arg(0) + lftext::kDescriptionNotFound);
                iScriptLine = iScriptLines;
                return;
            }
            int repetitions = 0, interframe = 0;
            if (!intArg(1, repetitions, -kMaxInt, kMaxInt) ||
                !intArg(2, interframe, -kMaxInt, kMaxInt))
                return;
            const auto message = [this](const std::string& t) { show(t); };
            if (!hw::SubstituteScriptVars(
                    *f, [this](const std::string& name) { return variable(name); }, message)) {
                iScriptLine = iScriptLines;
                return;
            }
            std::string command;
            const Status built = hw::BuildFrameCommand(*f, command);
            if (!built) {
                show(built.message);
                iScriptLine = iScriptLines;
                return;
            }
            f->ControllerMessage = command;
            imgLF = kLfEmitting;
            carrierRunning_ = false;
            // Before the command waits for its reply, so a Stop pressed meanwhile holds.
            engine_.iStateLF = 3;
            changed();
            emitter_.SendLFFrame(*f, mod256(repetitions), mod256(interframe));
            break;
        }
        case config::ScriptCommand::SendCW: {
            if (!frame(frameIndex(arg(0)))) {
                show(arg(0) + lftext::kDescriptionNotFound);
                iScriptLine = iScriptLines;
                return;
            }
            int duration = 0;
            if (!intArg(1, duration, 0, kMaxCwDurationMs)) return;
            imgLF = kLfEmitting;
            carrierRunning_ = true;
            engine_.iStateLF = 3;
            changed();
            emitter_.SendCW(static_cast<std::uint32_t>(duration));
            break;
        }
        case config::ScriptCommand::Set: {
            const std::string name = arg(0);
            auto it = std::find_if(scriptVars.begin(), scriptVars.end(),
                                   [&name](const ScriptVariable& v) { return v.name == name; });
            if (it != scriptVars.end()) {
                it->value = arg(1);
            } else if (static_cast<int>(scriptVars.size()) < kMaxScriptVars) {
                scriptVars.push_back({name, arg(1)});
            } else {
                scriptError(lftext::kTooManyVariables);
                return;
            }
            ++iScriptLine;
            break;
        }
        case config::ScriptCommand::End:
            iScriptLine = iScriptLines;
            break;
        case config::ScriptCommand::Restart:
            iScriptLine = 0;
            engine_.iStateLF = 0;
            break;
        case config::ScriptCommand::WaitIn: {
            // The input is one bit: any other level would wait for ever.
            int level = 0;
            if (!parseInt(arg(0), level, -1, 2) || (level != 0 && level != 1)) {
                scriptError(lftext::kInvalidArgument + arg(0));
                return;
            }
            iWaitInLevel = level;
            engine_.iStateLF = 6;
            break;
        }
        default:
            scriptError(lftext::kUnknownCommand + line.command);
            break;
    }
}

void LfSequencer::scriptEmissionTick() {
    // Without the TX controller nothing is emitted and no end will come.
    if (!hw_.chkTx || readTxUntilEnd()) {
        imgLF = kLfIdle;
        carrierRunning_ = false;
        nextLine();
    }
}

void LfSequencer::scriptStopTick() {
    if (imgLF != kLfEmitting || !hw_.chkTx) {
        imgLF = kLfIdle;
        finishScriptStop();
        return;
    }
    hw::ControllerLink tx(host_, hw_.txPort);
    if (!stopSent_) {
        // Stop means now: a continuous frame or a long carrier would otherwise keep the script
        // waiting for an end that is hours away or never comes.
        stopSent_ = true;
        stopSentAt_ = host_.nowMs();
        if (carrierRunning_) {
            emitter_.StopLFEmission();
            carrierRunning_ = false;
            setSendEnabled(true);
            imgLF = kLfIdle;
            finishScriptStop();
            return;
        }
        tx.WriteByte(hw::code::kStopTimed);
    }
    if (readTxUntilEnd()) {
        setSendEnabled(true);
        imgLF = kLfIdle;
        finishScriptStop();
    } else if (host_.nowMs() - stopSentAt_ >= kEndGraceMs) {
        tx.PulseRts();
        imgLF = kLfIdle;
        finishScriptStop();
    }
}

void LfSequencer::finishScriptStop() {
    butReExecStopCaption = lftext::kReExec;
    butReExecStopHint = lftext::kReExecHint;
    butReExecStopEnabled = true;
    engine_.iStateLF = 4;
}

void LfSequencer::idStopTick() {
    const ResultLog& log = engine_.resultLog();
    if (log.bIdReceived && bIdStopAbort) {
        nextLine();
        return;
    }
    if (host_.nowMs() - dtStepStart < iScriptWait) return;
    if (!log.bIdReceived && bIdStopLog) {
        RowText row;
        RowWriter w = row.writer();
        engine_.resultLog().BuildRowPrefix(w);
        w.attr("ID", log.sIdStart);
        w.lastAttr("Desc", lftext::kNoFrameReceived);
        // Filed under no ID: the missing frame must not count as one received from it.
        engine_.resultLog().appendPluginRow(row);
    }
    nextLine();
}

// --- TX replies ---

bool LfSequencer::readTxUntilEnd() {
    hw::ControllerLink tx(host_, hw_.txPort);
    bool ended = false;
    for (int b = tx.ReadByte(); b >= 0; b = tx.ReadByte())
        if (b == hw::reply::kEmissionEnded) ended = true;
    return ended;
}

bool LfSequencer::readTxPending() {
    hw::SerialPort* port = hw_.txPort.get();
    if (!port) return false;
    std::uint8_t buffer[kPendingReadBytes];
    const std::size_t n = port->read(buffer, sizeof buffer);
    bool ended = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (buffer[i] == hw::reply::kFrameEmitted) ++engine_.iSentFrames;
        if (buffer[i] == hw::reply::kEmissionEnded) ended = true;
    }
    return ended;
}

// --- Broadcast and Individual ---

void LfSequencer::cyclicTick(bool individual) {
    dtNow = host_.nowMs();
    (individual ? lblINDElapsed : lblBRODElapsed) = ElapsedText(dtNow - runStart_);
    const bool ended = readTxPending();
    std::string& sentLabel = individual ? lblINDSentFrames : lblBRODSentFrames;
    sentLabel = std::to_string(engine_.iSentFrames);

    const config::TCYCLIC& c = cfg_.cyclic;
    config::TLFEMI* f = frame(c.FrameIndex);
    if (!f || (individual && c.IdCount <= 0)) return;
    const int period = engine_.tmrLF().interval();
    switch (engine_.iStateLF) {
        case 0:
            emitCyclic(individual, *f);
            break;
        case 1:
            if (host_.nowMs() - dtStepStart + period >= c.On) {
                imgLF = kLfIdle;
                emitter_.EndOnPeriod(engine_.iSentFrames);
                if (!engine_.bRunning) return;
                if (individual && ++iIdIndex < c.IdCount) {
                    engine_.iStateLF = 0;
                } else {
                    iIdIndex = 0;
                    engine_.iStateLF = 2;
                    dtStepStart = host_.nowMs();
                }
            }
            break;
        case 2:
            if (host_.nowMs() - dtStepStart + period >= c.Off) {
                engine_.iStateLF = 0;
                ++engine_.iCycle;
            }
            break;
        case 3:
            if (individual) break;
            // The carrier lasts the ON duration; the TX reports its end with FF.
            if (ended) {
                endCarrier();
            } else if (!hw_.txPort) {
                if (host_.nowMs() - dtStepStart + period >= c.On) endCarrier();
            } else if (host_.nowMs() - dtStepStart >=
                       static_cast<std::int64_t>(c.On) + kEndGraceMs) {
                hw::ControllerLink(host_, hw_.txPort).PulseRts();
                endCarrier();
            }
            break;
        default:
            break;
    }
    sentLabel = std::to_string(engine_.iSentFrames);
}

void LfSequencer::emitCyclic(bool individual, config::TLFEMI& f) {
    const config::TCYCLIC& c = cfg_.cyclic;
    const std::string cycle = std::to_string(engine_.iCycle);
    if (individual) {
        if (iIdIndex < 0 || iIdIndex >= c.IdCount) iIdIndex = 0;
        lblINDCycle = cycle;
        const std::string& id = c.Ids[static_cast<std::size_t>(iIdIndex)];
        lblCurrentID = "[" + std::to_string(iIdIndex + 1) + "] " + id;
    } else {
        lblBRODCycle = cycle;
    }
    imgLF = kLfEmitting;
    changed();

    if (!individual && !f.IsData) {
        engine_.iStateLF = 3;
        emitter_.SendCW(static_cast<std::uint32_t>(std::clamp(c.On, 0, kMaxCwDurationMs)));
        dtStepStart = host_.nowMs();
        return;
    }
    const auto message = [this](const std::string& t) { show(t); };
    if (individual) {
        const std::string& id = c.Ids[static_cast<std::size_t>(iIdIndex)];
        if (hw::SubstituteFrameParams(f, id + "h", {}, {}, message) != 0) {
            engine_.StopRun();
            return;
        }
    } else {
        f.EmittedContent = f.CodedContent;
    }
    std::string command;
    const Status built = hw::BuildFrameCommand(f, command);
    if (!built) {
        show(built.message);
        engine_.StopRun();
        return;
    }
    f.ControllerMessage = command;
    engine_.iStateLF = 1;
    emitter_.SendLFFrame(f, 0, c.InterFrame);
    dtStepStart = host_.nowMs();
}

void LfSequencer::endCarrier() {
    imgLF = kLfIdle;
    engine_.iStateLF = 2;
    dtStepStart = host_.nowMs();
}

void attachSequencer(RunEngine& engine, LfSequencer& sequencer) {
    engine.lfStart = [&sequencer] { sequencer.runStarted(); };
    engine.lfTick = [&sequencer] { sequencer.tmrLFTimer(); };
    engine.lfStop = [&sequencer] { sequencer.runStopped(); };
    engine.lfDefaults = [&sequencer] { sequencer.RunSectionDefaults(); };
}

}  // namespace vornlfrf::run
