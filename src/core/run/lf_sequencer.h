#pragma once
// The LF sequencer of the Manual, Script, Broadcast and Individual modes: the handler of the run
// window's tmrLF, one step per 50 ms tick, deciding when the TX controller emits what. It also
// holds what the Manual, Script, Broadcast and Individual panels show; views read the fields
// when the listeners are notified.
//
// iStateLF by mode:
//   Manual      0 arm, 1 ready, 2 emission running (until FF)
//   Script      0 (re)start, 1 execute a line, 2 DELAY, 3 emission running, 4 finished,
//               5 stop requested, 6 WAITIN, 7 IDSTOP
//   Broadcast   0 emit, 1 ON period, 2 OFF period, 3 carrier running
//   Individual  0 emit the current ID, 1 ON period, 2 OFF period

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "common/listeners.h"
#include "config/configuration_set.h"
#include "hw/hardware.h"
#include "hw/lf_emission.h"
#include "run/run_engine.h"

namespace vornlfrf::run {

namespace lftext {
inline constexpr char kDescriptionNotFound[] = " description not found";
inline constexpr char kNoFrameReceived[] = "No frame received";
inline constexpr char kFrameStopped[] = "  LF Frame stopped";
inline constexpr char kStop[] = "Stop";
inline constexpr char kStopHint[] = "Stop script execution";
inline constexpr char kReExec[] = "Re-Exec";
inline constexpr char kReExecHint[] = "Execute another time the script";
inline constexpr char kStopShown[] = "STOP";
inline constexpr char kEnd[] = "END";
inline constexpr char kCont[] = "Cont";
inline constexpr char kSendStopHint[] = "Stop the continuus emission";
inline constexpr char kViewHint[] = "View the script";
inline constexpr char kElapsedZero[] = "00h 00mn 00s";
// A script line the sequencer cannot execute ends the script with one of these, after
// "Error in script line <n>".
inline constexpr char kScriptLineError[] = "Error in script line ";
inline constexpr char kUnknownCommand[] = " : unknown command ";
inline constexpr char kInvalidArgument[] = " : invalid argument ";
inline constexpr char kTooManyVariables[] = " : only 16 SET variables are allowed";
}  // namespace lftext

// Images of imgLF.
enum LfImage { kLfIdle = 0, kLfEmitting = 1 };

constexpr int kMaxScriptVars = 16;
// Longest carrier the CW command can carry without its duration wrapping round.
constexpr int kMaxCwDurationMs = 8000000;
// How long the sequencer waits for the TX to confirm a stop or a carrier's end before it resets
// the emission with an RTS pulse.
constexpr int kEndGraceMs = 1000;

struct ScriptVariable {
    std::string name;
    std::string value;
};

// "%02dh %02dmn %02dsec" of a duration; the hours keep counting past a day.
std::string ElapsedText(std::int64_t ms);

class LfSequencer {
  public:
    LfSequencer(Host& host, RunEngine& engine, config::ConfigurationSet& cfg,
                hw::Hardware& hardware);
    LfSequencer(const LfSequencer&) = delete;
    LfSequencer& operator=(const LfSequencer&) = delete;

    // A label, caption, image or panel changed.
    Listeners listeners;
    // A line for lstTraces; the view adds it while panDLLTraces is shown.
    std::function<void(const std::string&)> trace;
    // The EMC and TSTLF cycles run on the same timer.
    std::function<void()> emcTick;
    std::function<void()> tstlfTick;

    // --- run lifecycle (see attachSequencer) ---
    // After StartRun reset the run state of the mode, before the first tick.
    void runStarted();
    void tmrLFTimer();
    void runStopped();
    // New configuration: the Manual panel's boxes go back to "Cont", 10 ms and 1000 ms.
    void RunSectionDefaults();

