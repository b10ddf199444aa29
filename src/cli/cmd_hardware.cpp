// vornlfrf-cli hardware CONFIG.cfg
// Does what the hardware window's "Get types" button does with the configuration's HARDWARE
// settings, on the real serial ports (COM numbers from the ports folder VORNLFRF_PORTS).
// Prints every log line as it comes; exits 0 when both controllers were found, 1 otherwise,
// 2 for a usage error.

#include <cstdio>
#include <filesystem>

#include "commands.h"
#include "config/analysis_log.h"
#include "config/ini_document.h"
#include "hw/hardware.h"
#include "port_provider_linux.h"
#include "realtime_host.h"

namespace vornlfrf::cli {

namespace {

constexpr int kEmcMode = 4;

// The first selected run-mode radio button of the run configuration, -1 for none.
int runMode(const config::IniDocument& doc) {
    const char* keys[] = {"rdbLFManual",     "rdbLFScript", "rdbLFBrodcast",
                          "rdbLFIndividual", "rdbLFEMC",    "rdbLFTSTLF"};
    for (int i = 0; i < 6; ++i)
        if (doc.readBool("RUNCONF", keys[i], false)) return i;
    return -1;
}

}  // namespace

int cmdHardware(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::fprintf(stderr, "usage: vornlfrf-cli hardware CONFIG.cfg\n");
        return kUsageError;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(args[0], ec)) {
        std::fprintf(stderr, "hardware: cannot read %s\n", args[0].c_str());
        return kUsageError;
    }
    Status status;
    config::IniDocument doc = config::IniDocument::fromFile(args[0], &status);
    if (!status) {
        std::fprintf(stderr, "hardware: %s\n", status.message.c_str());
        return kUsageError;
    }

    platform::RealTimeHost host;
    platform::LinuxPortProvider ports;
    config::AnalysisLog log;
    log.setListener([&log] {
        if (log.lines().empty()) return;
        const std::string& line = log.lines().back();
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });

    hw::Hardware hardware(host, ports, log);
    hardware.HardwareSection(&doc, config::ConfigAction::Load);
    return hardware.GetTypes(runMode(doc) == kEmcMode) ? 0 : 1;
}

}  // namespace vornlfrf::cli
