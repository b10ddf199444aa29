#pragma once
// RF frame descriptions as the RF configuration window edits them: a list of item texts
// ("Key:Value" + 0xAC pairs), the editors of the selected description, its field and computed
// field rows, the internal copy buffer, and the RFFRAME section of the configuration document.
// The window only shows this model and forwards the operator's actions to it.

#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "config/checksum.h"
#include "config/configuration_document.h"
#include "config/rf_field_rows.h"

namespace vornlfrf::config {

inline constexpr char kRfSection[] = "RFFRAME";
// Item of a new description before its editors are set.
inline constexpr char kNewRfItem[] =
    "Name:\xAC"
    "Preamble:\xAC"
    "Baudrate:\xAC"
    "Coding:\xAC"
    "Fields:\xAC"
    "Comment:\xAC"
    "CKS:\xAC"
    "Mask:\xAC"
    "Method:\xAC"
    "Not:\xAC";
constexpr int kDefaultRfNameWidth = 120;
// A stored NbFrames above this is not believed: the load stops there instead of creating
// millions of empty items from a damaged file.
constexpr int kMaxLoadedRfItems = 10000;

// Entries of cboBaudrate: "1000", "1010", ..., "20000".
const std::vector<std::string>& RfBaudrateList();

class RfConf : public SectionHandler {
  public:
    // host answers the delete confirmations and shows the computed-field limit; markModified is
    // called after every operator change (ConfigurationDocument::MarkModified in the program).
    RfConf(Host& host, std::function<void()> markModified);

    // Save / load / defaults of RFFRAME; returns the number of descriptions.
    int processSection(IniDocument* doc, ConfigAction action) override;
    // Called after a load or defaults action replaced the whole model, so a view can refresh.
    std::function<void()> onReloaded;

    // --- Description list (lstFrames) ---
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    // Description the editors show, -1 for none.
    int itemIndex() const { return itemIndex_; }
    // Selected descriptions in list order.
    const std::vector<int>& selection() const { return selection_; }
    bool panelVisible() const { return panelVisible_; }

    // Plain click: selects one description and fills the editors from it (-1 selects nothing).
    void lstFramesClick(int index);
    // Extended selection; the editors show focused (which must be one of indices).
    void setSelection(std::vector<int> indices, int focused);

    void butFAddClick();
    // Asks "Are you sure to delete ?"; on Yes removes every selected description.
    bool butFDelClick();
    void butFBasClick();   // move down
    void butFHautClick();  // move up
    void butFrameCopyClick();
    // Copy buffer: the selected items, each followed by a carriage return.
    void butCopierClick();
    void butCollerClick();
    const std::string& RxDescriptionClipboard() const { return clipboard_; }
    // Name column of the list; resizing marks the document modified.
    void setNameWidth(int width);
    int nameWidth() const { return nameWidth_; }
    Host& host() const { return host_; }

    // --- Editors of the selected description ---
    // Each handler writes its value into the selected item and marks the document modified
    // unless editingGuard is set (the window sets it while it refreshes its controls).
    void txtNameChange(const std::string& text);
    void txtCommentChange(const std::string& text);
    void txtPreambleChange(const std::string& text);
    void cboBaudrateChange(const std::string& entry);
    void rdbCodingClick(int coding);  // 0 Standard, 1 Inverted, 2 Biphase-S, 3 PWM
    void grbCKSCheckBoxClick(bool checked);
    void grbProcessingCheckBoxClick(bool checked);
    // TfrmProcessing Save: Gray decoding and first-bit inversion, enable letter kept.
    void butProcessingSave(bool decodeGray, bool invertFirstBit);
    // TfrmCRC Save: the window edits a copy of crcDialog and hands it back here; its ten
    // verification keys are written into the selected item.
    void butCRCSave(const CrcDialog& edited);
    // Processing code of the selected description, "egi" when empty (dialog and label).
    std::string processingCode() const;
    // Item text of the selected description ("" when none), for the checksum dialog.
    std::string selectedItem() const;

    std::string txtName;
    std::string txtComment;
    std::string txtPreamble;
    std::string cboBaudrate;  // selected entry, "" when the stored rate is not in the list
    int rdbCoding = -1;       // checked coding button, -1 for none
    bool grbCKS = false;
    bool grbProcessing = false;
    std::string lblMethodProcessing = "None";
    std::vector<std::string> lstFields;
    std::vector<std::string> lstFieldsComp;
    CrcDialog crcDialog;  // verification dialog and its summary labels (lblMask, lblMethod)
    // Belong to the whole section; editing them does not mark the document modified.
    std::string txtPWM0 = "100";
    std::string txtPWM1 = "110";
    void txtPWM0Change(const std::string& text) { txtPWM0 = StripSeparators(text); }
    void txtPWM1Change(const std::string& text) { txtPWM1 = StripSeparators(text); }
    bool editingGuard = false;

    // --- Field rows of the selected description ---
    // Add: the window opens the dialog with these values and calls addFieldRow after Save.
    RfFieldDialog butPAddClick() const { return RfFieldDialog{}; }
    bool addFieldRow(const RfFieldDialog& saved);
    // Modify: false when the row opens no dialog.
    bool Modification(int row, RfFieldDialog& dialog) const;
    bool modifyFieldRow(int row, const RfFieldDialog& saved);
    bool butPDelClick(int row);
    int butPBasClick(int row);   // returns the row's new index
    int butPHautClick(int row);  // returns the row's new index

    // Computed rows. butPAddCompClick shows "Maximum 4 computed fields !" and returns false
    // when the list is full; otherwise the window opens the dialog with these defaults.
    bool butPAddCompClick();
    bool addComputedRow(const RfComputedFieldDialog& saved);
    bool butModifierCompClick(int row, RfComputedFieldDialog& dialog) const;
    bool modifyComputedRow(int row, const RfComputedFieldDialog& saved);
    bool butPDelCompClick(int row);
    int butPBasCompClick(int row);
    int butPHautCompClick(int row);

  private:
    void fillEditors();
    void clearEditors();
    void setValue(const std::string& key, const std::string& value);
    void writeBackFields();
    bool confirmDelete();
    void modified();
    static int swapRows(std::vector<std::string>& rows, int row, int other);

    Host& host_;
    std::function<void()> markModified_;
    std::vector<std::string> items_;
    std::vector<int> selection_;
    int itemIndex_ = -1;
    bool panelVisible_ = false;
    int nameWidth_ = kDefaultRfNameWidth;
    std::string clipboard_;
};

}  // namespace vornlfrf::config
