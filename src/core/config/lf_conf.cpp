#include "config/lf_conf.h"

#include <algorithm>
#include <utility>

#include "config/content_parser.h"
#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

std::string listKey(std::size_t index) {
    return "L" + std::to_string(index);
}

// Index of an "L<n>" key as the writer spells it, -1 for any other key.
long listIndex(const std::string& key) {
    if (key.size() < 2 || key.size() > 10 || (key[0] != 'L' && key[0] != 'l')) return -1;
    if (key[1] == '0' && key.size() > 2) return -1;
    long n = 0;
    for (std::size_t i = 1; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') return -1;
        n = n * 10 + (key[i] - '0');
    }
    return n;
}

// Reads the count and the L keys; a missing key in between gives an empty entry. Entries beyond
// the last L key present could only be empty, so a damaged count is cut there.
std::vector<std::string> readList(const IniDocument& doc, const char* section,
                                  const char* countKey) {
    const long stated = doc.readInteger(section, countKey, 0);
    long present = 0;
    for (const std::string& key : doc.keys(section))
        present = std::max(present, listIndex(key) + 1);
    const long count = std::min({stated, present, static_cast<long>(kMaxLoadedEntries)});
    std::vector<std::string> items;
    for (long i = 0; i < count; ++i)
        items.push_back(doc.readString(section, listKey(static_cast<std::size_t>(i)), ""));
    return items;
}

void writeList(IniDocument& doc, const char* section, const char* countKey,
               const std::vector<std::string>& items) {
    doc.writeInteger(section, countKey, static_cast<int>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) doc.writeString(section, listKey(i), items[i]);
}

}  // namespace

std::string CleanItemValue(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == kItemSeparator) continue;
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    // Keys are found by plain substring search: a typed "Data:" would capture the lookup and
    // the next edit of the real key.
    for (const char* key : {lfkey::kName, lfkey::kComment, lfkey::kContent, lfkey::kBaudrate,
                            lfkey::kFreq, lfkey::kCoding, lfkey::kData}) {
        const std::string tag = std::string(key) + ":";
        for (std::size_t at = out.find(tag); at != std::string::npos; at = out.find(tag, at))
            out.insert(at + tag.size() - 1, 1, ' ');
    }
    return out;
}

std::string CleanFrameName(const std::string& value) {
    return CleanScriptArgument(CleanItemValue(value));
}

LfConf::LfConf(Host& host, std::function<void()> markModified)
    : host_(host), markModified_(std::move(markModified)), script_(host, markModified_) {}

void LfConf::setMarkModified(std::function<void()> markModified) {
    markModified_ = std::move(markModified);
    script_.setMarkModified(markModified_);
}

void LfConf::attachTo(ConfigurationDocument& doc) {
    doc.setHandler(SectionSlot::LfConf, this);
    doc.setAnalyser(AnalysisStep::LfFrames,
                    [this](AnalysisLog& log) { return AnalyseLfFrames(log); });
    setMarkModified([&doc] { doc.MarkModified(); });
}

void LfConf::modified() {
    if (markModified_) markModified_();
}

int LfConf::processSection(IniDocument* doc, ConfigAction action) {
    switch (action) {
        case ConfigAction::Save:
            if (!doc) return static_cast<int>(frames_.size());
            writeList(*doc, lfsection::kFrames, lfsection::kFrameCount, frames_);
            doc->writeInteger(lfsection::kFrames, lfsection::kNameWidth, nameWidth_);
            writeList(*doc, lfsection::kScript, lfsection::kScriptCount, script_.lines());
            return static_cast<int>(frames_.size());
        case ConfigAction::Load:
            if (!doc) return static_cast<int>(frames_.size());
            setFrames(readList(*doc, lfsection::kFrames, lfsection::kFrameCount));
            nameWidth_ =
                doc->readInteger(lfsection::kFrames, lfsection::kNameWidth, kDefaultNameWidth);
            script_.setLines(readList(*doc, lfsection::kScript, lfsection::kScriptCount));
            if (onReloaded) onReloaded();
            return static_cast<int>(frames_.size());
        case ConfigAction::Defaults:
            Clear();
            if (onReloaded) onReloaded();
            return 0;
    }
    return 0;
}

bool LfConf::hasSelection() const {
    return selected_ >= 0 && selected_ < static_cast<int>(frames_.size());
}

std::string LfConf::frameName(int index) const {
    if (index < 0 || index >= static_cast<int>(frames_.size())) return {};
    return ItemGetValue(frames_[static_cast<std::size_t>(index)], lfkey::kName);
}

std::string LfConf::frameComment(int index) const {
    if (index < 0 || index >= static_cast<int>(frames_.size())) return {};
    return ItemGetValue(frames_[static_cast<std::size_t>(index)], lfkey::kComment);
}

std::vector<std::string> LfConf::frameNames(bool data) const {
    std::vector<std::string> names;
    const char* wanted = data ? "1" : "0";
    for (const std::string& item : frames_)
        if (ItemGetValue(item, lfkey::kData) == wanted)
            names.push_back(ItemGetValue(item, lfkey::kName));
    return names;
}

void LfConf::setFrames(std::vector<std::string> items) {
    frames_ = std::move(items);
    selected_ = -1;
    panelVisible_ = false;
}

void LfConf::Clear() {
    setFrames({});
    script_.Clear();
}

