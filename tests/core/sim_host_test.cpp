#include "common/sim_host.h"

#include <gtest/gtest.h>

#include <vector>

namespace vornlfrf {
namespace {

TEST(SimHost, FiresTimersInTimeOrderAndNeverReenters) {
    SimHost host;
    std::vector<std::pair<char, std::int64_t>> fired;
    std::unique_ptr<HostTimer> slow;
    auto fast = host.createTimer(50, [&] {
        fired.push_back({'f', host.nowMs()});
        host.sleepProcessing(60);  // a wait inside a tick lets other timers run, not this one
    });
    slow = host.createTimer(80, [&] { fired.push_back({'s', host.nowMs()}); });
    fast->setEnabled(true);
    slow->setEnabled(true);
    host.advance(200);
    std::vector<std::pair<char, std::int64_t>> want = {
        {'f', 50}, {'s', 80}, {'f', 160}, {'s', 160}};
    EXPECT_EQ(fired, want);
}

TEST(SimHost, WaitInATickNearTheEndNeverTurnsTheClockBack) {
    SimHost host;
    auto t = host.createTimer(90, [&] { host.sleepProcessing(1500); });
    t->setEnabled(true);
    host.advance(100);
    EXPECT_EQ(host.nowMs(), 1590);
    host.advance(10);
    EXPECT_EQ(host.nowMs(), 1600);
}

TEST(SimHost, TickThatStopsItsTimerStaysStopped) {
    SimHost host;
    int ticks = 0;
    std::unique_ptr<HostTimer> t;
    t = host.createTimer(10, [&] {
        ++ticks;
        t->setEnabled(false);
    });
    t->setEnabled(true);
    host.advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(t->enabled());
}

TEST(SimHost, ScriptedAnswersAreRecorded) {
    SimHost host;
    host.answers.push_back(MsgAnswer::No);
    EXPECT_EQ(host.messageBox("Q ?", "Warning", MsgIcon::Confirmation, MsgButtons::YesNo),
              MsgAnswer::No);
    EXPECT_EQ(host.messageBox("Q2", "", MsgIcon::Information, MsgButtons::Ok), MsgAnswer::Ok);
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].caption, "Warning");
}

}  // namespace
}  // namespace vornlfrf
