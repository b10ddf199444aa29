// vornlfrf-cli lfcmd CONFIG.cfg FRAME [VALUE1 [VALUE2 [VALUE3]]]
// Prints the TX controller command of the LF frame named FRAME after its parameters took the
// values given, as space-separated upper-case hexadecimal bytes (repetitions 01, interframe 00).
// For a CW frame VALUE1 is the duration in milliseconds. A value that does not convert, a frame
// that is too long, or a configuration that fails its LF analysis prints the message instead
// and exits 1; 2 is a usage error.

#include <cstdio>
#include <filesystem>
#include <string>

#include "commands.h"
#include "common/sim_host.h"
#include "config/ini_document.h"
#include "config/lf_conf.h"
#include "hw/lf_command.h"

namespace vornlfrf::cli {

namespace {

int usage(const char* why) {
    std::fprintf(stderr,
                 "lfcmd: %s\nusage: vornlfrf-cli lfcmd CONFIG.cfg FRAME [VALUE1 [VALUE2 "
                 "[VALUE3]]]\n",
                 why);
    return kUsageError;
}

void printLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int cmdLfcmd(const Args& args) {
    if (args.size() < 2 || args.size() > 5) return usage("expected a configuration and a frame");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(args[0], ec)) {
        std::fprintf(stderr, "lfcmd: cannot read %s\n", args[0].c_str());
        return kUsageError;
    }
    Status status;
    config::IniDocument doc = config::IniDocument::fromFile(args[0], &status);
    if (!status) {
        std::fprintf(stderr, "lfcmd: %s\n", status.message.c_str());
        return kUsageError;
    }

    SimHost host;
    config::LfConf lf(host);
    lf.processSection(&doc, config::ConfigAction::Load);
    config::AnalysisLog log;
    if (!lf.AnalyseLfFrames(log)) {
        for (const std::string& line : log.lines()) printLine(line);
        return 1;
    }

    const config::LfFrameTable& table = lf.table();
    const std::string& name = args[1];
    int index = -1;
    for (int i = 0; i < table.count && index < 0; ++i)
        if (table.frames[static_cast<std::size_t>(i)].Name == name) index = i;
    if (index < 0) {
        printLine(name + " description not found");
        return 1;
    }
    config::TLFEMI frame = table.frames[static_cast<std::size_t>(index)];
    const std::string value1 = args.size() > 2 ? args[2] : std::string();
    const std::string value2 = args.size() > 3 ? args[3] : std::string();
    const std::string value3 = args.size() > 4 ? args[4] : std::string();

    if (!frame.IsData) {
        int duration = 0;
        if (!config::parseInt(value1, duration) || duration < 0)
            return usage("a CW frame needs its duration in milliseconds");
        printLine(hw::BytesToText(hw::BuildCwCommand(static_cast<std::uint32_t>(duration))));
        return 0;
    }

    std::string message;
    if (hw::SubstituteFrameParams(frame, value1, value2, value3,
                                  [&](const std::string& m) { message = m; }) != 0) {
        printLine(message);
        return 1;
    }
    std::string command;
    const Status built = hw::BuildFrameCommand(frame, command);
    if (!built) {
        printLine(built.message);
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    hw::HexToBytes(command, bytes);
    printLine(hw::BytesToText(bytes));
    return 0;
}

}  // namespace vornlfrf::cli
