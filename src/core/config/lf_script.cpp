#include "config/lf_script.h"

#include <utility>

#include "config/ini_document.h"
#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

constexpr char kDuration[] = "(0..10000000 step 1)";

}  // namespace

const std::vector<ScriptCommandInfo>& ScriptCommands() {
    static const std::vector<ScriptCommandInfo> table = {
        {ScriptCommand::Comment,
         "COMMENT",
         {"********** Comment **********"},
         {"Add a comment in the script (not executed)"},
         {""}},
        {ScriptCommand::Delay, "DELAY", {"100"}, {"Wait a fixed timer"}, {kDuration}},
        {ScriptCommand::End, "END", {}, {"End the script"}, {}},
        {ScriptCommand::Level, "LEVEL", {"30"}, {"Change the global LF Level"}, {"(0..100)"}},
        {ScriptCommand::IdStart,
         "IDSTART",
         {"123ABC"},
         {"Spy the specified ID", "The analysis is done with IDSTOP command"},
         {"(without 'h' suffix)"}},
        {ScriptCommand::IdStop,
         "IDSTOP",
         {"100", "N", "N"},
         {"Wait a specific ID received frame", "The ID must be specified in IDSTART command"},
         {kDuration, "Abort the delay if a frame with ID is received",
          "Display a message if a frame with ID is not received"}},
        {ScriptCommand::Restart, "RESTART", {}, {"Restart the script"}, {}},
        {ScriptCommand::SendCW, "SENDCW", {"", "10"}, {"Send Carrier"}, {"", "1..8000000 step 1"}},
        {ScriptCommand::SendF,
         "SENDF",
         {"", "1", "10"},
         {"Send a defined data frame"},
         {"", "1..255 step 1", "0..255 step 1"}},
        {ScriptCommand::Set,
         "SET",
         {"ID", "0000h"},
         {"Set a global parameter"},
         {"", "Hexa or Binary"}},
        {ScriptCommand::WaitIn, "WAITIN", {"1"}, {"Wait a fixed level in Rxpin5 input"}, {""}},
    };
    return table;
}

const ScriptCommandInfo* FindScriptCommand(const std::string& word) {
    for (const ScriptCommandInfo& info : ScriptCommands())
        if (word == info.word) return &info;
    return nullptr;
}

const ScriptCommandInfo& InfoOf(ScriptCommand command) {
    return ScriptCommands().at(static_cast<std::size_t>(command));
}

ScriptLine ParseScriptLine(const std::string& line) {
    ScriptLine out;
    const std::vector<std::string> pieces = SplitList(line, ';');
    if (!pieces.empty()) out.command = pieces[0];
    if (pieces.size() > 1) out.args = SplitList(pieces[1], kArgSeparator);
    return out;
}

std::string BuildScriptLine(const std::string& command, const std::vector<std::string>& args) {
    return command + ";" + JoinList(args, kArgSeparator);
}

std::string CleanScriptArgument(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == ';') continue;
        out += (c == kArgSeparator || c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

bool ConfirmDelete(Host& host) {
    return host.messageBox("Are you sure to delete ?", "Warning", MsgIcon::Warning,
                           MsgButtons::YesNo) == MsgAnswer::Yes;
}

LfScript::LfScript(Host& host, std::function<void()> markModified)
    : host_(host), markModified_(std::move(markModified)) {}

void LfScript::modified() {
    if (markModified_) markModified_();
}

void LfScript::setLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    selected_ = -1;
    commandAreaVisible_ = false;
}

void LfScript::Clear() {
    setLines({});
}

ScriptCommand LfScript::selectedCommand() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(lines_.size())) return ScriptCommand::None;
    const ScriptCommandInfo* info =
        FindScriptCommand(ParseScriptLine(lines_[static_cast<std::size_t>(selected_)]).command);
    return info ? info->command : ScriptCommand::None;
}

