#pragma once
// The configuration document as a whole: its path and modified state, the window caption, the
// section handlers that save, load or reset their own sections in a fixed order, the document
// commands of the main menu, the file that reopens the last configuration, and the analysis
// chain run before a run.

#include <array>
#include <functional>
#include <string>

#include "common/host.h"
#include "config/analysis_log.h"
#include "config/ini_document.h"

namespace vornlfrf::config {

enum class ConfigAction { Save = 1, Load = 2, Defaults = 3 };

// Handlers run in this order.
enum class SectionSlot { Main, LfConf, RfFrame, RunConf, Hardware, Log, Run, Plugins, Count };

class SectionHandler {
  public:
    virtual ~SectionHandler() = default;
    // doc is null for the defaults action. The LF handler returns its number of frames, the RF
    // handler its number of descriptions; the others return 0.
    virtual int processSection(IniDocument* doc, ConfigAction action) = 0;
};

// Analyses of the configuration chain, each writing its own heading and error lines.
enum class AnalysisStep { LfFrames, RfDescriptions, RunConfiguration, DataLogger, Count };
using Analyser = std::function<bool(AnalysisLog&)>;

namespace text {
inline constexpr char kReadOnly[] =
    "Be careful : the choosen configuration file has Read Only attribute.\r\nIt can't be "
    "modified !";
inline constexpr char kEmptyLists[] =
    "It is not possible to save the configuration if the LF list\r\nand the RF list are empty !";
inline constexpr char kWriteError[] =
    "Error during configuration writing !\r\nVerify that the file can be updated.";
inline constexpr char kSaveBefore[] = "Do you want to save the actual configuration before ?";
inline constexpr char kNewConfigurationFile[] = "NewConfiguration.cfg";
inline constexpr char kLastConfigurationFile[] = "LastConfiguration.dat";
}  // namespace text

class ConfigurationDocument {
  public:
    ConfigurationDocument(Host& host, std::string programFolder, std::string title);

    void setHandler(SectionSlot slot, SectionHandler* handler);
    void setAnalyser(AnalysisStep step, Analyser analyser);

    // Runs every handler in order on the document of path (none for the defaults action).
    void ProcessConfiguration(const std::string& path, ConfigAction action);
    void MarkModified();
    void ShowDocumentTitle();
    // True while handlers run: their control changes must not mark the document modified.
    bool loading() const { return processing_; }

    // Menu commands. Each returns false when the operator cancelled it.
    bool newConfiguration();
    bool loadConfiguration();
    // Loads path without questions (the start-up reload and the remote LOAD).
    void loadFrom(const std::string& path);
    void saveConfiguration();
    bool saveConfigurationAs();
    // Close request: false keeps the window open.
    bool queryClose(bool runActive);

    // First show: defaults for a new configuration, then the last configuration when known.
    void applyStartupConfiguration();
    // Reads at most 1024 bytes; false when the file is missing, unreadable or empty.
    bool readLastConfiguration(std::string& path) const;
    // Replaces the file's content with sConfigPath; silently does nothing when it cannot.
    void writeLastConfiguration() const;

    bool AnalyseConfiguration();

    std::string caption() const;
    std::string programFile(const std::string& name) const;
    AnalysisLog& log() { return log_; }

    const std::string sTitle;
    std::string sConfigPath;
    bool bModified = false;
    bool bNoConfiguration = true;

    // Presentation hooks: the caption changed; a load is about to replace the windows'
    // content (the main window hides its tabs); the log must be shown modally; a load or
    // defaults action finished (the LF window hides its script editor).
    std::function<void(const std::string&)> onCaptionChanged;
    std::function<void()> onBeforeLoad;
    std::function<void()> onShowLog;
    std::function<void()> onAfterLoadOrDefaults;

  private:
    bool askSaveBefore();
    static const FileDialogOptions& fileDialog(bool save);

    Host& host_;
    std::string programFolder_;
    AnalysisLog log_;
    std::array<SectionHandler*, static_cast<std::size_t>(SectionSlot::Count)> handlers_{};
    std::array<Analyser, static_cast<std::size_t>(AnalysisStep::Count)> analysers_{};
    bool processing_ = false;
};

}  // namespace vornlfrf::config
