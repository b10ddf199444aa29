#pragma once
// Subcommands of vornlfrf-cli. Each takes the arguments after its name, prints its result on
// standard output and returns the exit status (0 done, 1 the checked thing failed, 2 usage).

#include <string>
#include <vector>

namespace vornlfrf::cli {

using Args = std::vector<std::string>;

int cmdContent(const Args& args);
int cmdFormula(const Args& args);
int cmdCheck(const Args& args);
int cmdDecode(const Args& args);
int cmdRun(const Args& args);
int cmdAnalyse(const Args& args);
int cmdHardware(const Args& args);
int cmdLfcmd(const Args& args);

constexpr int kUsageError = 2;

}  // namespace vornlfrf::cli
