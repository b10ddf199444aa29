#pragma once
// Sending LF frames, carriers and power levels to the TX controller, stopping emissions, and
// the run window's LF power-level control. Replies on the TX port (see lf_command.h for the
// command bytes):
//   FC frame accepted   ED carrier accepted   FE one frame emitted   FF emission ended
// Stops: 00 ends a continuous manual emission, FF ends a timed one (FE... then FF), and an RTS
// pulse followed by a version request resets the emission.

#include <functional>
#include <string>

#include "common/host.h"
#include "config/lf_frames.h"
#include "hw/hardware.h"

namespace vornlfrf::hw {

namespace text {
inline constexpr char kLfWarningCaption[] = "WARNING";
inline constexpr char kLfConfirmLine1[] =
    "Do you want to program the power level over the authorized  level ?";
inline constexpr char kLfConfirmLine2[] = "You MUST NOT touch the LF antenna. ";
inline constexpr char kLfConfirmLine3[] = "The maximum authorized level will be programmed.";
inline constexpr char kLfStopLine1[] = "You don't have permission to program the power level";
inline constexpr char kLfStopLine2[] = "over the authorized level.";
inline constexpr char kLfStopLine3[] = "The maximum authorized level will be programmed.";
inline constexpr char kRetryStopf[] = "*********** Retry STOPF ************";
inline constexpr char kAdminMode[] = "Admin";
inline constexpr char kUserMode[] = "User";
}  // namespace text

// Images of the TX controller status (imgVornTx).
enum class TxImage { Idle = 2, Good = 3, Failed = 4 };

// The LF power control of the run window: the level shown (lblLFPower, slider trbPuissanceLF),
// the level sent (iLevelLF), the authorised maximum (iLevelMax) and the confirmation windows.
class LfPowerLevel {
  public:
    int iLevelLF = 0;
    int iLevelMax = 6;
    int levelShown = 0;           // tag of lblLFPower
    int trbPuissanceLF = 0;       // slider position
    int sliderTag = 0;            // 1 while an above-maximum level is confirmed
    bool confirmVisible = false;  // TfrmLFConfirm
    bool stopVisible = false;     // TfrmLFStop
    bool panLFEnabled = true;
    bool butSendEnabled = true;

    // The configuration changed (butFixClick).
    std::function<void()> onModified;
    // Display changed.
    std::function<void()> onChanged;

    // "60%".
    std::string lblLFPowerText() const;
    // Drawn red on white above the maximum, black on green up to it.
    bool aboveMaximum() const { return levelShown > iLevelMax; }
    // While either warning window is up the LF sequencer does nothing.
    bool warningShown() const { return confirmVisible || stopVisible; }

    // Dragging only updates the display; the release applies it.
    void trbPuissanceLFChange(int position);
    void trbPuissanceLFMouseUp(const std::string& userMode);
    // butLFHaut (up) / butLFBas: one step within 0..18, then applied.
    void butLFClick(bool up, const std::string& userMode);
    // userMode is the text of the main window's mode box ("Admin", "User").
    void ApplyLevelChange(const std::string& userMode);
    void confirmYes();
    // "Cancel" of either window: back to the authorised maximum.
    void confirmCancel();
    void butFixClick();
    // Nearest level to a percentage (remote LFPWR, script LEVEL); no maximum check.
    void SetLevelPercent(int percent);

  private:
    void setAll(int level);
    void changed();
};

// The emission commands on the hardware window's TX port. The run window supplies its state
// through the hooks; unset hooks read as running, state 1, and nothing to show.
class LfEmitter {
  public:
    LfEmitter(Host& host, Hardware& hardware, LfPowerLevel& level);

    std::function<bool()> isRunning;                // bRunning
    std::function<int()> stateLF;                   // iStateLF
    std::function<void(TxImage)> setTxImage;        // imgVornTx
    std::function<void(const std::string&)> trace;  // lstTraces, while panDLLTraces is shown
    std::function<void()> hideSendStop;             // butSendStop

    void SetLevel();
    // Level, then the frame's ControllerMessage with its repetitions (0 = continuous) and
    // interframe time. False, nothing sent, when ControllerMessage is not a frame command.
    bool SendLFFrame(const config::TLFEMI& frame, int repetitions, int interframeMs);
    void SendCW(std::uint32_t durationMs);
    // STOPF: true once the LF sequencer is back in its ready state.
    bool StopContinuous();
    // End of a Broadcast or Individual ON period: counts FE replies into sentFrames until FF.
    // True when the controller confirmed the end.
    bool EndOnPeriod(int& sentFrames);
    // EMC and TSTLF stop: RTS pulse, then a version request read and dropped.
    void StopLFEmission();

    // Reply to the last frame or carrier command, -1 for none.
    int lastReply() const { return lastReply_; }

    static constexpr int kReplyAttempts = 20;
    static constexpr int kStopAttempts = 5;
    static constexpr int kStopWaitSteps = 50;
    static constexpr int kStopWaitStepMs = 10;
    static constexpr int kEndReads = 1000;

  private:
    bool running() const { return !isRunning || isRunning(); }
    void image(TxImage i) {
        if (setTxImage) setTxImage(i);
    }

    Host& host_;
    Hardware& hardware_;
    LfPowerLevel& level_;
    int lastReply_ = -1;
};

}  // namespace vornlfrf::hw
