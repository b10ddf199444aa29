// vornlfrf-cli analyse CONFIG.cfg
// Loads the configuration through the section handlers, runs the analysis chain and prints the
// log lines, one per line. Exit 0 when the analysis passes, 1 when it fails, 2 for a usage
// error or a file that cannot be read.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "commands.h"
#include "common/sim_host.h"
#include "config/configuration_document.h"
#include "config/configuration_set.h"

namespace vornlfrf::cli {

namespace {

int usage(const char* why) {
    std::fprintf(stderr, "analyse: %s\nusage: vornlfrf-cli analyse CONFIG.cfg\n", why);
    return kUsageError;
}

bool readable(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

}  // namespace

int cmdAnalyse(const Args& args) {
    if (args.size() != 1) return usage("expected one configuration file");
    const std::string& path = args[0];
    if (!readable(path)) {
        std::fprintf(stderr, "analyse: cannot read %s\n", path.c_str());
        return kUsageError;
    }

    SimHost host;
    std::error_code ec;
    const std::string folder = std::filesystem::current_path(ec).string();
    config::ConfigurationDocument doc(host, folder, "VornLFRF");
    auto windows = std::make_unique<config::ConfigurationSet>(host, doc);
    doc.loadFrom(path);

    const bool passed = doc.AnalyseConfiguration();
    for (const std::string& line : doc.log().lines()) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return passed ? 0 : 1;
}

}  // namespace vornlfrf::cli
