#include "config/configuration_document.h"

#include <filesystem>
#include <fstream>

namespace vornlfrf::config {

namespace fs = std::filesystem;

namespace {

bool isReadOnly(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return false;
    const auto perms = fs::status(path, ec).permissions();
    return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

}  // namespace

ConfigurationDocument::ConfigurationDocument(Host& host, std::string programFolder,
                                             std::string title)
    : sTitle(std::move(title)), host_(host), programFolder_(std::move(programFolder)) {}

void ConfigurationDocument::setHandler(SectionSlot slot, SectionHandler* handler) {
    handlers_[static_cast<std::size_t>(slot)] = handler;
}

void ConfigurationDocument::setAnalyser(AnalysisStep step, Analyser analyser) {
    analysers_[static_cast<std::size_t>(step)] = std::move(analyser);
}

std::string ConfigurationDocument::programFile(const std::string& name) const {
    return (fs::path(programFolder_) / name).string();
}

std::string ConfigurationDocument::caption() const {
    return sTitle + " - " + sConfigPath + (bModified ? " (modified)" : "");
}

void ConfigurationDocument::MarkModified() {
    if (processing_) return;
    bModified = true;
    bNoConfiguration = false;
    if (onCaptionChanged) onCaptionChanged(caption());
}

void ConfigurationDocument::ShowDocumentTitle() {
    bModified = false;
    if (onCaptionChanged) onCaptionChanged(caption());
}

void ConfigurationDocument::ProcessConfiguration(const std::string& path, ConfigAction action) {
    if (isReadOnly(path))
        host_.messageBox(text::kReadOnly, "Warning", MsgIcon::Warning, MsgButtons::Ok);

    IniDocument doc;
    const bool withDocument = action != ConfigAction::Defaults;
    if (withDocument) doc = IniDocument::fromFile(path);

    int lfCount = 0, rfCount = 0;
    processing_ = true;
    for (std::size_t i = 0; i < handlers_.size(); ++i) {
        if (!handlers_[i]) continue;
        const int n = handlers_[i]->processSection(withDocument ? &doc : nullptr, action);
        if (i == static_cast<std::size_t>(SectionSlot::LfConf)) lfCount = n;
        if (i == static_cast<std::size_t>(SectionSlot::RfFrame)) rfCount = n;
    }
    processing_ = false;

    bool writeFailed = false;
    if (action == ConfigAction::Save) {
        if (lfCount == 0 && rfCount == 0) {
            host_.messageBox(text::kEmptyLists, "Warning", MsgIcon::Warning, MsgButtons::Ok);
        } else if (!doc.saveToFile(path)) {
            writeFailed = true;
            host_.messageBox(text::kWriteError, "Error", MsgIcon::Error, MsgButtons::Ok);
        }
    }
    if (action != ConfigAction::Save && onAfterLoadOrDefaults) onAfterLoadOrDefaults();

    // Edits that could not be written stay marked, so closing still offers to save them.
    if (writeFailed) {
        if (onCaptionChanged) onCaptionChanged(caption());
        return;
    }
    ShowDocumentTitle();
}

bool ConfigurationDocument::askSaveBefore() {
    if (!bModified) return true;
    switch (host_.messageBox(text::kSaveBefore, "Confirmation", MsgIcon::Confirmation,
                             MsgButtons::YesNoCancel)) {
        case MsgAnswer::Yes:
            ProcessConfiguration(sConfigPath, ConfigAction::Save);
            return true;
        case MsgAnswer::No:
            return true;
        default:
            return false;
    }
}

const FileDialogOptions& ConfigurationDocument::fileDialog(bool save) {
    static const FileDialogOptions load{
        "Load a configuration", "Configuration (*.cfg)", "*.cfg", "cfg", ".", true, false};
    static const FileDialogOptions saveAs{
        "Save the actual configuration", "Configuration (*.cfg)", "*.cfg", "cfg", ".", false, true};
    return save ? saveAs : load;
}

bool ConfigurationDocument::newConfiguration() {
    if (!askSaveBefore()) return false;
    sConfigPath = programFile(text::kNewConfigurationFile);
    ProcessConfiguration(sConfigPath, ConfigAction::Defaults);
    return true;
}

bool ConfigurationDocument::loadConfiguration() {
    if (!askSaveBefore()) return false;
    const std::string chosen = host_.openFileDialog(fileDialog(false));
    if (chosen.empty()) return false;
    if (onBeforeLoad) onBeforeLoad();
    loadFrom(chosen);
    return true;
}

void ConfigurationDocument::loadFrom(const std::string& path) {
    sConfigPath = path;
    ProcessConfiguration(sConfigPath, ConfigAction::Load);
    bNoConfiguration = false;
}

void ConfigurationDocument::saveConfiguration() {
    ProcessConfiguration(sConfigPath, ConfigAction::Save);
}

bool ConfigurationDocument::saveConfigurationAs() {
    const std::string chosen = host_.saveFileDialog(fileDialog(true));
    if (chosen.empty()) return false;
    sConfigPath = chosen;
    ProcessConfiguration(sConfigPath, ConfigAction::Save);
    return true;
}

bool ConfigurationDocument::queryClose(bool runActive) {
    if (runActive) return false;
    return askSaveBefore();
}

void ConfigurationDocument::applyStartupConfiguration() {
    if (!sConfigPath.empty()) return;
    sConfigPath = programFile(text::kNewConfigurationFile);
    ProcessConfiguration(sConfigPath, ConfigAction::Defaults);
    std::string last;
    if (readLastConfiguration(last)) loadFrom(last);
}

bool ConfigurationDocument::readLastConfiguration(std::string& path) const {
    std::ifstream in(programFile(text::kLastConfigurationFile), std::ios::binary);
    if (!in) return false;
    char buffer[1024];
    in.read(buffer, sizeof buffer);
    const std::streamsize n = in.gcount();
    if (n <= 0) return false;
    path.assign(buffer, static_cast<std::size_t>(n));
    return true;
}

void ConfigurationDocument::writeLastConfiguration() const {
    std::ofstream out(programFile(text::kLastConfigurationFile),
                      std::ios::binary | std::ios::trunc);
    if (!out) return;
    out.write(sConfigPath.data(), static_cast<std::streamsize>(sConfigPath.size()));
}

bool ConfigurationDocument::AnalyseConfiguration() {
    log_.ClearLog();
    for (const Analyser& step : analysers_) {
        if (step && !step(log_)) {
            if (onShowLog) onShowLog();
            return false;
        }
    }
    return true;
}

}  // namespace vornlfrf::config
