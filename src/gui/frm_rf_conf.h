#pragma once
// RF configuration tab: the RF frame descriptions, their fields and computed fields, frame
// verification and processing. The descriptions, the editors' values and every rule live in
// config::RfConf; this window shows them and forwards the operator's actions.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "config/rf_conf.h"

class QButtonGroup;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTreeWidget;

namespace vornlfrf::gui {

class TfrmCRC;
class TfrmProcessing;
class TfrmRFParameter;
class TfrmRFParameterComp;

class TfrmRFConf : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmRFConf(config::RfConf& model, QWidget* parent = nullptr);
    ~TfrmRFConf() override;

    config::RfConf& model() { return model_; }
    // Re-reads every control from the model.
    void refresh();

    // Dialogs are shown through this; tests replace it so nothing blocks.
    std::function<void(QDialog&)> modalRunner;

    TfrmRFParameter* frmRFParameter() const { return frmRFParameter_.get(); }
    TfrmRFParameterComp* frmRFParameterComp() const { return frmRFParameterComp_.get(); }
    TfrmCRC* frmCRC() const { return frmCRC_.get(); }
    TfrmProcessing* frmProcessing() const { return frmProcessing_.get(); }

  private:
    QWidget* buildDescriptionList();
    QWidget* buildEditingPanel();
    QWidget* buildFieldGroup(bool computed);

    void refreshList();
    void refreshRow(int index);
    void refreshEditors();
    void refreshFields(int selectRow);
    void refreshComputed(int selectRow);
    void refreshSummaries();
    bool runDialog(QDialog& dialog);
    void afterNameEdit(QLineEdit* edit, const std::string& modelText);

    // Operator actions.
    void lstFramesSelectionChanged();
    void butFAddClick();
    void butFDelClick();
    void butFBasClick();
    void butFHautClick();
    void butFrameCopyClick();
    void butCollerClick();
    void butPAddClick();
    void Modification();
    void butPDelClick();
    void moveField(int delta);
    void butPAddCompClick();
    void butModifierCompClick();
    void butPDelCompClick();
    void moveComputed(int delta);
    void butConfigClick();
    void butProcessingConfigClick();

    config::RfConf& model_;
    bool refreshing_ = false;

    QTreeWidget* lstFrames_ = nullptr;
    QLineEdit* txtPWM0_ = nullptr;
    QLineEdit* txtPWM1_ = nullptr;
    QScrollArea* panEdit_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtComment_ = nullptr;
    QLineEdit* txtPreamble_ = nullptr;
    QComboBox* cboBaudrate_ = nullptr;
    QButtonGroup* rdbCoding_ = nullptr;
    QTreeWidget* lstFields_ = nullptr;
    QTreeWidget* lstFieldsComp_ = nullptr;
    QGroupBox* grbCKS_ = nullptr;
    QLabel* lblMask_ = nullptr;
    QLabel* lblMethod_ = nullptr;
    QGroupBox* grbProcessing_ = nullptr;
    QLabel* lblMethodProcessing_ = nullptr;

    // Not children of the window: their control names (butOK, butCancel, txtName...) would
    // shadow those of the main window and of the editing panel in name lookups.
    std::unique_ptr<TfrmRFParameter> frmRFParameter_;
    std::unique_ptr<TfrmRFParameterComp> frmRFParameterComp_;
    std::unique_ptr<TfrmCRC> frmCRC_;
    std::unique_ptr<TfrmProcessing> frmProcessing_;
};

}  // namespace vornlfrf::gui
