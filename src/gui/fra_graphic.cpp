#include "fra_graphic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <QtMath>
#include <cmath>
#include <cstring>

#include "clickable_label.h"
#include "cp1252.h"
#include "run/run_display.h"

namespace vornlfrf::gui {

namespace {

const QColor kGreen(0x2e, 0xa0, 0x43);
const QColor kRed(0xd6, 0x2f, 0x2f);
const QColor kChartBackground(0xfb, 0xfc, 0xfe);
constexpr int kGaugeWidth = 170;
constexpr int kGaugeHeight = 112;
constexpr qreal kGaugeRadius = 48;
constexpr int kNeedleLength = 38;

}  // namespace

HistoryView::HistoryView(QWidget* parent)
    : QWidget(parent), image_(kWidth, kHeight, QImage::Format_RGB32) {
    setObjectName("imgHistorique");
    setMinimumSize(200, kHeight);
    clear();
}

void HistoryView::clear() {
    image_.fill(kChartBackground);
    update();
}

void HistoryView::mark(int p, bool clipped) {
    const QRgb c = (clipped ? kRed : kGreen).rgb();
    // Marks at x 996..997, two pixels high from y = 100 - p.
    for (int y = 100 - p; y < 102 - p; ++y)
        for (int x = 996; x < 998; ++x) image_.setPixel(x, y, c);
    update();
}

void HistoryView::scroll(int pixels) {
    const int bytes = (kWidth - pixels) * 4;
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::memmove(line, line + pixels, static_cast<std::size_t>(bytes));
        for (int x = kWidth - pixels; x < kWidth; ++x) line[x] = kChartBackground.rgb();
    }
    update();
}

