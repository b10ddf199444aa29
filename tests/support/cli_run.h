#pragma once
// Runs vornlfrf-cli from a test: arguments are shell text (quote paths), standard error is
// dropped, standard output and the exit status come back.

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vornlfrf::testsupport {

struct CliRun {
    int status = -1;
    std::string out;
};

inline CliRun runCliCommand(const std::string& arguments) {
    CliRun r;
    const std::string command = std::string("'") + VORNLFRF_CLI + "' " + arguments + " 2>/dev/null";
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    const int raw = pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

}  // namespace vornlfrf::testsupport
