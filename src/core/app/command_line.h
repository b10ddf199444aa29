#pragma once
// Switches of the first command-line argument. Only that argument counts; a switch is on when
// the argument contains its text, except the exact whole-argument form "+IPC+SIMU".

#include <optional>
#include <string>
#include <vector>

namespace vornlfrf::app {

struct CommandLine {
    std::string argument;  // the first argument as given, empty when none

    bool bIpc = false;         // "+IPC": remote mode, main window hidden
    bool bIpcSimu = false;     // argument equals "+IPC+SIMU": create the block, show the simulator
    bool bSmall = false;       // "+SMALL": 800 x 600 at (0, 0) after a configuration load
    bool bEmul = false;        // "+EMUL"
    bool bDebug = false;       // "+DEBUG"
    bool bNrz = false;         // "+NRZ": start the run at the start-up tab selection
    bool bEv3 = false;         // "+EV3"
    bool bLos = false;         // "+LOS"
    bool bEndurances = false;  // "+ENDURANCES"
    bool bRec = false;         // "+REC"
    bool bDruck = false;       // "+DRUCK"
    bool bDtlg = false;        // "+DTLG"
    bool bAlertDebug = false;  // "+ALERTDEBUG"
    bool bCom1 = false;        // "+COM1"

    // The (up to) 4 characters after "+REC": forced receiver type digits of channels 1..4.
    std::string sRecTypes;
    // Height of the run window's result pages: the digits right after a leading "+SMALL".
    // Empty when "+SMALL" is not at the start, no digit follows, or the number is absurd.
    std::optional<int> smallPageHeight;

    bool contains(const std::string& text) const {
        return argument.find(text) != std::string::npos;
    }
};

CommandLine parseFirstArgument(const std::string& argument);
// args[0] is the program, as in main(); only args[1] is examined.
CommandLine parseCommandLine(const std::vector<std::string>& args);

}  // namespace vornlfrf::app
