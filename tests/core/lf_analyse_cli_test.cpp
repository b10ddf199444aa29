#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/cli_run.h"

namespace {

using vornlfrf::testsupport::CliRun;

CliRun analyse(const std::string& args) {
    return vornlfrf::testsupport::runCliCommand("analyse " + args);
}

std::string fixture(const char* name) {
    return std::string("'") + VORNLFRF_TESTDATA + "/lf/" + name + "'";
}

TEST(AnalyseCommand, PrintsTheLogAndExitsWithTheVerdict) {
    const CliRun pass = analyse(fixture("frames.cfg"));
    EXPECT_EQ(pass.status, 0);
    EXPECT_EQ(pass.out,
              "----- LF Frames analysis -----\n----- Script analysis -----\n"
              "----- Rx descriptions analysis -----\n----- Run configuration -----\n");

    // The third frame is also wrong, but the analysis stops at the first error.
    const CliRun fail = analyse(fixture("bad_content.cfg"));
    EXPECT_EQ(fail.status, 1);
    EXPECT_EQ(fail.out,
              "----- LF Frames analysis -----\n"
              "Error in LFConfig, frame 'Broken' : Syntax error in content field\n");

    EXPECT_EQ(analyse(fixture("missing.cfg")).status, 2);
    EXPECT_EQ(analyse(std::string("'") + VORNLFRF_TESTDATA + "/lf'").status, 2);
    EXPECT_EQ(analyse("").status, 2);
    EXPECT_EQ(analyse(fixture("frames.cfg") + " extra").status, 2);
}

}  // namespace