void LfScript::fillEditors() {
    const ScriptCommand command = selectedCommand();
    if (command == ScriptCommand::None) return;
    const ScriptLine line = ParseScriptLine(lines_[static_cast<std::size_t>(selected_)]);
    auto arg = [&](std::size_t i) { return i < line.args.size() ? line.args[i] : std::string(); };

    guard_ = true;
    ScriptEditors& e = editors_;
    switch (command) {
        case ScriptCommand::SendF:
            e.cboScriptFrame = arg(0);
            e.txtScriptRepetition = arg(1);
            e.txtScriptInterframe = arg(2);
            break;
        case ScriptCommand::SendCW:
            e.cboSendCWFrame = arg(0);
            e.txtScriptDuration = arg(1);
            break;
        case ScriptCommand::Delay:
            e.txtScriptDuring = arg(0);
            break;
        case ScriptCommand::Level:
            e.txtScriptLevel = arg(0);
            break;
        case ScriptCommand::IdStart:
            e.txtIdStart = arg(0);
            break;
        case ScriptCommand::IdStop:
            e.txtIdStopDuring = arg(0);
            e.chkIdStopAbort = arg(1) == "Y";
            e.chkIdStopDisplay = arg(2) == "Y";
            break;
        case ScriptCommand::Set:
            e.txtSETParameter = arg(0);
            e.txtSETValue = arg(1);
            break;
        case ScriptCommand::Comment:
            e.txtCOMMENTValue = arg(0);
            break;
        case ScriptCommand::WaitIn:
            if (arg(0) == "0" || arg(0) == "1") {
                e.rdbWAITINLevel0 = arg(0) == "0";
                e.rdbWAITINLevel1 = !e.rdbWAITINLevel0;
            }
            break;
        default:
            break;  // END and RESTART have no editor
    }
    panel_ = command;
    // Clicking a line shows its editor, also after a delete hid the command area.
    commandAreaVisible_ = true;
    if (onEditorsFilled) onEditorsFilled();
    guard_ = false;
}

void LfScript::InsertScriptLine(const std::string& line) {
    const std::size_t at = selected_ >= 0 && selected_ < static_cast<int>(lines_.size())
                               ? static_cast<std::size_t>(selected_) + 1
                               : lines_.size();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
    selected_ = static_cast<int>(at);
    fillEditors();
    commandAreaVisible_ = true;
    modified();
}

void LfScript::addCommand(ScriptCommand command) {
    const ScriptCommandInfo& info = InfoOf(command);
    InsertScriptLine(BuildScriptLine(info.word, info.defaults));
}

void LfScript::lstScriptCommandsClick(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return;
    selected_ = index;
    fillEditors();
}

bool LfScript::replaceArgument(const std::string& value, int n) {
    if (n < 0 || selected_ < 0 || selected_ >= static_cast<int>(lines_.size())) return false;
    ScriptLine line = ParseScriptLine(lines_[static_cast<std::size_t>(selected_)]);
    const std::size_t pos = static_cast<std::size_t>(n);
    const ScriptCommandInfo* info = FindScriptCommand(line.command);
    // A known command holds only its own arguments.
    if (info && pos >= info->defaults.size()) return false;
    while (line.args.size() <= pos)
        line.args.push_back(info ? info->defaults[line.args.size()] : kScriptArgError);
    const std::string clean = CleanScriptArgument(value);
    line.args[pos] = clean.empty() ? kScriptArgError : clean;
    lines_[static_cast<std::size_t>(selected_)] = BuildScriptLine(line.command, line.args);
    return true;
}

void LfScript::SetScriptArgument(const std::string& value, int n) {
    if (replaceArgument(value, n) && !guard_) modified();
}

void LfScript::editArgument(ScriptCommand editor, const std::string& value, int n) {
    // The editors were just filled from the line: writing them back would only rewrite it.
    if (guard_ || selectedCommand() != editor) return;
    SetScriptArgument(value, n);
}

void LfScript::cboScriptFrameChange(const std::string& text) {
    editors_.cboScriptFrame = text;
    editArgument(ScriptCommand::SendF, text, 0);
}

void LfScript::txtScriptRepetitionChange(const std::string& text) {
    editors_.txtScriptRepetition = text;
    editArgument(ScriptCommand::SendF, text, 1);
}

void LfScript::txtScriptInterframeChange(const std::string& text) {
    editors_.txtScriptInterframe = text;
    editArgument(ScriptCommand::SendF, text, 2);
}

void LfScript::cboSendCWFrameChange(const std::string& text) {
    editors_.cboSendCWFrame = text;
    editArgument(ScriptCommand::SendCW, text, 0);
}

