#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/cli_run.h"

namespace {

using vornlfrf::testsupport::CliRun;

CliRun lfcmd(const std::string& args) {
    return vornlfrf::testsupport::runCliCommand("lfcmd " + args);
}

std::string fixture(const char* name) {
    return std::string("'") + VORNLFRF_TESTDATA + "/lf/" + name + "'";
}

TEST(LfcmdCommand, PrintsTheFrameCommandAfterSubstitution) {
    struct Case {
        std::string args;
        int status;
        std::string out;
    };
    const std::string cfg = fixture("frames.cfg");
    const Case cases[] = {
        // FF00h then the 24-bit ID, Manchester, 3906 baud, 125.0 kHz.
        {cfg + " Wake 123456h", 0,
         "03 05 09 05 00 80 01 00 01 0B 4A 55 16 15 19 15 1A 16 15 36 19\n"},
        {cfg + " Wake 1b", 0, "03 05 09 05 00 80 01 00 01 03 4A 45 18\n"},
        // Inverted coding, 10 ms/bit, 119.0 kHz.
        {cfg + " Slow", 0, "03 04 29 15 00 09 01 00 28 02 46 14\n"},
        {cfg + " Carrier 7200000", 0, "12 05 09 05 00 D7 94 A5 00\n"},
        {cfg + " Wake Zh", 1, "Error hexa with Zh\n"},
        {cfg + " Stale", 1, "Stale description not found\n"},
        {fixture("bad_content.cfg") + " Wake", 1,
         "----- LF Frames analysis -----\n"
         "Error in LFConfig, frame 'Broken' : Syntax error in content field\n"},
        {cfg + " Carrier", 2, ""},
        {cfg, 2, ""},
        {fixture("missing.cfg") + " Wake", 2, ""},
        {cfg + " Wake 1 2 3 4", 2, ""},
    };
    for (const Case& c : cases) {
        const CliRun r = lfcmd(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

}  // namespace
