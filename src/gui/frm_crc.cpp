#include "frm_crc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "cp1252.h"

namespace vornlfrf::gui {

namespace {

using config::VerifyMethod;

template <class T>
T* named(T* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QLineEdit* resultField(QWidget* parent, const char* name) {
    auto* e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setMaximumWidth(90);
    return e;
}

// Two exclusive radio buttons side by side.
QWidget* pair(QWidget* parent, QRadioButton* first, QRadioButton* second) {
    auto* w = new QWidget(parent);
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(w);
    for (QRadioButton* b : {first, second}) {
        b->setParent(w);
        group->addButton(b);
        row->addWidget(b);
    }
    row->addStretch(1);
    first->setChecked(true);
    return w;
}

}  // namespace

TfrmCRC::TfrmCRC(Host& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("frmCRC");
    setWindowTitle("Frame verification");
    setModal(true);

    // --- method ---
    auto* grbMethod = new QGroupBox("Method", this);
    rdbADD_ = named(new QRadioButton("ADD", grbMethod), "rdbADD");
    rdbXOR_ = named(new QRadioButton("XOR", grbMethod), "rdbXOR");
    rdbCRC_ = named(new QRadioButton("CRC", grbMethod), "rdbCRC");
    auto* methodRow = new QHBoxLayout;
    for (QRadioButton* b : {rdbADD_, rdbXOR_, rdbCRC_}) methodRow->addWidget(b);
    methodRow->addStretch(1);

    panMethod_ = named(new QStackedWidget(grbMethod), "panMethod");
    panXOR_ = named(new QWidget(panMethod_), "panXOR");
    chkXOR_NOT_ = named(new QCheckBox("NOT", panXOR_), "chkXOR_NOT");
    {
        auto* l = new QVBoxLayout(panXOR_);
        l->addWidget(chkXOR_NOT_);
        l->addStretch(1);
    }
    panADD_ = named(new QWidget(panMethod_), "panADD");
    chkADD_NOT_ = named(new QCheckBox("NOT", panADD_), "chkADD_NOT");
    rdbAdd8bits_ = named(new QRadioButton("8 bits"), "rdbAdd8bits");
    rdbAdd2bits_ = named(new QRadioButton("2 bits"), "rdbAdd2bits");
    {
        auto* l = new QVBoxLayout(panADD_);
        l->addWidget(chkADD_NOT_);
        l->addWidget(pair(panADD_, rdbAdd8bits_, rdbAdd2bits_));
        l->addStretch(1);
    }
    panCRC_ = named(new QWidget(panMethod_), "panCRC");
    txtPolynome_ = named(new QLineEdit(panCRC_), "txtPolynome");
    txtInitialization_ = named(new QLineEdit(panCRC_), "txtInitialization");
    txtXOR_ = named(new QLineEdit(panCRC_), "txtXOR");
    const char* valueHint = "Decimal, or hexadecimal ending with h (1021h)";
    for (QLineEdit* e : {txtPolynome_, txtInitialization_, txtXOR_}) e->setToolTip(valueHint);
    rdb8bits_ = named(new QRadioButton("8 bits"), "rdb8bits");
    rdb16bits_ = named(new QRadioButton("16 bits"), "rdb16bits");
    rdbCRCa_ = named(new QRadioButton("CRC-a"), "rdbCRCa");
    rdbCRCb_ = named(new QRadioButton("CRC-b"), "rdbCRCb");
    {
        auto* f = new QFormLayout(panCRC_);
        f->addRow("Polynome :", txtPolynome_);
        f->addRow("Initialization :", txtInitialization_);
        f->addRow("XOR :", txtXOR_);
        f->addRow("Size :", pair(panCRC_, rdb8bits_, rdb16bits_));
        f->addRow("Variant :", pair(panCRC_, rdbCRCa_, rdbCRCb_));
    }
    panMethod_->addWidget(panADD_);
    panMethod_->addWidget(panXOR_);
    panMethod_->addWidget(panCRC_);
    {
        auto* l = new QVBoxLayout(grbMethod);
        l->addLayout(methodRow);
        l->addWidget(panMethod_);
    }

    // --- masks ---
    auto* grbMasks = new QGroupBox("Masks", this);
    txtPreambleMask_ = named(new QLineEdit(grbMasks), "txtPreambleMask");
    txtPreambleMask_->setToolTip(
        "Hexadecimal digits, as many as the preamble written in hexadecimal (for example 00F)");
    txtMask_ = named(new QLineEdit(grbMasks), "txtMask");
    txtMask_->setToolTip("Hexadecimal digits over the frame data, spaces allowed (FF FF 00 FF)");
    {
        auto* f = new QFormLayout(grbMasks);
        f->addRow("Preamble mask", txtPreambleMask_);
        f->addRow("Datas mask", txtMask_);
    }

    // --- simulation ---
    auto* grbTest = new QGroupBox("Simulation", this);
    txtFramePreamble_ = named(new QLineEdit(grbTest), "txtFramePreamble");
    txtFrameDatas_ = named(new QLineEdit(grbTest), "txtFrameDatas");
    txtFrameDatas_->setMinimumWidth(280);
    auto* butTest = named(new QPushButton("Calc", grbTest), "butTest");
    txtADDResult_ = resultField(grbTest, "txtADDResult");
    txtADDResult_h_ = resultField(grbTest, "txtADDResult_h");
    txtXORResult_ = resultField(grbTest, "txtXORResult");
    txtXORResult_h_ = resultField(grbTest, "txtXORResult_h");
    txtCRC1_ = resultField(grbTest, "txtCRC1");
    txtCRC1H_ = resultField(grbTest, "txtCRC1H");
    txtCRC2_ = resultField(grbTest, "txtCRC2");
    txtCRC2H_ = resultField(grbTest, "txtCRC2H");
    lblUsed_ = named(new QLabel(grbTest), "lblUsed");
    lblUsed_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    {
        auto* g = new QGridLayout(grbTest);
        g->addWidget(new QLabel("Frame preamble :", grbTest), 0, 0);
        g->addWidget(txtFramePreamble_, 0, 1, 1, 2);
        g->addWidget(new QLabel("Frame datas :", grbTest), 1, 0);
        g->addWidget(txtFrameDatas_, 1, 1, 1, 2);
        g->addWidget(butTest, 1, 3);
        const std::pair<const char*, std::pair<QLineEdit*, QLineEdit*>> rows[] = {
            {"ADD :", {txtADDResult_, txtADDResult_h_}},
            {"XOR :", {txtXORResult_, txtXORResult_h_}},
            {"CRC-a :", {txtCRC1_, txtCRC1H_}},
            {"CRC-b :", {txtCRC2_, txtCRC2H_}},
        };
        g->addWidget(new QLabel("Decimal", grbTest), 2, 1);
        g->addWidget(new QLabel("Hexadecimal", grbTest), 2, 2);
        int r = 3;
        for (const auto& [label, fields] : rows) {
            g->addWidget(new QLabel(label, grbTest), r, 0);
            g->addWidget(fields.first, r, 1);
            g->addWidget(fields.second, r, 2);
            ++r;
        }
        g->addWidget(new QLabel("Used digits :", grbTest), r, 0);
        g->addWidget(lblUsed_, r, 1, 1, 3);
        g->setColumnStretch(3, 1);
    }

    auto* butOK = named(new QPushButton("Save", this), "butOK");
    auto* butCancel = named(new QPushButton("Cancel", this), "butCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(butOK);
    buttons->addWidget(butCancel);

    auto* top = new QHBoxLayout;
    top->addWidget(grbMethod, 1);
    top->addWidget(grbMasks, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grbTest);
    layout->addLayout(buttons);

    connect(rdbADD_, &QRadioButton::clicked, this, [this] { showMethod(VerifyMethod::Add); });
    connect(rdbXOR_, &QRadioButton::clicked, this, [this] { showMethod(VerifyMethod::Xor); });
    connect(rdbCRC_, &QRadioButton::clicked, this, [this] { showMethod(VerifyMethod::Crc); });
    connect(butTest, &QPushButton::clicked, this, [this] { butTestClick(); });
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);

    const config::CrcDialog initial;
    txtFramePreamble_->setText(fromCp1252(initial.txtFramePreamble));
    txtFrameDatas_->setText(fromCp1252(initial.txtFrameDatas));
    setValues(initial);
}

void TfrmCRC::showMethod(VerifyMethod method) {
    switch (method) {
        case VerifyMethod::Xor:
            rdbXOR_->setChecked(true);
            panMethod_->setCurrentWidget(panXOR_);
            break;
        case VerifyMethod::Add:
            rdbADD_->setChecked(true);
            panMethod_->setCurrentWidget(panADD_);
            break;
        case VerifyMethod::Crc:
            rdbCRC_->setChecked(true);
            panMethod_->setCurrentWidget(panCRC_);
            break;
    }
}

void TfrmCRC::setValues(const config::CrcDialog& d) {
    showMethod(d.method);
    chkXOR_NOT_->setChecked(d.chkXOR_NOT);
    chkADD_NOT_->setChecked(d.chkADD_NOT);
    (d.rdbAdd2bits ? rdbAdd2bits_ : rdbAdd8bits_)->setChecked(true);
    txtPolynome_->setText(fromCp1252(d.txtPolynome));
    txtInitialization_->setText(fromCp1252(d.txtInitialization));
    txtXOR_->setText(fromCp1252(d.txtXOR));
    (d.rdb16bits ? rdb16bits_ : rdb8bits_)->setChecked(true);
    (d.rdbCRCb ? rdbCRCb_ : rdbCRCa_)->setChecked(true);
    txtMask_->setText(fromCp1252(d.txtMask));
    txtPreambleMask_->setText(fromCp1252(d.txtPreambleMask));
    showResults(config::CrcDialog{});
}

config::CrcDialog TfrmCRC::values() const {
    config::CrcDialog d;
    d.method = rdbCRC_->isChecked()   ? VerifyMethod::Crc
               : rdbXOR_->isChecked() ? VerifyMethod::Xor
                                      : VerifyMethod::Add;
    d.chkXOR_NOT = chkXOR_NOT_->isChecked();
    d.chkADD_NOT = chkADD_NOT_->isChecked();
    d.rdbAdd2bits = rdbAdd2bits_->isChecked();
    d.txtPolynome = toCp1252(txtPolynome_->text());
    d.txtInitialization = toCp1252(txtInitialization_->text());
    d.txtXOR = toCp1252(txtXOR_->text());
    d.rdb16bits = rdb16bits_->isChecked();
    d.rdbCRCb = rdbCRCb_->isChecked();
    d.txtMask = toCp1252(txtMask_->text());
    d.txtPreambleMask = toCp1252(txtPreambleMask_->text());
    d.txtFramePreamble = toCp1252(txtFramePreamble_->text());
    d.txtFrameDatas = toCp1252(txtFrameDatas_->text());
    return d;
}

void TfrmCRC::butTestClick() {
    config::CrcDialog d = values();
    const std::vector<std::string> errors = d.calc(engine_);
    showResults(d);
    for (const std::string& e : errors)
        host_.messageBox(e, config::kCheckValueErrorCaption, MsgIcon::Error, MsgButtons::Ok);
}

void TfrmCRC::showResults(const config::CrcDialog& d) {
    txtADDResult_->setText(fromCp1252(d.txtADDResult));
    txtADDResult_h_->setText(fromCp1252(d.txtADDResult_h));
    txtXORResult_->setText(fromCp1252(d.txtXORResult));
    txtXORResult_h_->setText(fromCp1252(d.txtXORResult_h));
    txtCRC1_->setText(fromCp1252(d.txtCRC1));
    txtCRC1H_->setText(fromCp1252(d.txtCRC1H));
    txtCRC2_->setText(fromCp1252(d.txtCRC2));
    txtCRC2H_->setText(fromCp1252(d.txtCRC2H));
    lblUsed_->setText(fromCp1252(d.lblUsed));
}

}  // namespace vornlfrf::gui
