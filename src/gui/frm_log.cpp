#include "frm_log.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cp1252.h"

namespace vornlfrf::gui {

TfrmLog::TfrmLog(config::AnalysisLog& log, QWidget* parent) : QDialog(parent), log_(log) {
    setObjectName("frmLog");
    setWindowTitle("Log messages");
    memLog_ = new QPlainTextEdit(this);
    memLog_->setObjectName("memLog");
    memLog_->setReadOnly(true);
    memLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memLog_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memLog_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* butClear = new QPushButton("Clear", this);
    butClear->setObjectName("butClear");
    connect(butClear, &QPushButton::clicked, this, [this] { log_.ClearLog(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memLog_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(butClear);
    layout->addLayout(buttons);
    resize(560, 360);

    log_.setListener([this] { refresh(); });
    refresh();
}

TfrmLog::~TfrmLog() {
    log_.setListener(nullptr);
}

void TfrmLog::refresh() {
    const auto& lines = log_.lines();
    if (lines.size() < shownLines_ || shownLines_ == 0) {
        memLog_->clear();
        shownLines_ = 0;
    }
    for (; shownLines_ < lines.size(); ++shownLines_)
        memLog_->appendPlainText(fromCp1252(lines[shownLines_]));
}

}  // namespace vornlfrf::gui
