#include "frm_rf_parameter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cp1252.h"
#include "dialog_buttons.h"
#include "key_filter.h"

namespace vornlfrf::gui {

namespace {

constexpr char kScaleHint[] =
    "Value = Offset + raw value x Resolution, '.' as decimal separator; not needed with a table";

QLineEdit* edit(QWidget* parent, const char* name, const char* hint) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setToolTip(hint);
    return e;
}

}  // namespace

TfrmRFParameter::TfrmRFParameter(Host& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("frmRFParameter");
    setWindowTitle(config::rftext::kFieldCaption);
    setModal(true);

    txtName_ = edit(this, "txtName",
                    "No spaces. Use ID for the identifier field, CKS for the checksum field and "
                    "CRC for a CRC field.");
    txtSize_ = edit(this, "txtSize", "Field width in bits, 1 to 64");
    txtOffset_ = edit(this, "txtOffset", kScaleHint);
    txtResolution_ = edit(this, "txtResolution", kScaleHint);
    txtUnite_ = edit(this, "txtUnite", "Unit, without spaces");
    txtDisplay_ = edit(this, "txtDisplay", "Y (Yes), N (No) or P (Priority)");
    txtDisplay_->setMaximumWidth(40);
    txtContent_ =
        edit(this, "txtContent", "Specify a string to display only frames with the right content.");
    chkTableUsed_ = new QCheckBox("Use Table conversion", this);
    chkTableUsed_->setObjectName("chkTableUsed");
    chkTableUsed_->setToolTip("Line n of the file is the text shown for the raw value n");
    txtFile_ = edit(this, "txtFile", "Text file of the table");
    txtFile_->setMinimumWidth(260);

    installKeyFilter(txtName_, [](char k, const std::string&) { return config::FilterNameKey(k); });
    installKeyFilter(txtUnite_,
                     [](char k, const std::string&) { return config::FilterUniteKey(k); });
    installKeyFilter(txtDisplay_, config::FilterDisplayKey);

    panFile_ = new QWidget(this);
    auto* fileRow = new QHBoxLayout(panFile_);
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->addWidget(txtFile_, 1);
    auto* butFile = new QPushButton("...", panFile_);
    butFile->setObjectName("butFile");
    butFile->setToolTip("Choose the table file");
    butFile->setFixedWidth(32);
    fileRow->addWidget(butFile);

    form_ = new QFormLayout;
    form_->addRow("Name :", txtName_);
    form_->addRow("Size (bits) :", txtSize_);
    form_->addRow("Offset :", txtOffset_);
    form_->addRow("Resolution :", txtResolution_);
    form_->addRow("Unite :", txtUnite_);
    form_->addRow("Display :", txtDisplay_);
    form_->addRow("Must content :", txtContent_);
    form_->addRow(chkTableUsed_);
    form_->addRow("File :", panFile_);

    QHBoxLayout* buttons = saveCancelRow(this, [this] { butSaveClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(chkTableUsed_, &QCheckBox::clicked, this, [this](bool on) { chkTableUsedClick(on); });
    connect(butFile, &QPushButton::clicked, this, [this] { butFileClick(); });
    setValues(config::RfFieldDialog{});
}

void TfrmRFParameter::setValues(const config::RfFieldDialog& v) {
    txtName_->setText(fromCp1252(v.txtName));
    txtSize_->setText(fromCp1252(v.txtSize));
    txtOffset_->setText(fromCp1252(v.txtOffset));
    txtResolution_->setText(fromCp1252(v.txtResolution));
    txtUnite_->setText(fromCp1252(v.txtUnite));
    txtDisplay_->setText(fromCp1252(v.txtDisplay));
    txtContent_->setText(fromCp1252(v.txtContent));
    chkTableUsed_->setChecked(v.chkTableUsed);
    // A path, not file content: it must name the file the analysis will open.
    txtFile_->setText(fromPath(v.txtFile));
    form_->setRowVisible(panFile_, v.chkTableUsed);
}

config::RfFieldDialog TfrmRFParameter::values() const {
    config::RfFieldDialog v;
    v.txtName = toCp1252(txtName_->text());
    v.txtSize = toCp1252(txtSize_->text());
    v.txtOffset = toCp1252(txtOffset_->text());
    v.txtResolution = toCp1252(txtResolution_->text());
    v.txtUnite = toCp1252(txtUnite_->text());
    v.txtDisplay = toCp1252(txtDisplay_->text());
    v.txtContent = toCp1252(txtContent_->text());
    v.chkTableUsed = chkTableUsed_->isChecked();
    v.txtFile = toPath(txtFile_->text());
    return v;
}

void TfrmRFParameter::chkTableUsedClick(bool on) {
    config::RfFieldDialog v = values();
    v.setTableUsed(on);
    setValues(v);
}

void TfrmRFParameter::butFileClick() {
    FileDialogOptions options;
    options.title = "Table file";
    options.filterDescription = "All files";
    options.pattern = "*";
    options.startFolder = toPath(txtFile_->text());
    options.mustExist = true;
    const std::string path = host_.openFileDialog(options);
    if (!path.empty()) txtFile_->setText(fromPath(path));
}

void TfrmRFParameter::butSaveClick() {
    config::RfFieldDialog v = values();
    const Status status = v.butSaveClick();
    setValues(v);  // shows what the checks rewrote, also when one refused
    if (!status) {
        host_.messageBox(status.message, "Error", MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    accept();
}

}  // namespace vornlfrf::gui
