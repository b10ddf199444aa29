#include "qt_host.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

#include "program_folder.h"
#include "qt_printers.h"

namespace vornlfrf::gui {
namespace {

TEST(QtHost, RespondersAnswerInsteadOfDialogs) {
    QtHost host;
    std::vector<MessageRequest> asked;
    host.setMessageResponder([&](const MessageRequest& r) {
        asked.push_back(r);
        return MsgAnswer::No;
    });
    EXPECT_EQ(
        host.messageBox("Save ?", "Confirmation", MsgIcon::Confirmation, MsgButtons::YesNoCancel),
        MsgAnswer::No);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Confirmation");
    EXPECT_EQ(asked[0].buttons, MsgButtons::YesNoCancel);

    std::vector<bool> saves;
    host.setFileResponder([&](const FileDialogOptions& options, bool save) {
        saves.push_back(save);
        return options.title == "T" ? std::string("/a.cfg") : std::string();
    });
    EXPECT_EQ(host.openFileDialog({"T", "", "", "", ".", true, false}), "/a.cfg");
    EXPECT_EQ(host.saveFileDialog({"U", "", "", "", ".", false, true}), "");
    EXPECT_EQ(saves, (std::vector<bool>{false, true}));
}

TEST(QtHost, FilterNamesThePatternOnce) {
    FileDialogOptions options;
    options.filterDescription = "Configuration (*.cfg)";
    options.pattern = "*.cfg";
    EXPECT_EQ(fileDialogFilter(options), "Configuration (*.cfg)");
    options.filterDescription = "Binary files";
    options.pattern = "*.bin";
    EXPECT_EQ(fileDialogFilter(options), "Binary files (*.bin)");
}

// Real time, kept short: a wait inside a tick lets other timers run but never the same one.
TEST(QtHost, TimerTickNeverReentersAndMayStopItself) {
    QtHost host;
    int fastTicks = 0, otherTicks = 0, depth = 0, maxDepth = 0;
    std::unique_ptr<HostTimer> fast;
    fast = host.createTimer(1, [&] {
        ++fastTicks;
        maxDepth = std::max(maxDepth, ++depth);
        EXPECT_TRUE(fast->enabled());
        host.sleepProcessing(30);
        if (fastTicks == 2) fast->setEnabled(false);
        --depth;
    });
    auto other = host.createTimer(2, [&] { ++otherTicks; });
    fast->setEnabled(true);
    other->setEnabled(true);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 150) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(fastTicks, 2);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GT(otherTicks, 2);
    EXPECT_FALSE(fast->enabled());
}

TEST(QtHost, SleepProcessingWaitsAtLeastItsTime) {
    QtHost host;
    const auto before = host.nowMs();
    host.sleepProcessing(25);
    EXPECT_GE(host.nowMs() - before, 25);
}

TEST(ProgramFolder, HomeVariableWinsOverTheExecutableFolder) {
    const QByteArray saved = qgetenv(kHomeVariable);
    qputenv(kHomeVariable, "/tmp/somewhere/../vornlfrf-home");
    EXPECT_EQ(programFolder(), "/tmp/vornlfrf-home");
    qunsetenv(kHomeVariable);
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath());
    if (!saved.isNull()) qputenv(kHomeVariable, saved);
}

}  // namespace
}  // namespace vornlfrf::gui
