// vornlfrf-sim: the emulated bench on pseudo-terminals.
//   vornlfrf-sim --ports DIR [--scenario FILE] [--seed N] [--verbose]
// Lines typed on standard input are sent by the test-site controller.

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "pty_bench.h"
#include "scenario.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

int Usage() {
    std::cerr << "usage: vornlfrf-sim --ports DIR [--scenario FILE] [--seed N] [--verbose]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir;
    std::string scenarioFile;
    std::uint64_t seed = 1;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--ports" && i + 1 < argc) {
            dir = argv[++i];
        } else if (a == "--scenario" && i + 1 < argc) {
            scenarioFile = argv[++i];
        } else if (a == "--seed" && i + 1 < argc) {
            char* end = nullptr;
            seed = std::strtoull(argv[++i], &end, 0);
            if (!end || *end) return Usage();
        } else if (a == "--verbose") {
            verbose = true;
        } else {
            return Usage();
        }
    }
    if (dir.empty()) return Usage();

    vornlfrf::sim::Scenario scenario = vornlfrf::sim::DefaultScenario();
    if (!scenarioFile.empty()) {
        std::ifstream in(scenarioFile, std::ios::binary);
        if (!in) {
            std::cerr << "vornlfrf-sim: cannot read " << scenarioFile << "\n";
            return 1;
        }
        std::stringstream text;
        text << in.rdbuf();
        vornlfrf::Status st = vornlfrf::sim::ParseScenario(text.str(), scenario);
        if (!st) {
            std::cerr << "vornlfrf-sim: " << scenarioFile << ": " << st.message << "\n";
            return 1;
        }
    }

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    vornlfrf::sim::PtyBench pty(scenario, seed);
    if (verbose)
        pty.bench().setTrace([](std::int64_t t, const std::string& text) {
            std::fprintf(stderr, "%10.3f ms  %s\n", static_cast<double>(t) / 1000.0, text.c_str());
        });
    for (const std::string& problem : pty.bench().problems())
        std::cerr << "vornlfrf-sim: " << problem << "\n";
    vornlfrf::Status st = pty.publish(dir);
    if (!st) {
        pty.unpublish();
        std::cerr << "vornlfrf-sim: " << st.message << "\n";
        return 1;
    }
    for (const auto& link : pty.links())
        std::cout << link.path << " -> " << link.device << " (" << link.role << ")\n";
    std::cout.flush();

    int input = STDIN_FILENO;
    std::string line;
    while (!gStop) {
        bool readable = false;
        pty.step(50, input, &readable);
        if (!readable) continue;
        char buffer[512];
        ssize_t n = read(input, buffer, sizeof buffer);
        if (n <= 0) {
            input = -1;  // end of input: keep running until a signal
            continue;
        }
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                pty.bench().siteSend(line);
                line.clear();
            } else {
                line += buffer[i];
            }
        }
    }
    pty.unpublish();
    return 0;
}
