#include "frm_about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/main_shell.h"

namespace vornlfrf::gui {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("Informations");
    auto* title = new QLabel(app::kTitle, this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    auto* text = new QLabel(
        "Test-bench controller for LF-woken RF sensor modules.\n\n"
        "Emits LF frames through the TX controller, decodes the frames the\n"
        "sensors answer on up to four RF receivers, and records them in\n"
        "XML result files.",
        this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

}  // namespace vornlfrf::gui
