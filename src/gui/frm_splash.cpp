#include "frm_splash.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/main_shell.h"

namespace vornlfrf::gui {

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");
    setStyleSheet(
        "#frmSplash { background: #1f3a5f; border: 1px solid #0f2440; }"
        "QLabel { color: white; }");
    auto* title = new QLabel(app::kTitle, this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel("Initialization ...", this);
    text->setObjectName("lblInit");
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(title);
    layout->addWidget(text);
    setFixedSize(sizeHint().expandedTo(QSize(360, 150)));
}

void TfrmSplash::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    QCoreApplication::processEvents();
}

}  // namespace vornlfrf::gui
