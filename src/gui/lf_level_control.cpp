#include "lf_level_control.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "cp1252.h"
#include "hw/lf_command.h"

namespace vornlfrf::gui {

namespace {

constexpr char kWithinMaximum[] =
    "background: #3fae49; color: black; padding: 3px; border-radius: 3px;";
constexpr char kAboveMaximum[] =
    "background: #d32f2f; color: white; padding: 3px; border-radius: 3px;";
constexpr int kMarkerWidth = 7;

}  // namespace

// --- LevelSlider ---

LevelSlider::LevelSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {}

void LevelSlider::setMarker(int value) {
    if (value == marker_) return;
    marker_ = value;
    update();
}

void LevelSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int span = groove.height() - handle.height();
    const int y =
        groove.top() + handle.height() / 2 +
        QStyle::sliderPositionFromValue(minimum(), maximum(), marker_, span, opt.upsideDown);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd3, 0x2f, 0x2f));
    const QPointF tip(kMarkerWidth + 1.0, y);
    const QPointF triangle[] = {{1.0, y - 4.5}, tip, {1.0, y + 4.5}};
    p.drawPolygon(triangle, 3);
}

// --- LfLevelControl ---

LfLevelControl::LfLevelControl(hw::LfPowerLevel& level, std::function<std::string()> userMode,
                               QWidget* parent)
    : QWidget(parent), level_(level), userMode_(std::move(userMode)) {
    setObjectName("panLFPower");

    lblLFPower_ = new QLabel(this);
    lblLFPower_->setObjectName("lblLFPower");
    lblLFPower_->setAlignment(Qt::AlignCenter);
    lblLFPower_->setMinimumWidth(56);
    QFont bold = lblLFPower_->font();
    bold.setBold(true);
    lblLFPower_->setFont(bold);

    butLFHaut_ = new QToolButton(this);
    butLFHaut_->setObjectName("butLFHaut");
    butLFHaut_->setArrowType(Qt::UpArrow);
    butLFHaut_->setToolTip("One level up");
    butLFBas_ = new QToolButton(this);
    butLFBas_->setObjectName("butLFBas");
    butLFBas_->setArrowType(Qt::DownArrow);
    butLFBas_->setToolTip("One level down");

    trbPuissanceLF_ = new LevelSlider(this);
    trbPuissanceLF_->setObjectName("trbPuissanceLF");
    trbPuissanceLF_->setRange(0, hw::kMaxLfLevel);
    trbPuissanceLF_->setPageStep(1);
    trbPuissanceLF_->setTickPosition(QSlider::TicksRight);
    trbPuissanceLF_->setTickInterval(1);
    trbPuissanceLF_->setMinimumHeight(160);
    trbPuissanceLF_->setToolTip("LF power level; the red mark is the authorised maximum");

    butFix_ = new QPushButton("Fix", this);
    butFix_->setObjectName("butFix");
    butFix_->setToolTip("Make this level the authorised maximum");

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    column->addWidget(lblLFPower_);
    column->addWidget(butLFHaut_, 0, Qt::AlignHCenter);
    column->addWidget(trbPuissanceLF_, 1, Qt::AlignHCenter);
    column->addWidget(butLFBas_, 0, Qt::AlignHCenter);
    column->addWidget(butFix_);

    auto mode = [this] { return userMode_ ? userMode_() : std::string(); };
    // Dragging only shows the level; the release applies it. A change made without dragging
    // (keys, wheel, a click on the groove) is applied at once.
    connect(trbPuissanceLF_, &QSlider::valueChanged, this, [this, mode](int value) {
        level_.trbPuissanceLFChange(value);
        if (!trbPuissanceLF_->isSliderDown()) level_.trbPuissanceLFMouseUp(mode());
    });
    connect(trbPuissanceLF_, &QSlider::sliderReleased, this,
            [this, mode] { level_.trbPuissanceLFMouseUp(mode()); });
    connect(butLFHaut_, &QToolButton::clicked, this,
            [this, mode] { level_.butLFClick(true, mode()); });
    connect(butLFBas_, &QToolButton::clicked, this,
            [this, mode] { level_.butLFClick(false, mode()); });
    connect(butFix_, &QPushButton::clicked, this, [this, mode] { level_.butFixClick(mode()); });

    subscription_ = level_.listeners.subscribe([this] { refresh(); });
    refresh();
}

void LfLevelControl::refresh() {
    lblLFPower_->setText(fromCp1252(level_.lblLFPowerText()));
    lblLFPower_->setProperty("Tag", level_.levelShown);
    lblLFPower_->setStyleSheet(level_.aboveMaximum() ? kAboveMaximum : kWithinMaximum);
    {
        const QSignalBlocker quiet(trbPuissanceLF_);
        trbPuissanceLF_->setValue(level_.trbPuissanceLF);
    }
    trbPuissanceLF_->setProperty("Tag", level_.sliderTag);
    trbPuissanceLF_->setMarker(level_.iLevelMax);
    // A warning window waits for its answer: the level stays where it was asked.
    setEnabled(!level_.warningShown());
}

}  // namespace vornlfrf::gui
