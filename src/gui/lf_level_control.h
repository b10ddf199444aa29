#pragma once
// The LF power-level control of the run window: the percentage lblLFPower (black on green up to
// the authorised maximum, white on red above it), the slider trbPuissanceLF with a marker at the
// maximum, the step buttons butLFHaut / butLFBas and "Fix". Behaviour is hw::LfPowerLevel's.

#include <QSlider>
#include <QWidget>
#include <functional>
#include <string>

#include "common/listeners.h"
#include "hw/lf_emission.h"

class QLabel;
class QToolButton;
class QPushButton;

namespace vornlfrf::gui {

// A slider that marks one of its values (the authorised maximum) beside its groove.
class LevelSlider : public QSlider {
    Q_OBJECT
  public:
    explicit LevelSlider(QWidget* parent = nullptr);
    void setMarker(int value);
    int marker() const { return marker_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int marker_ = 0;
};

class LfLevelControl : public QWidget {
    Q_OBJECT
  public:
    // userMode gives the mode in effect, "Admin" or "User".
    LfLevelControl(hw::LfPowerLevel& level, std::function<std::string()> userMode,
                   QWidget* parent = nullptr);

    void refresh();

  private:
    hw::LfPowerLevel& level_;
    std::function<std::string()> userMode_;
    Listeners::Handle subscription_;
    QLabel* lblLFPower_;
    LevelSlider* trbPuissanceLF_;
    QToolButton* butLFHaut_;
    QToolButton* butLFBas_;
    QPushButton* butFix_;
};

}  // namespace vornlfrf::gui
