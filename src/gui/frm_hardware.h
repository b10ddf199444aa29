#pragma once
// Hardware window: which port each controller uses, the find and test procedures, the receiver
// types of the four channels and the trigger options. Everything is hw::Hardware's; this window
// shows it and forwards the operator's changes and clicks.

#include <QDialog>
#include <functional>
#include <string>

#include "common/listeners.h"
#include "hw/hardware.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vornlfrf::gui {

class TfrmHardware : public QDialog {
    Q_OBJECT
  public:
    TfrmHardware(hw::Hardware& hardware, QWidget* parent = nullptr);

    // "Get types" needs the selected run mode and the receiver types forced by "+REC".
    std::function<bool()> emcMode;
    std::string forcedTypes;

    void refresh();

  public slots:
    // Closing the window closes both controller ports; refused while a procedure runs.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Side {
        QCheckBox* chk = nullptr;
        QRadioButton* rdbAutomatic = nullptr;
        QRadioButton* rdbManual = nullptr;
        QLineEdit* txtAutomatic = nullptr;
        QComboBox* cboManual = nullptr;
        QPushButton* butFind = nullptr;
        QPushButton* butTest = nullptr;
        QLabel* panFind = nullptr;
        QLabel* panTest = nullptr;
    };

    QWidget* buildSide(bool isTx);
    QWidget* buildChannels();
    QWidget* buildOptions();
    QCheckBox* configCheck(const char* name, const QString& caption, bool hw::Hardware::*field,
                           QWidget* parent);
    void showSide(const Side& s, bool isTx);

    hw::Hardware& hw_;
    Listeners::Handle subscription_;
    Side tx_, rx_;
    QLabel* lblAvailablePorts_ = nullptr;
    QLabel* lblExt_ = nullptr;
    QLabel* lblChannel_[4] = {};
    QPushButton* butGetTypes_ = nullptr;
    QPushButton* butClose_ = nullptr;
    QCheckBox* chkSimulation_ = nullptr;
    QCheckBox* chkAcqFilter_ = nullptr;
    QCheckBox* chkRxPin2Used_ = nullptr;
    QCheckBox* chkTriggerChan_[3] = {};
    QFrame* panTrigger_ = nullptr;
};

}  // namespace vornlfrf::gui