void LfScript::txtScriptDurationChange(const std::string& text) {
    editors_.txtScriptDuration = text;
    editArgument(ScriptCommand::SendCW, text, 1);
}

void LfScript::txtScriptDuringChange(const std::string& text) {
    editors_.txtScriptDuring = text;
    editArgument(ScriptCommand::Delay, text, 0);
}

void LfScript::txtScriptLevelChange(const std::string& text) {
    editors_.txtScriptLevel = text;
    int level = -1;
    const bool valid = parseInt(text, level) && level >= 0 && level <= 100;
    editArgument(ScriptCommand::Level, valid ? text : std::string(), 0);
}

void LfScript::txtIdStartChange(const std::string& text) {
    editors_.txtIdStart = text;
    editArgument(ScriptCommand::IdStart, text, 0);
}

void LfScript::txtIdStopChange() {
    if (guard_ || selectedCommand() != ScriptCommand::IdStop) return;
    // One operator change, one modified mark.
    replaceArgument(editors_.txtIdStopDuring, 0);
    replaceArgument(editors_.chkIdStopAbort ? "Y" : "N", 1);
    replaceArgument(editors_.chkIdStopDisplay ? "Y" : "N", 2);
    modified();
}

void LfScript::txtIdStopDuringChange(const std::string& text) {
    editors_.txtIdStopDuring = text;
    txtIdStopChange();
}

void LfScript::chkIdStopAbortClick(bool ticked) {
    editors_.chkIdStopAbort = ticked;
    txtIdStopChange();
}

void LfScript::chkIdStopDisplayClick(bool ticked) {
    editors_.chkIdStopDisplay = ticked;
    txtIdStopChange();
}

void LfScript::txtSETParameterChange(const std::string& text) {
    editors_.txtSETParameter = text;
    editArgument(ScriptCommand::Set, text, 0);
}

void LfScript::txtSETValueChange(const std::string& text) {
    editors_.txtSETValue = text;
    editArgument(ScriptCommand::Set, text, 1);
}

void LfScript::txtCOMMENTValueChange(const std::string& text) {
    editors_.txtCOMMENTValue = text;
    editArgument(ScriptCommand::Comment, text, 0);
}

void LfScript::rdbWAITINLevel0Click() {
    editors_.rdbWAITINLevel0 = true;
    editors_.rdbWAITINLevel1 = false;
    editArgument(ScriptCommand::WaitIn, "0", 0);
}

void LfScript::rdbWAITINLevel1Click() {
    editors_.rdbWAITINLevel0 = false;
    editors_.rdbWAITINLevel1 = true;
    editArgument(ScriptCommand::WaitIn, "1", 0);
}

bool LfScript::butScriptDelClick() {
    if (selected_ < 0 || selected_ >= static_cast<int>(lines_.size())) return false;
    if (!ConfirmDelete(host_)) return false;
    lines_.erase(lines_.begin() + selected_);
    commandAreaVisible_ = false;
    if (selected_ >= static_cast<int>(lines_.size()))
        selected_ = static_cast<int>(lines_.size()) - 1;
    modified();
    return true;
}

bool LfScript::butSupprimerToutClick() {
    if (lines_.empty()) return false;
    if (!ConfirmDelete(host_)) return false;
    lines_.clear();
    commandAreaVisible_ = false;
    selected_ = -1;
    modified();
    return true;
}

bool LfScript::moveSelected(int delta) {
    const int other = selected_ + delta;
    if (selected_ < 0 || selected_ >= static_cast<int>(lines_.size()) || other < 0 ||
        other >= static_cast<int>(lines_.size()))
        return false;
    std::swap(lines_[static_cast<std::size_t>(selected_)], lines_[static_cast<std::size_t>(other)]);
    selected_ = other;
    modified();
    return true;
}

bool LfScript::butScriptBasClick() {
    return moveSelected(1);
}
bool LfScript::butScriptHautClick() {
    return moveSelected(-1);
}

bool LfScript::butScriptCopyClick() {
    if (selected_ < 0 || selected_ >= static_cast<int>(lines_.size())) return false;
    lines_.push_back(lines_[static_cast<std::size_t>(selected_)]);
    modified();
    return true;
}

}  // namespace vornlfrf::config
