#pragma once
// RF configuration dialog of an EMC phase or of the TSTLF test: the expected RF description,
// its field check rows and, for a phase, the number of frames that decide it is OK. Edits the
// model it is given; the caller stores the result when the dialog is accepted.

#include <QDialog>
#include <functional>

#include "config/emc_conf.h"

class QComboBox;
class QFrame;
class QLabel;
class QTreeWidget;

namespace vornlfrf::gui {

class TfrmEMCConf : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmEMCConf(config::EmcRfConfDialog& model, QWidget* parent = nullptr);

    // Runs the field description dialog; tests replace it so nothing blocks.
    std::function<int(QDialog&)> modalRunner;

    void refresh();
    // "Modify" and a double click on a row.
    void butModifierClick();

  private:
    void refreshRows();

    config::EmcRfConfDialog& model_;
    QFrame* panPhase_ = nullptr;
    QLabel* lblPhase_ = nullptr;
    QLabel* lblLF_ = nullptr;
    QComboBox* cboRFFrame_ = nullptr;
    QTreeWidget* lstFields_ = nullptr;
    QFrame* panNbFrames_ = nullptr;
    QComboBox* cboNbFrames_ = nullptr;
};

}  // namespace vornlfrf::gui
