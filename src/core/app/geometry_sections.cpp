#include "app/geometry_sections.h"

namespace vornlfrf::app {

using config::ConfigAction;

namespace {
constexpr char kMain[] = "MAIN";
constexpr char kLog[] = "LOG";
}  // namespace

int MainSection::processSection(config::IniDocument* doc, ConfigAction action) {
    if (!doc) return 0;
    if (action == ConfigAction::Save) {
        doc->writeInteger(kMain, "ClientWidth", window_.clientWidth());
        doc->writeInteger(kMain, "ClientHeight", window_.clientHeight());
        doc->writeInteger(kMain, "Left", window_.left());
        doc->writeInteger(kMain, "Top", window_.top());
    } else if (action == ConfigAction::Load) {
        window_.setClientSize(doc->readInteger(kMain, "ClientWidth", 742),
                              doc->readInteger(kMain, "ClientHeight", 366));
        window_.setPosition(doc->readInteger(kMain, "Left", 0), doc->readInteger(kMain, "Top", 0));
        if (commandLine_.bSmall) {
            window_.showNormal();
            window_.setSize(800, 600);
            window_.setPosition(0, 0);
        }
    }
    return 0;
}

int LogSection::processSection(config::IniDocument* doc, ConfigAction action) {
    if (!doc) return 0;
    if (action == ConfigAction::Save) {
        doc->writeInteger(kLog, "Top", window_.top());
        doc->writeInteger(kLog, "Left", window_.left());
        doc->writeInteger(kLog, "Width", window_.width());
        doc->writeInteger(kLog, "Height", window_.height());
    } else if (action == ConfigAction::Load) {
        const int top = doc->readInteger(kLog, "Top", 10);
        const int left = doc->readInteger(kLog, "Left", 10);
        window_.setSize(doc->readInteger(kLog, "Width", 100),
                        doc->readInteger(kLog, "Height", 200));
        window_.setPosition(left, top);
    }
    return 0;
}

}  // namespace vornlfrf::app
