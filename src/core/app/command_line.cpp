#include "app/command_line.h"

namespace vornlfrf::app {

namespace {

struct Switch {
    const char* text;
    bool CommandLine::*flag;
};

constexpr Switch kSwitches[] = {
    {"+IPC", &CommandLine::bIpc},   {"+SMALL", &CommandLine::bSmall},
    {"+EMUL", &CommandLine::bEmul}, {"+DEBUG", &CommandLine::bDebug},
    {"+NRZ", &CommandLine::bNrz},   {"+EV3", &CommandLine::bEv3},
    {"+LOS", &CommandLine::bLos},   {"+ENDURANCES", &CommandLine::bEndurances},
    {"+REC", &CommandLine::bRec},   {"+DRUCK", &CommandLine::bDruck},
    {"+DTLG", &CommandLine::bDtlg}, {"+ALERTDEBUG", &CommandLine::bAlertDebug},
    {"+COM1", &CommandLine::bCom1},
};

constexpr char kIpcSimu[] = "+IPC+SIMU";
constexpr char kSmall[] = "+SMALL";
constexpr char kRec[] = "+REC";
// A page taller than any screen is a typing error, not a height.
constexpr int kMaxPageHeight = 100000;

}  // namespace

CommandLine parseFirstArgument(const std::string& argument) {
    CommandLine cl;
    cl.argument = argument;
    for (const Switch& s : kSwitches) cl.*s.flag = cl.contains(s.text);
    cl.bIpcSimu = argument == kIpcSimu;

    if (cl.bRec) {
        const std::size_t at = argument.find(kRec) + sizeof kRec - 1;
        cl.sRecTypes = argument.substr(at, 4);
    }

    if (argument.rfind(kSmall, 0) == 0) {
        long long height = 0;
        std::size_t i = sizeof kSmall - 1;
        bool digits = false;
        for (; i < argument.size() && argument[i] >= '0' && argument[i] <= '9'; ++i) {
            digits = true;
            height = height * 10 + (argument[i] - '0');
            if (height > kMaxPageHeight) {
                digits = false;
                break;
            }
        }
        if (digits) cl.smallPageHeight = static_cast<int>(height);
    }
    return cl;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    return parseFirstArgument(args.size() > 1 ? args[1] : std::string());
}

}  // namespace vornlfrf::app
