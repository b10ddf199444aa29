#pragma once
// The single user-interface thread as core sees it: clock, timers, waits that let pending
// events run, and modal questions. QtHost serves the program, SimHost the tests.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vornlfrf {

enum class MsgIcon { Information, Warning, Error, Confirmation };
enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct FileDialogOptions {
    std::string title;
    std::string filterDescription;  // "Configuration (*.cfg)"
    std::string pattern;            // "*.cfg"
    std::string defaultExtension;   // "cfg"
    std::string startFolder;        // "."
    bool mustExist = false;         // open dialogs
    bool confirmOverwrite = false;  // save dialogs
};

// A periodic timer. Its tick never re-enters: the host disables the timer while the tick runs
// and re-enables it afterwards unless the tick disabled it.
class HostTimer {
  public:
    virtual ~HostTimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // Monotonic milliseconds since an arbitrary origin.
    virtual std::int64_t nowMs() const = 0;
    // Local wall-clock time, milliseconds since the epoch.
    virtual std::int64_t wallClockMs() const = 0;

    virtual std::unique_ptr<HostTimer> createTimer(int intervalMs, std::function<void()> tick) = 0;
    virtual void processEvents() = 0;
    // Sleep in small steps while due timers and pending events run.
    virtual void sleepProcessing(int ms) = 0;

    virtual MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Empty when the operator cancels.
    virtual std::string openFileDialog(const FileDialogOptions& options) = 0;
    virtual std::string saveFileDialog(const FileDialogOptions& options) = 0;
};

}  // namespace vornlfrf
