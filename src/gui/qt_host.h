#pragma once
// The program's Host: Qt timers and event loop, message boxes and file dialogs. Tests install
// responders so that no modal dialog ever blocks them.

#include <QElapsedTimer>
#include <functional>

#include "common/host.h"

class QWidget;

namespace vornlfrf::gui {

struct MessageRequest {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class QtHost : public Host {
  public:
    using MessageResponder = std::function<MsgAnswer(const MessageRequest&)>;
    using FileResponder = std::function<std::string(const FileDialogOptions&, bool save)>;

    QtHost();
    ~QtHost() override;

    std::int64_t nowMs() const override;
    std::int64_t wallClockMs() const override;
    std::unique_ptr<HostTimer> createTimer(int intervalMs, std::function<void()> tick) override;
    void processEvents() override;
    void sleepProcessing(int ms) override;
    MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string openFileDialog(const FileDialogOptions& options) override;
    std::string saveFileDialog(const FileDialogOptions& options) override;

    // When set, they answer instead of the dialogs.
    void setMessageResponder(MessageResponder r) { messageResponder_ = std::move(r); }
    void setFileResponder(FileResponder r) { fileResponder_ = std::move(r); }

  private:
    std::string fileDialog(const FileDialogOptions& options, bool save);

    QElapsedTimer clock_;
    MessageResponder messageResponder_;
    FileResponder fileResponder_;
};

// Qt filter text of a dialog: "Configuration (*.cfg)" stays as it is, a description without
// its pattern gets it appended.
QString fileDialogFilter(const FileDialogOptions& options);

}  // namespace vornlfrf::gui
