// Program entry: splash, main window, event loop. The first argument carries the switches.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <exception>

#include "app/command_line.h"
#include "frm_main.h"
#include "frm_splash.h"
#include "program_folder.h"
#include "qt_host.h"

namespace {

void showException(const char* what) {
    QMessageBox::critical(nullptr, vornlfrf::app::kTitle, QString::fromLocal8Bit(what));
}

// An exception escaping an event handler is shown and event processing goes on.
class Application : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            showException(e.what());
        } catch (...) {
            showException("Unknown error");
        }
        return false;
    }
};

// VORNLFRF_SCREENSHOT=file.png grabs the main window after VORNLFRF_SCREENSHOT_DELAY ms
// (default 1500) and ends the program.
void scheduleScreenshot(QWidget& window) {
    const QString path = qEnvironmentVariable("VORNLFRF_SCREENSHOT");
    if (path.isEmpty()) return;
    bool ok = false;
    int delay = qEnvironmentVariableIntValue("VORNLFRF_SCREENSHOT_DELAY", &ok);
    if (!ok) delay = 1500;
    QTimer::singleShot(delay, &window, [&window, path] {
        const bool saved = window.grab().save(path, "PNG");
        QCoreApplication::exit(saved ? 0 : 3);
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    QApplication::setApplicationName("VornLFRF");
    QApplication::setApplicationDisplayName(vornlfrf::app::kTitle);
    try {
        vornlfrf::gui::QtHost host;
        const auto commandLine = vornlfrf::app::parseFirstArgument(argc > 1 ? argv[1] : "");
        vornlfrf::gui::TfrmMain window(host, commandLine, vornlfrf::gui::programFolder());
        if (commandLine.bIpc) {
            window.InitMainWindow();
            if (window.closedAtStart()) return 1;
        } else {
            window.frmSplash()->showCentred();
            window.InitMainWindow();
            if (window.closedAtStart()) return 1;
            window.showMaximized();
            window.frmSplash()->hide();
        }
        scheduleScreenshot(window);
        return app.exec();
    } catch (const std::exception& e) {
        showException(e.what());
    } catch (...) {
        showException("Unknown error");
    }
    return 1;
}
