#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const vornlfrf::cli::Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"content", vornlfrf::cli::cmdContent, "content [--coding N] [--pwm0 P] [--pwm1 P] EXPRESSION"},
    {"formula", vornlfrf::cli::cmdFormula, "formula [--var NAME=VALUE]... FORMULA"},
    {"check", vornlfrf::cli::cmdCheck,
     "check --pmask PM --mask M --preamble P --data D [--xor-not] [--add-not] [--add-2bits] "
     "[--poly X] [--init X] [--xor X] [--width 8|16]"},
    {"analyse", vornlfrf::cli::cmdAnalyse, "analyse CONFIG.cfg"},
    {"hardware", vornlfrf::cli::cmdHardware, "hardware CONFIG.cfg"},
    {"lfcmd", vornlfrf::cli::cmdLfcmd, "lfcmd CONFIG.cfg FRAME [VALUE1 [VALUE2 [VALUE3]]]"},
    {"decode", vornlfrf::cli::cmdDecode,
     "decode CONFIG.cfg ACQUISITIONS.bin [--receivers TYPE1,TYPE2,TYPE3,TYPE4] [--raw] [--out "
     "DIR]"},
    {"run", vornlfrf::cli::cmdRun, "run CONFIG.cfg [--seconds N]"},
};

int usage() {
    std::fprintf(stderr, "usage: vornlfrf-cli COMMAND [ARGS]\ncommands:\n");
    for (const Command& c : kCommands) std::fprintf(stderr, "  %s\n", c.usage);
    return vornlfrf::cli::kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            vornlfrf::cli::Args args(argv + 2, argv + argc);
            return c.run(args);
        }
    }
    return usage();
}
