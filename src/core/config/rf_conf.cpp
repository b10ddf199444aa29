#include "config/rf_conf.h"

#include <algorithm>

#include "config/item_text.h"
#include "config/processing.h"
#include "config/rf_description.h"

namespace vornlfrf::config {

namespace {

std::string listKey(int index) {
    return "L" + std::to_string(index);
}

bool validIndex(const std::vector<std::string>& v, int i) {
    return i >= 0 && i < static_cast<int>(v.size());
}

}  // namespace

const std::vector<std::string>& RfBaudrateList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l;
        for (int rate = 1000; rate <= 20000; rate += 10) l.push_back(std::to_string(rate));
        return l;
    }();
    return list;
}

RfConf::RfConf(Host& host, std::function<void()> markModified)
    : host_(host), markModified_(std::move(markModified)) {}

void RfConf::modified() {
    if (markModified_) markModified_();
}

bool RfConf::confirmDelete() {
    return host_.messageBox(rftext::kConfirmDelete, rftext::kWarning, MsgIcon::Warning,
                            MsgButtons::YesNo) == MsgAnswer::Yes;
}

int RfConf::processSection(IniDocument* doc, ConfigAction action) {
    switch (action) {
        case ConfigAction::Save: {
            if (!doc) return count();
            doc->writeInteger(kRfSection, "NbFrames", count());
            for (int i = 0; i < count(); ++i)
                doc->writeString(kRfSection, listKey(i), items_[static_cast<std::size_t>(i)]);
            doc->writeInteger(kRfSection, "NameWidth", nameWidth_);
            doc->writeString(kRfSection, "PWM0", txtPWM0);
            doc->writeString(kRfSection, "PWM1", txtPWM1);
            return count();
        }
        case ConfigAction::Load: {
            items_.clear();
            selection_.clear();
            itemIndex_ = -1;
            panelVisible_ = false;
            clearEditors();
            if (!doc) {
                if (onReloaded) onReloaded();
                return 0;
            }
            const int n = std::min(std::max(doc->readInteger(kRfSection, "NbFrames", 0), 0),
                                   kMaxLoadedRfItems);
            items_.reserve(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                items_.push_back(doc->readString(kRfSection, listKey(i), ""));
            nameWidth_ = doc->readInteger(kRfSection, "NameWidth", kDefaultRfNameWidth);
            txtPWM0 = doc->readString(kRfSection, "PWM0", "100");
            txtPWM1 = doc->readString(kRfSection, "PWM1", "110");
            if (onReloaded) onReloaded();
            return count();
        }
        case ConfigAction::Defaults:
            items_.clear();
            selection_.clear();
            itemIndex_ = -1;
            panelVisible_ = false;
            clearEditors();
            txtPWM0 = "100";
            txtPWM1 = "110";
            if (onReloaded) onReloaded();
            return 0;
    }
    return 0;
}

void RfConf::clearEditors() {
    txtName.clear();
    txtComment.clear();
    txtPreamble.clear();
    cboBaudrate.clear();
    rdbCoding = -1;
    grbCKS = false;
    grbProcessing = false;
    lblMethodProcessing = ProcessingSummary(kProcessingOff);
    crcDialog = CrcDialog{};
    lstFields.clear();
    lstFieldsComp.clear();
}

void RfConf::fillEditors() {
    const std::string& item = items_[static_cast<std::size_t>(itemIndex_)];
    const bool guard = editingGuard;
    editingGuard = true;
    txtComment = ItemGetValue(item, "Comment");
    txtName = ItemGetValue(item, "Name");
    txtPreamble = ItemGetValue(item, "Preamble");
    const std::string rate = ItemGetValue(item, "Baudrate");
    const auto& rates = RfBaudrateList();
    cboBaudrate = std::find(rates.begin(), rates.end(), rate) != rates.end() ? rate : "";
    const std::string coding = ItemGetValue(item, "Coding");
    rdbCoding = (coding.size() == 1 && coding[0] >= '0' && coding[0] <= '3') ? coding[0] - '0' : -1;
    const std::string code = processingCode();
    grbProcessing = ProcessingEnabled(code);
    lblMethodProcessing = ProcessingSummary(code);
    grbCKS = ItemGetValue(item, "CKS") == "1";
    crcDialog = CrcDialog{};
    crcDialog.fillFrom(item);
    lstFields = SplitList(ItemGetValue(item, "Fields"), kRowSeparator);
    lstFieldsComp = SplitList(ItemGetValue(item, "FieldsComp"), kRowSeparator);
    panelVisible_ = true;
    editingGuard = guard;
}

void RfConf::lstFramesClick(int index) {
    if (validIndex(items_, index))
        setSelection({index}, index);
    else
        setSelection({}, -1);
}

void RfConf::setSelection(std::vector<int> indices, int focused) {
    indices.erase(std::remove_if(indices.begin(), indices.end(),
                                 [this](int i) { return !validIndex(items_, i); }),
                  indices.end());
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    selection_ = std::move(indices);
    if (std::find(selection_.begin(), selection_.end(), focused) == selection_.end())
        focused = selection_.empty() ? -1 : selection_.front();
    itemIndex_ = focused;
    if (itemIndex_ >= 0) {
        fillEditors();
    } else {
        panelVisible_ = false;
        clearEditors();
    }
}

void RfConf::butFAddClick() {
    items_.emplace_back(kNewRfItem);
    const int index = count() - 1;
    selection_ = {index};
    itemIndex_ = index;
    clearEditors();
    txtCommentChange("");
    txtNameChange("NewDescription");
    txtPreambleChange("");
    cboBaudrateChange("9600");
    rdbCodingClick(0);
    lstFields.clear();
    lstFieldsComp.clear();
    writeBackFields();
    panelVisible_ = true;
}

bool RfConf::butFDelClick() {
    if (selection_.empty()) return false;
    if (!confirmDelete()) return false;
    for (auto it = selection_.rbegin(); it != selection_.rend(); ++it)
        items_.erase(items_.begin() + *it);
    selection_.clear();
    itemIndex_ = -1;
    panelVisible_ = false;
    clearEditors();
    modified();
    return true;
}

int RfConf::swapRows(std::vector<std::string>& rows, int row, int other) {
    if (!validIndex(rows, row) || !validIndex(rows, other)) return row;
    std::swap(rows[static_cast<std::size_t>(row)], rows[static_cast<std::size_t>(other)]);
    return other;
}

void RfConf::butFBasClick() {
    if (itemIndex_ < 0) return;
    const int moved = swapRows(items_, itemIndex_, itemIndex_ + 1);
    if (moved == itemIndex_) return;
    itemIndex_ = moved;
    selection_ = {moved};
    modified();
}

void RfConf::butFHautClick() {
    if (itemIndex_ < 0) return;
    const int moved = swapRows(items_, itemIndex_, itemIndex_ - 1);
    if (moved == itemIndex_) return;
    itemIndex_ = moved;
    selection_ = {moved};
    modified();
}

void RfConf::butFrameCopyClick() {
    if (itemIndex_ < 0) return;
    items_.push_back(items_[static_cast<std::size_t>(itemIndex_)]);
    lstFramesClick(count() - 1);
    modified();
}

void RfConf::butCopierClick() {
    clipboard_.clear();
    for (int i : selection_) clipboard_ += items_[static_cast<std::size_t>(i)] + '\r';
}

void RfConf::butCollerClick() {
    if (clipboard_.empty()) return;
    for (const std::string& item : SplitList(clipboard_, '\r')) items_.push_back(item);
    modified();
}

void RfConf::setNameWidth(int width) {
    if (width == nameWidth_) return;
    nameWidth_ = width;
    modified();
}

void RfConf::setValue(const std::string& key, const std::string& value) {
    if (itemIndex_ < 0) return;
    ItemSetValue(items_[static_cast<std::size_t>(itemIndex_)], key, value);
    if (!editingGuard) modified();
}

void RfConf::txtNameChange(const std::string& text) {
    txtName = StripSeparators(text);
    setValue("Name", txtName);
}

void RfConf::txtCommentChange(const std::string& text) {
    txtComment = StripSeparators(text);
    setValue("Comment", txtComment);
}

void RfConf::txtPreambleChange(const std::string& text) {
    txtPreamble = StripSeparators(text);
    setValue("Preamble", txtPreamble);
}

void RfConf::cboBaudrateChange(const std::string& entry) {
    cboBaudrate = StripSeparators(entry);
    setValue("Baudrate", cboBaudrate);
}

void RfConf::rdbCodingClick(int coding) {
    if (coding < 0 || coding > 3) return;
    rdbCoding = coding;
    setValue("Coding", std::string(1, static_cast<char>('0' + coding)));
}

void RfConf::grbCKSCheckBoxClick(bool checked) {
    grbCKS = checked;
    setValue("CKS", checked ? "1" : "0");
}

std::string RfConf::processingCode() const {
    if (itemIndex_ < 0) return kProcessingOff;
    return NormaliseProcessing(
        ItemGetValue(items_[static_cast<std::size_t>(itemIndex_)], "Processing"));
}

std::string RfConf::selectedItem() const {
    return itemIndex_ < 0 ? std::string() : items_[static_cast<std::size_t>(itemIndex_)];
}

void RfConf::grbProcessingCheckBoxClick(bool checked) {
    grbProcessing = checked;
    if (itemIndex_ < 0 || editingGuard) return;
    const std::string code = SetProcessingEnabled(processingCode(), checked);
    setValue("Processing", code);
    lblMethodProcessing = ProcessingSummary(code);
}

void RfConf::butProcessingSave(bool decodeGray, bool invertFirstBit) {
    if (itemIndex_ < 0) return;
    const std::string code = SetProcessingSteps(processingCode(), decodeGray, invertFirstBit);
    setValue("Processing", code);
    lblMethodProcessing = ProcessingSummary(code);
}

void RfConf::butCRCSave(const CrcDialog& edited) {
    if (itemIndex_ < 0) return;
    crcDialog = edited;
    for (std::string* text :
         {&crcDialog.txtMask, &crcDialog.txtPreambleMask, &crcDialog.txtPolynome,
          &crcDialog.txtInitialization, &crcDialog.txtXOR})
        *text = StripSeparators(*text);
    crcDialog.saveTo(items_[static_cast<std::size_t>(itemIndex_)]);
    if (!editingGuard) modified();
}

void RfConf::writeBackFields() {
    if (itemIndex_ < 0) return;
    std::string& item = items_[static_cast<std::size_t>(itemIndex_)];
    ItemSetValue(item, "Fields", JoinList(lstFields, kRowSeparator));
    ItemSetValue(item, "FieldsComp", JoinList(lstFieldsComp, kRowSeparator));
    modified();
}

bool RfConf::addFieldRow(const RfFieldDialog& saved) {
    if (itemIndex_ < 0) return false;
    lstFields.push_back(saved.addRow());
    writeBackFields();
    return true;
}

bool RfConf::Modification(int row, RfFieldDialog& dialog) const {
    if (itemIndex_ < 0 || !validIndex(lstFields, row)) return false;
    return dialog.fillFromRow(lstFields[static_cast<std::size_t>(row)]);
}

bool RfConf::modifyFieldRow(int row, const RfFieldDialog& saved) {
    if (itemIndex_ < 0 || !validIndex(lstFields, row)) return false;
    lstFields[static_cast<std::size_t>(row)] = saved.modifyRow();
    writeBackFields();
    return true;
}

bool RfConf::butPDelClick(int row) {
    if (itemIndex_ < 0 || !validIndex(lstFields, row) || !confirmDelete()) return false;
    lstFields.erase(lstFields.begin() + row);
    writeBackFields();
    return true;
}

int RfConf::butPBasClick(int row) {
    if (itemIndex_ < 0) return row;
    const int moved = swapRows(lstFields, row, row + 1);
    if (moved != row) writeBackFields();
    return moved;
}

int RfConf::butPHautClick(int row) {
    if (itemIndex_ < 0) return row;
    const int moved = swapRows(lstFields, row, row - 1);
    if (moved != row) writeBackFields();
    return moved;
}

bool RfConf::butPAddCompClick() {
    if (itemIndex_ < 0) return false;
    if (static_cast<int>(lstFieldsComp.size()) >= kMaxComputedFields) {
        host_.messageBox(rftext::kMaxComputed, rftext::kWarning, MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    return true;
}

bool RfConf::addComputedRow(const RfComputedFieldDialog& saved) {
    if (itemIndex_ < 0 || static_cast<int>(lstFieldsComp.size()) >= kMaxComputedFields)
        return false;
    lstFieldsComp.push_back(saved.row());
    writeBackFields();
    return true;
}

bool RfConf::butModifierCompClick(int row, RfComputedFieldDialog& dialog) const {
    if (itemIndex_ < 0 || !validIndex(lstFieldsComp, row)) return false;
    dialog.fillFromRow(lstFieldsComp[static_cast<std::size_t>(row)]);
    return true;
}

bool RfConf::modifyComputedRow(int row, const RfComputedFieldDialog& saved) {
    if (itemIndex_ < 0 || !validIndex(lstFieldsComp, row)) return false;
    lstFieldsComp[static_cast<std::size_t>(row)] = saved.row();
    writeBackFields();
    return true;
}

bool RfConf::butPDelCompClick(int row) {
    if (itemIndex_ < 0 || !validIndex(lstFieldsComp, row) || !confirmDelete()) return false;
    lstFieldsComp.erase(lstFieldsComp.begin() + row);
    writeBackFields();
    return true;
}

int RfConf::butPBasCompClick(int row) {
    if (itemIndex_ < 0) return row;
    const int moved = swapRows(lstFieldsComp, row, row + 1);
    if (moved != row) writeBackFields();
    return moved;
}

int RfConf::butPHautCompClick(int row) {
    if (itemIndex_ < 0) return row;
    const int moved = swapRows(lstFieldsComp, row, row - 1);
    if (moved != row) writeBackFields();
    return moved;
}

}  // namespace vornlfrf::config
