#pragma once
// LF script lines and the script editor.
//
// Line layout: COMMAND ';' arg0 0xA0 arg1 0xA0 ... (nothing after the last argument; a command
// without arguments ends with the ';'). Text after a second ';' is not part of the arguments.

#include <functional>
#include <string>
#include <vector>

#include "common/host.h"

namespace vornlfrf::config {

// In the order of the add menu.
enum class ScriptCommand {
    Comment,
    Delay,
    End,
    Level,
    IdStart,
    IdStop,
    Restart,
    SendCW,
    SendF,
    Set,
    WaitIn,
    Count,
    None = Count,  // a command word the editor does not know
};

struct ScriptCommandInfo {
    ScriptCommand command;
    const char* word;
    std::vector<std::string> defaults;  // arguments of the line the add menu inserts
    std::vector<std::string> help;      // help lines of the command's panel
    std::vector<std::string> labels;    // text beside each argument's editor ("" for none)
};

// One entry per command, in add-menu order.
const std::vector<ScriptCommandInfo>& ScriptCommands();
const ScriptCommandInfo* FindScriptCommand(const std::string& word);
const ScriptCommandInfo& InfoOf(ScriptCommand command);

struct ScriptLine {
    std::string command;
    std::vector<std::string> args;
};

ScriptLine ParseScriptLine(const std::string& line);
std::string BuildScriptLine(const std::string& command, const std::vector<std::string>& args);

// Hints of the script page's buttons.
namespace scripthint {
inline constexpr char kAdd[] = "Add a command (just below selected line)";
inline constexpr char kDelete[] = "Delete the selected line";
inline constexpr char kDeleteAll[] = "Delete all the script";
inline constexpr char kCopy[] = "Copy the selected line";
}  // namespace scripthint

// Stored in place of an empty argument.
inline constexpr char kScriptArgError[] = "(ERROR)";

// Arguments cannot carry the line's separators: ';' is dropped, 0xA0 and line breaks become
// spaces.
std::string CleanScriptArgument(const std::string& value);

// Settings of the command editors, named after their controls.
struct ScriptEditors {
    std::string cboScriptFrame;
    std::string txtScriptRepetition;
    std::string txtScriptInterframe;
    std::string cboSendCWFrame;
    std::string txtScriptDuration;
    std::string txtScriptDuring;
    std::string txtScriptLevel;
    std::string txtIdStart;
    std::string txtIdStopDuring;
    bool chkIdStopAbort = false;
    bool chkIdStopDisplay = false;
    std::string txtSETParameter;
    std::string txtSETValue;
    std::string txtCOMMENTValue;
    bool rdbWAITINLevel0 = false;
    bool rdbWAITINLevel1 = true;
};

class LfScript {
  public:
    // markModified is called after each operator change.
    LfScript(Host& host, std::function<void()> markModified = {});

    void setMarkModified(std::function<void()> markModified) {
        markModified_ = std::move(markModified);
    }
    // Called while the editing guard is set, after the editors were filled from a line, so a
    // view can copy them into its widgets without its change events editing the line.
    std::function<void()> onEditorsFilled;

    const std::vector<std::string>& lines() const { return lines_; }
    int selected() const { return selected_; }
    bool commandAreaVisible() const { return commandAreaVisible_; }
    // The panel in front, None before any line was shown.
    ScriptCommand panel() const { return panel_; }
    const ScriptEditors& editors() const { return editors_; }
    bool editingGuard() const { return guard_; }

    // Document load and clear; neither marks the document modified.
    void setLines(std::vector<std::string> lines);
    void Clear();
    // After every load or defaults action of the document.
    void hideCommandArea() { commandAreaVisible_ = false; }

    void InsertScriptLine(const std::string& line);
    void addCommand(ScriptCommand command);
    void lstScriptCommandsClick(int index);
    // Nothing selected, or n beyond a position the line can hold: nothing happens. Missing
    // arguments before n take the command's default.
    void SetScriptArgument(const std::string& value, int n);

    void cboScriptFrameChange(const std::string& text);
    void txtScriptRepetitionChange(const std::string& text);
    void txtScriptInterframeChange(const std::string& text);
    void cboSendCWFrameChange(const std::string& text);
    void txtScriptDurationChange(const std::string& text);
    void txtScriptDuringChange(const std::string& text);
    void txtScriptLevelChange(const std::string& text);
    void txtIdStartChange(const std::string& text);
    void txtIdStopDuringChange(const std::string& text);
    void chkIdStopAbortClick(bool ticked);
    void chkIdStopDisplayClick(bool ticked);
    void txtSETParameterChange(const std::string& text);
    void txtSETValueChange(const std::string& text);
    void txtCOMMENTValueChange(const std::string& text);
    void rdbWAITINLevel0Click();
    void rdbWAITINLevel1Click();

    // Each returns false when nothing changed (no selection, no neighbour, answer No).
    bool butScriptDelClick();
    bool butSupprimerToutClick();
    bool butScriptBasClick();
    bool butScriptHautClick();
    bool butScriptCopyClick();

  private:
    void fillEditors();
    // SetScriptArgument without the modified mark; false when nothing was replaced.
    bool replaceArgument(const std::string& value, int n);
    // The selected line's command, None without a selection.
    ScriptCommand selectedCommand() const;
    // Editor changes apply only to a selected line of the editor's own command.
    void editArgument(ScriptCommand editor, const std::string& value, int n);
    void txtIdStopChange();
    bool moveSelected(int delta);
    void modified();

    Host& host_;
    std::function<void()> markModified_;
    std::vector<std::string> lines_;
    int selected_ = -1;
    bool commandAreaVisible_ = false;
    ScriptCommand panel_ = ScriptCommand::None;
    ScriptEditors editors_;
    bool guard_ = false;
};

// Asks "Are you sure to delete ?" (caption "Warning", Yes/No).
bool ConfirmDelete(Host& host);

}  // namespace vornlfrf::config
