#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/command_line.h"

namespace vornlfrf::app {
namespace {

using Flag = bool CommandLine::*;

struct SwitchCase {
    const char* argument;
    std::vector<Flag> on;
};

TEST(CommandLine, EachSwitchIsFoundAnywhereInTheFirstArgument) {
    const std::vector<Flag> all = {
        &CommandLine::bIpc,        &CommandLine::bIpcSimu, &CommandLine::bSmall,
        &CommandLine::bEmul,       &CommandLine::bDebug,   &CommandLine::bNrz,
        &CommandLine::bEv3,        &CommandLine::bLos,     &CommandLine::bEndurances,
        &CommandLine::bRec,        &CommandLine::bDruck,   &CommandLine::bDtlg,
        &CommandLine::bAlertDebug, &CommandLine::bCom1};
    const SwitchCase cases[] = {
        {"", {}},
        {"+IPC", {&CommandLine::bIpc}},
        {"+IPC+SIMU", {&CommandLine::bIpc, &CommandLine::bIpcSimu}},
        // Not the whole argument: remote mode without creating the block.
        {"+IPC+SIMUX", {&CommandLine::bIpc}},
        {"x+IPC+SIMU", {&CommandLine::bIpc}},
        {"+SMALL", {&CommandLine::bSmall}},
        {"+EMUL+DEBUG", {&CommandLine::bEmul, &CommandLine::bDebug}},
        {"abc+NRZdef", {&CommandLine::bNrz}},
        {"+EV3", {&CommandLine::bEv3}},
        {"+LOS", {&CommandLine::bLos}},
        {"+ENDURANCES", {&CommandLine::bEndurances}},
        {"+REC35A0", {&CommandLine::bRec}},
        {"+DRUCK+DTLG", {&CommandLine::bDruck, &CommandLine::bDtlg}},
        {"+ALERTDEBUG", {&CommandLine::bAlertDebug}},
        {"+COM1", {&CommandLine::bCom1}},
        {"+com1", {}},  // switches are case sensitive
        {"+ALERT", {}},
    };
    for (const SwitchCase& c : cases) {
        const CommandLine cl = parseFirstArgument(c.argument);
        for (Flag f : all) {
            const bool want = std::find(c.on.begin(), c.on.end(), f) != c.on.end();
            EXPECT_EQ(cl.*f, want) << "argument \"" << c.argument << "\"";
        }
    }
}

TEST(CommandLine, OnlyTheFirstArgumentCounts) {
    const CommandLine cl = parseCommandLine({"vornlfrf", "+EMUL", "+IPC"});
    EXPECT_TRUE(cl.bEmul);
    EXPECT_FALSE(cl.bIpc);
    EXPECT_EQ(cl.argument, "+EMUL");
    EXPECT_EQ(parseCommandLine({"vornlfrf"}).argument, "");
}

TEST(CommandLine, RecTakesTheFourCharactersAfterIt) {
    EXPECT_EQ(parseFirstArgument("+REC35A0").sRecTypes, "35A0");
    EXPECT_EQ(parseFirstArgument("+DEBUG+REC1234+NRZ").sRecTypes, "1234");
    EXPECT_EQ(parseFirstArgument("+REC12").sRecTypes, "12");
    EXPECT_EQ(parseFirstArgument("+NRZ").sRecTypes, "");
}

TEST(CommandLine, SmallGivesThePageHeightOnlyWhenItLeadsWithDigits) {
    struct {
        const char* argument;
        std::optional<int> height;
    } cases[] = {
        {"+SMALL250", 250},
        {"+SMALL250+NRZ", 250},
        {"+SMALL", std::nullopt},
        {"+SMALL+NRZ", std::nullopt},
        {"+NRZ+SMALL250", std::nullopt},
        {"+SMALL99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        const CommandLine cl = parseFirstArgument(c.argument);
        EXPECT_TRUE(cl.bSmall) << c.argument;
        EXPECT_EQ(cl.smallPageHeight, c.height) << c.argument;
    }
}

}  // namespace
}  // namespace vornlfrf::app
