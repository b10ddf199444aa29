#pragma once
// The LF configuration: the frame list as item texts with the editing operations of its window,
// the script list, the LFCONF and LFSCRIPT sections, and the compiled LfFrameTable.

#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "config/configuration_document.h"
#include "config/lf_frames.h"
#include "config/lf_script.h"

namespace vornlfrf::config {

// Section and key names of the document.
namespace lfsection {
inline constexpr char kFrames[] = "LFCONF";
inline constexpr char kFrameCount[] = "NbFrames";
inline constexpr char kNameWidth[] = "NameWidth";
inline constexpr char kScript[] = "LFSCRIPT";
inline constexpr char kScriptCount[] = "NbScript";
}  // namespace lfsection

constexpr int kDefaultNameWidth = 120;
// Label beside the baud-rate list.
inline constexpr char kBaudrateLabel[] = "bauds Manchester";
// A load reads at most this many frames or script lines (far beyond any bench configuration),
// so a damaged count cannot fill the memory.
constexpr int kMaxLoadedEntries = 10000;

// Item values cannot carry the item separator 0xAC; line breaks become spaces as the document
// would store them, and a key tag such as "Data:" becomes "Data :".
std::string CleanItemValue(const std::string& value);
// Frame names also end up as script arguments, so they lose the script separators too.
std::string CleanFrameName(const std::string& value);

// Settings of the frame editors, named after their controls.
struct FrameEditors {
    std::string txtName;
    std::string txtComment;
    std::string txtContent;
    int cboBaudrate = -1;  // index in BaudrateList(), -1 for none
    int cboFreq = kDefaultFreqIndex;
    bool rdbStandard = true;
    bool rdbInverted = false;
    bool rdbLFData = true;
    bool rdbLFCW = false;
    std::string txtTest;
    std::string lblAnalysis;
};

class LfConf : public SectionHandler {
  public:
    explicit LfConf(Host& host, std::function<void()> markModified = {});

    // Registers the section handler and the LF frames analysis, and marks doc modified after
    // operator changes.
    void attachTo(ConfigurationDocument& doc);
    void setMarkModified(std::function<void()> markModified);
    // Called while the editing guard is set, after the editors were filled from an item.
    std::function<void()> onEditorsFilled;
    // Called after a load or defaults action replaced the frames and the script.
    std::function<void()> onReloaded;

    int processSection(IniDocument* doc, ConfigAction action) override;

    const std::vector<std::string>& frames() const { return frames_; }
    int selected() const { return selected_; }
    bool editingPanelVisible() const { return panelVisible_; }
    bool contentEditorsVisible() const { return editors_.rdbLFData; }
    const FrameEditors& editors() const { return editors_; }
    bool editingGuard() const { return guard_; }
    int nameWidth() const { return nameWidth_; }
    void setNameWidth(int width) { nameWidth_ = width; }

    // Texts of the list's two columns.
    std::string frameName(int index) const;
    std::string frameComment(int index) const;
    // Names of the data frames (SENDF) or of the CW frames (SENDCW), in list order.
    std::vector<std::string> frameNames(bool data) const;

    void setFrames(std::vector<std::string> items);
    void Clear();

    void butAddClick();
    // Each returns false when nothing changed (no selection, no neighbour, answer No).
    bool butDelClick();
    bool butBasClick();
    bool butHautClick();
    bool butFrameCopyClick();
    void lstFramesClick(int index);

    void txtNameChange(const std::string& text);
    void txtCommentChange(const std::string& text);
    void txtContentChange(const std::string& text);
    void cboBaudrateChange(int index);
    void cboFreqChange(int index);
    void rdbStandardClick();
    void rdbInvertedClick();
    void rdbLFDataClick();
    void rdbLFCWClick();
    // Codes txtContent and shows the bits and their count.
    void butTestClick();

    LfScript& script() { return script_; }
    const LfScript& script() const { return script_; }

    bool AnalyseLfFrames(AnalysisLog& log);
    const LfFrameTable& table() const { return table_; }
    // The emission code writes EmittedContent, ControllerMessage and LastParamValues.
    LfFrameTable& table() { return table_; }

  private:
    void fillEditors();
    void edit(const char* key, const std::string& value);
    bool moveSelected(int delta);
    bool hasSelection() const;
    void modified();

    Host& host_;
    std::function<void()> markModified_;
    std::vector<std::string> frames_;
    int selected_ = -1;
    bool panelVisible_ = false;
    bool guard_ = false;
    int nameWidth_ = kDefaultNameWidth;
    FrameEditors editors_;
    LfScript script_;
    LfFrameTable table_;
};

}  // namespace vornlfrf::config
