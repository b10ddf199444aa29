#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun analyse(const std::string& args) {
    CliRun r;
    const std::string command =
        std::string("'") + VORNLFRF_CLI + "' analyse " + args + " 2>/dev/null";
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    const int raw = pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
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
