#include "qt_host.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "cp1252.h"

namespace vornlfrf::gui {

namespace {

class QtHostTimer : public HostTimer {
  public:
    QtHostTimer(int intervalMs, std::function<void()> tick)
        : interval_(std::max(1, intervalMs)), tick_(std::move(tick)) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    ~QtHostTimer() override {
        if (alive_) *alive_ = false;
    }

    void setInterval(int ms) override {
        interval_ = std::max(1, ms);
        if (enabled_ && !running_) timer_.start(interval_);
    }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override {
        if (running_) {
            enabledAfterTick_ = on;
            return;
        }
        if (on == enabled_) return;
        enabled_ = on;
        if (on)
            timer_.start(interval_);
        else
            timer_.stop();
    }
    bool enabled() const override { return running_ ? enabledAfterTick_ : enabled_; }

  private:
    // Single-shot and re-armed after the tick: waits inside the tick cannot re-enter it.
    void fire() {
        auto alive = std::make_shared<bool>(true);
        alive_ = alive.get();
        running_ = true;
        enabledAfterTick_ = true;
        tick_();
        if (!*alive) return;  // the tick destroyed its own timer
        alive_ = nullptr;
        running_ = false;
        enabled_ = enabledAfterTick_;
        if (enabled_) timer_.start(interval_);
    }

    QTimer timer_;
    int interval_;
    std::function<void()> tick_;
    bool enabled_ = false;
    bool running_ = false;
    bool enabledAfterTick_ = true;
    bool* alive_ = nullptr;
};

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Warning:
            return QMessageBox::Warning;
        case MsgIcon::Error:
            return QMessageBox::Critical;
        case MsgIcon::Confirmation:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString fileDialogFilter(const FileDialogOptions& options) {
    const QString description = fromCp1252(options.filterDescription);
    const QString pattern = fromCp1252(options.pattern);
    if (pattern.isEmpty() || description.endsWith("(" + pattern + ")")) return description;
    return description + " (" + pattern + ")";
}

QtHost::QtHost() {
    clock_.start();
}

QtHost::~QtHost() = default;

std::int64_t QtHost::nowMs() const {
    return clock_.elapsed();
}

std::int64_t QtHost::wallClockMs() const {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toMSecsSinceEpoch() + static_cast<std::int64_t>(now.offsetFromUtc()) * 1000;
}

std::unique_ptr<HostTimer> QtHost::createTimer(int intervalMs, std::function<void()> tick) {
    return std::make_unique<QtHostTimer>(intervalMs, std::move(tick));
}

void QtHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtHost::sleepProcessing(int ms) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 left = ms - waited.elapsed();
        if (left <= 0) break;
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(left, 1, 10)));
    }
}

MsgAnswer QtHost::messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                             MsgButtons buttons) {
    if (messageResponder_) return messageResponder_({text, caption, icon, buttons});

    QString body = fromCp1252(text);
    body.replace("\r\n", "\n");
    QMessageBox box(qtIcon(icon), fromCp1252(caption), body, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Ok:
            return MsgAnswer::Ok;
        default:
            return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

std::string QtHost::openFileDialog(const FileDialogOptions& options) {
    return fileDialog(options, false);
}

std::string QtHost::saveFileDialog(const FileDialogOptions& options) {
    return fileDialog(options, true);
}

std::string QtHost::fileDialog(const FileDialogOptions& options, bool save) {
    if (fileResponder_) return fileResponder_(options, save);

    QFileDialog dialog(QApplication::activeWindow(), fromCp1252(options.title),
                       fromPath(options.startFolder), fileDialogFilter(options));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !options.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString suffix = fromCp1252(options.defaultExtension);
    if (suffix.startsWith('.')) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return toPath(dialog.selectedFiles().first());
}

}  // namespace vornlfrf::gui