void HistoryView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(rect(), image_);
    // Lines at 0, 50 and 100 % of the meter scale.
    p.setPen(QPen(QColor(0xd0, 0xd6, 0xde), 1, Qt::DotLine));
    for (int y : {1, 51, 101}) {
        const int yy = y * height() / kHeight;
        p.drawLine(0, yy, width(), yy);
    }
    p.setPen(QColor(0xb9, 0xc3, 0xd0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TfraGraphic::TfraGraphic(int number, QWidget* parent) : QFrame(parent) {
    setObjectName(QString("fraGraphic%1").arg(number));
    setFrameShape(QFrame::StyledPanel);
    setProperty("graphic", true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);

    auto* head = new QHBoxLayout;
    head->setSpacing(8);
    imgOuvrir_ = new ClickableLabel(QString::fromUtf8("\u25B8"), this);
    imgOuvrir_->setObjectName("imgOuvrir");
    imgOuvrir_->setToolTip("Open");
    imgFermer_ = new ClickableLabel(QString::fromUtf8("\u25BE"), this);
    imgFermer_->setObjectName("imgFermer");
    imgFermer_->setToolTip("Close");
    for (ClickableLabel* l : {imgOuvrir_, imgFermer_}) {
        l->setCursor(Qt::PointingHandCursor);
        l->setFixedWidth(14);
        head->addWidget(l);
    }
    connect(imgOuvrir_, &ClickableLabel::clicked, this, [this] { imgOuvrirClick(); });
    connect(imgFermer_, &ClickableLabel::clicked, this, [this] { imgFermerClick(); });
    lblID_ = new QLabel(this);
    lblID_->setObjectName("lblID");
    lblID_->setMinimumWidth(90);
    QFont bold = lblID_->font();
    bold.setBold(true);
    lblID_->setFont(bold);
    head->addWidget(lblID_);
    for (int k = 0; k < 4; ++k) {
        lblNom_[k] = new QLabel(this);
        lblNom_[k]->setObjectName(QString("lblNom%1").arg(k));
        lblNom_[k]->setStyleSheet("color: #5a6676;");
        lblValeur_[k] = new QLabel(this);
        lblValeur_[k]->setObjectName(QString("lblValeur%1").arg(k));
        if (k == 0) lblValeur_[k]->setMinimumWidth(90);
        if (k == 0) lblValeur_[k]->setFont(bold);
        head->addWidget(lblNom_[k]);
        head->addWidget(lblValeur_[k]);
    }
    head->addStretch(1);
    head->addWidget(new QLabel("Frames:", this));
    lblCount_ = new QLabel("0", this);
    lblCount_->setObjectName("lblCount");
    lblCount_->setMinimumWidth(40);
    head->addWidget(lblCount_);
    column->addLayout(head);

    body_ = new QWidget(this);
    auto* row = new QHBoxLayout(body_);
    row->setContentsMargins(0, 0, 0, 0);
    imgCompteur_ = new QLabel(body_);
    imgCompteur_->setObjectName("imgCompteur");
    imgCompteur_->setFixedSize(kGaugeWidth, kGaugeHeight);
    row->addWidget(imgCompteur_);
    history_ = new HistoryView(body_);
    row->addWidget(history_, 1);
    column->addWidget(body_);

    reset(QString(), 0, 1, 10);
    imgOuvrirClick();
}

void TfraGraphic::reset(const QString& id, double min, double factor, double step) {
    lblID_->setText(id);
    for (int k = 0; k < 4; ++k) {
        lblNom_[k]->clear();
        lblValeur_[k]->clear();
    }
    count_ = 0;
    lblCount_->setText("0");
    min_ = min;
    factor_ = factor;
    scale_.clear();
    for (int k = 0; k <= 10; ++k)
        scale_ << QString::fromStdString(run::meterScaleLabel(min, step, k));
    p_ = -1;
    clipped_ = false;
    history_->clear();
    drawGauge();
}

void TfraGraphic::showFrame(const run::TFrameGraphic& g) {
    const bool present[4] = {g.primaryPresent != 0, g.secondaryPresent[0] != 0,
                             g.secondaryPresent[1] != 0, g.secondaryPresent[2] != 0};
    for (std::size_t k = 0; k < 4; ++k) {
        if (present[k]) {
            lblNom_[k]->setText(fromCp1252(g.names[k]) + ":");
            lblValeur_[k]->setText(fromCp1252(g.values[k]));
        } else {
            lblNom_[k]->clear();
            lblValeur_[k]->clear();
        }
    }
    if (g.primaryPresent && !g.primaryValue.empty() &&
        g.primaryValue.find('?') == std::string::npos) {
        const run::MeterPosition m =
            run::meterPosition(run::meterValue(g.primaryValue), min_, factor_);
        p_ = m.p;
        clipped_ = m.clipped;
        history_->mark(m.p, m.clipped);
        drawGauge();
    }
    lblCount_->setText(QString::number(++count_));
}

void TfraGraphic::scrollHistory() {
    // Frames in use move on while their page is not on top, so the time axis stays true.
    if (!isHidden()) history_->scroll(2);
}

void TfraGraphic::imgOuvrirClick() {
    open_ = true;
    body_->show();
    imgOuvrir_->hide();
    imgFermer_->show();
    setFixedHeight(kOpenHeight);
}

void TfraGraphic::imgFermerClick() {
    open_ = false;
    body_->hide();
    imgFermer_->hide();
    imgOuvrir_->show();
    setFixedHeight(kClosedHeight + 6);
}

void TfraGraphic::drawGauge() {
    const qreal dpr = devicePixelRatioF();
    QPixmap pix(QSize(kGaugeWidth, kGaugeHeight) * dpr);
    pix.setDevicePixelRatio(dpr);
    pix.fill(Qt::transparent);
    QPainter g(&pix);
    g.setRenderHint(QPainter::Antialiasing);
    const QPointF c(kGaugeWidth / 2.0, 70);
    const qreal r = kGaugeRadius;
    // Screen y grows downwards, so angles are drawn with -sin.
    auto at = [&c](double degrees, qreal radius) {
        const double a = qDegreesToRadians(degrees);
        return QPointF(c.x() + radius * std::cos(a), c.y() - radius * std::sin(a));
    };
    g.setPen(QPen(QColor(0xb9, 0xc3, 0xd0), 6, Qt::SolidLine, Qt::FlatCap));
    g.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), qRound(-157.5 * 16), qRound(-225.0 * 16));
    QFont f = g.font();
    f.setPixelSize(8);
    g.setFont(f);
    for (int k = 0; k <= 10; ++k) {
        const double a = run::needleAngle(k * 10);
        g.setPen(QPen(QColor(0x5a, 0x66, 0x76), 1));
        g.drawLine(at(a, r - 4), at(a, r + 3));
        const QPointF t = at(a, r + 16);
        g.drawText(QRectF(t.x() - 16, t.y() - 5, 32, 10), Qt::AlignCenter, scale_.value(k));
    }
    if (p_ >= 0) {
        g.setPen(QPen(clipped_ ? kRed : kGreen, 3, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(c, at(run::needleAngle(p_), kNeedleLength));
    }
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x2d, 0x3b, 0x4e));
    g.drawEllipse(c, 4, 4);
    g.end();
    imgCompteur_->setPixmap(pix);
}

}  // namespace vornlfrf::gui