    // --- Manual panel ---
    // The frame shown is RunEngine::cboManualFramesIndex; call cboManualFramesChange after
    // changing it. Send's enabled state is RunEngine::power.butSendEnabled, which the power
    // warning windows share; the power level's listeners hear its changes.
    void butSendClick();
    void butSendStopClick();
    // False when nothing was emitted (no frame, a parameter the parser rejects).
    bool ManualSend();
    // 0, or 1 when no manual frame has that name.
    int SelectManualFrame(const std::string& name, int count, int interframe, int duration);
    void cboManualFramesChange();

    std::string cboNFrame = lftext::kCont;
    std::string cboInterFrame = "10";
    std::string txtDuration = "1000";
    std::array<std::string, 3> txtParam;
    std::array<std::string, 3> lblParam;
    std::array<bool, 3> paramVisible{};  // lblParam<i>, txtParam<i>
    bool frameCountVisible = true;       // lblInterFrame, cboInterFrame, lblNFrame, cboNFrame
    bool durationVisible = false;        // lblDuration, txtDuration, lblDurationms
    bool butSendStopVisible = false;
    bool cboManualFramesEnabled = false;
    int imgLF = kLfIdle;

    // --- Script panel ---
    void butReExecStopClick();
    void butViewScriptClick();
    void butScriptViewCloseClick();

    int iScriptLine = 0;
    int iScriptLines = 0;
    int iScriptWait = 0;
    int iWaitInLevel = 0;
    bool bIdStopAbort = false;
    bool bIdStopLog = false;
    // Kept across RESTART and later runs.
    std::vector<ScriptVariable> scriptVars;
    std::string lblSCRIPTElapsed;
    std::string lblSCRIPTCommande;
    std::string butReExecStopCaption = lftext::kStop;
    std::string butReExecStopHint = lftext::kStopHint;
    bool butReExecStopEnabled = false;
    std::vector<std::string> lstScriptView;
    bool panViewScriptVisible = false;

    // --- Broadcast and Individual panels ---
    std::string lblBRODElapsed = lftext::kElapsedZero;
    std::string lblBRODSentFrames = "0";
    std::string lblBRODCycle = "0";
    std::string lblINDElapsed = lftext::kElapsedZero;
    std::string lblINDSentFrames = "0";
    std::string lblINDCycle = "0";
    std::string lblCurrentID;
    int iIdIndex = 0;  // into the Individual ID list

    // Monotonic milliseconds (Host::nowMs), so a wall-clock change cannot bend a period.
    std::int64_t dtStepStart = 0;
    std::int64_t dtNow = 0;

    hw::LfEmitter& emitter() { return emitter_; }

  private:
    void manualTick();
    void manualEmissionEnded(bool fromTx);
    void scriptTick();
    void executeLine();
    void nextLine();
    void scriptError(const std::string& what);
    void scriptEmissionTick();
    void scriptStopTick();
    void finishScriptStop();
    void idStopTick();
    void cyclicTick(bool individual);
    void emitCyclic(bool individual, config::TLFEMI& frame);
    void endCarrier();
    // Reads what the TX sent since the last tick, counting FE in iSentFrames; true on FF.
    bool readTxPending();
    bool readTxUntilEnd();

    int manualFrameIndex() const;
    int frameIndex(const std::string& name) const;
    config::TLFEMI* frame(int index);
    std::string variable(const std::string& name) const;
    void setSendEnabled(bool enabled);
    void show(const std::string& text);
    void changed();

    Host& host_;
    RunEngine& engine_;
    config::ConfigurationSet& cfg_;
    hw::Hardware& hw_;
    hw::LfEmitter emitter_;
    std::vector<std::string> script_;  // the lines as the script (re)started
    std::int64_t runStart_ = 0;
    bool carrierRunning_ = false;  // the running script emission is a carrier
    bool stopSent_ = false;
    std::int64_t stopSentAt_ = 0;
};

// Installs the sequencer into the engine's run start, tmrLF tick, run stop and the defaults of
// a new configuration.
void attachSequencer(RunEngine& engine, LfSequencer& sequencer);

}  // namespace vornlfrf::run