void LfConf::fillEditors() {
    if (!hasSelection()) return;
    const std::string& item = frames_[static_cast<std::size_t>(selected_)];
    guard_ = true;
    editors_.txtComment = ItemGetValue(item, lfkey::kComment);
    editors_.txtName = ItemGetValue(item, lfkey::kName);
    editors_.txtContent = ItemGetValue(item, lfkey::kContent);
    editors_.cboBaudrate = IndexOf(BaudrateList(), ItemGetValue(item, lfkey::kBaudrate));
    editors_.cboFreq = IndexOf(FrequencyList(), ItemGetValue(item, lfkey::kFreq));
    const std::string coding = ItemGetValue(item, lfkey::kCoding);
    if (coding == "0" || coding == "1") {
        editors_.rdbStandard = coding == "0";
        editors_.rdbInverted = !editors_.rdbStandard;
    }
    const std::string data = ItemGetValue(item, lfkey::kData);
    editors_.rdbLFData = data == "1" || data.empty();
    editors_.rdbLFCW = !editors_.rdbLFData;
    editors_.lblAnalysis.clear();
    panelVisible_ = true;
    if (onEditorsFilled) onEditorsFilled();
    guard_ = false;
}

void LfConf::butAddClick() {
    frames_.push_back(std::string("Name:") + kItemSeparator + "Freq:" + kItemSeparator);
    selected_ = static_cast<int>(frames_.size()) - 1;
    std::string& item = frames_.back();
    ItemSetValue(item, lfkey::kName, "NewFrame");
    ItemSetValue(item, lfkey::kContent, "");
    ItemSetValue(item, lfkey::kBaudrate, "3906");
    ItemSetValue(item, lfkey::kFreq, "125.0");
    ItemSetValue(item, lfkey::kCoding, "0");
    ItemSetValue(item, lfkey::kData, "1");
    fillEditors();
    modified();
}

bool LfConf::butDelClick() {
    if (!hasSelection() || !ConfirmDelete(host_)) return false;
    frames_.erase(frames_.begin() + selected_);
    panelVisible_ = false;
    selected_ = -1;
    modified();
    return true;
}

bool LfConf::moveSelected(int delta) {
    const int other = selected_ + delta;
    if (!hasSelection() || other < 0 || other >= static_cast<int>(frames_.size())) return false;
    std::swap(frames_[static_cast<std::size_t>(selected_)],
              frames_[static_cast<std::size_t>(other)]);
    selected_ = other;
    modified();
    return true;
}

bool LfConf::butBasClick() {
    return moveSelected(1);
}
bool LfConf::butHautClick() {
    return moveSelected(-1);
}

bool LfConf::butFrameCopyClick() {
    if (!hasSelection()) return false;
    frames_.push_back(frames_[static_cast<std::size_t>(selected_)]);
    selected_ = static_cast<int>(frames_.size()) - 1;
    fillEditors();
    modified();
    return true;
}

void LfConf::lstFramesClick(int index) {
    if (index < 0 || index >= static_cast<int>(frames_.size())) return;
    selected_ = index;
    fillEditors();
}

void LfConf::edit(const char* key, const std::string& value) {
    // The editors were just filled from the item: writing them back would only rewrite it
    // (and give an item without Data a "Data:1" nobody chose).
    if (guard_ || !hasSelection()) return;
    ItemSetValue(frames_[static_cast<std::size_t>(selected_)], key, value);
    modified();
}

void LfConf::txtNameChange(const std::string& text) {
    editors_.txtName = CleanFrameName(text);
    edit(lfkey::kName, editors_.txtName);
}

void LfConf::txtCommentChange(const std::string& text) {
    editors_.txtComment = CleanItemValue(text);
    edit(lfkey::kComment, editors_.txtComment);
}

void LfConf::txtContentChange(const std::string& text) {
    editors_.txtContent = CleanItemValue(text);
    edit(lfkey::kContent, editors_.txtContent);
}

void LfConf::cboBaudrateChange(int index) {
    const auto& list = BaudrateList();
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    editors_.cboBaudrate = index;
    edit(lfkey::kBaudrate, list[static_cast<std::size_t>(index)]);
}

void LfConf::cboFreqChange(int index) {
    const auto& list = FrequencyList();
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    editors_.cboFreq = index;
    edit(lfkey::kFreq, list[static_cast<std::size_t>(index)]);
}

void LfConf::rdbStandardClick() {
    editors_.rdbStandard = true;
    editors_.rdbInverted = false;
    edit(lfkey::kCoding, "0");
}

void LfConf::rdbInvertedClick() {
    editors_.rdbStandard = false;
    editors_.rdbInverted = true;
    edit(lfkey::kCoding, "1");
}

void LfConf::rdbLFDataClick() {
    editors_.rdbLFData = true;
    editors_.rdbLFCW = false;
    edit(lfkey::kData, "1");
}

void LfConf::rdbLFCWClick() {
    editors_.rdbLFData = false;
    editors_.rdbLFCW = true;
    edit(lfkey::kData, "0");
}

void LfConf::butTestClick() {
    editors_.txtTest =
        ParseContent(editors_.txtContent, editors_.rdbInverted ? CodingType::ManchesterInverted
                                                               : CodingType::ManchesterStandard);
    editors_.lblAnalysis = std::to_string(editors_.txtTest.size()) + " binary bits";
}

bool LfConf::AnalyseLfFrames(AnalysisLog& log) {
    return config::AnalyseLfFrames(frames_, table_, log);
}

}  // namespace vornlfrf::config
