#pragma once
// Section handlers for the geometry of the main window (MAIN) and of the log window (LOG).
// The defaults action of a new configuration leaves both windows as they are.

#include "app/command_line.h"
#include "app/window_geometry.h"
#include "config/configuration_document.h"

namespace vornlfrf::app {

class MainSection : public config::SectionHandler {
  public:
    MainSection(WindowGeometry& window, const CommandLine& commandLine)
        : window_(window), commandLine_(commandLine) {}
    int processSection(config::IniDocument* doc, config::ConfigAction action) override;

  private:
    WindowGeometry& window_;
    const CommandLine& commandLine_;
};

class LogSection : public config::SectionHandler {
  public:
    explicit LogSection(WindowGeometry& window) : window_(window) {}
    int processSection(config::IniDocument* doc, config::ConfigAction action) override;

  private:
    WindowGeometry& window_;
};

}  // namespace vornlfrf::app
