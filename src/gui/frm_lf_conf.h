#pragma once
// LF configuration tab: the LF frame table and the LF script. The window shows config::LfConf
// and forwards every operator action to it; it keeps no state of its own beyond its widgets.

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "config/configuration_document.h"
#include "config/lf_conf.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;

namespace vornlfrf::gui {

class TfrmLFConf : public QWidget {
    Q_OBJECT
  public:
    TfrmLFConf(config::LfConf& model, config::ConfigurationDocument& document,
               QWidget* parent = nullptr);
    ~TfrmLFConf() override;

    // Re-reads the whole model: lists, selections, panels and editors.
    void refresh();

  private:
    QWidget* buildFramesPage();
    QWidget* buildFrameEditor(QWidget* parent);
    QWidget* buildScriptPage();
    QWidget* buildCommandPanel(config::ScriptCommand command);

    // Frames
    void connectFrameChoice(QRadioButton* radio, std::function<void()> click);
    void syncFrameList();
    void showFrameEditors();
    void lstFramesClick(int row);
    void butAddClick();
    void butTestClick();

    // Script
    using ArgumentChange = std::function<void(const std::string&)>;
    void connectArgument(QLineEdit* editor, ArgumentChange change);
    // box is one of the window's frame boxes.
    void connectFrameBox(QComboBox* box, bool data, ArgumentChange change);
    void connectWaitInLevel(QRadioButton* radio, std::function<void()> click);
    void syncScriptList();
    void showScriptEditors();
    void showCommandArea();
    // After a change of the list: rows, selection and command area.
    void showScript();
    void lstScriptCommandsClick(int row);
    void addCommand(config::ScriptCommand command);
    // Forwards an argument editor's text and shows what the line can hold.
    void editArgument(QLineEdit* editor, const ArgumentChange& change);
    void editFrameBox(QComboBox* box, const ArgumentChange& change);
    void fillFrameBox(QComboBox* box, bool data);

    config::LfConf& model_;
    config::LfScript& script_;
    // Set while the window writes its own widgets, so their signals are not operator actions.
    bool syncing_ = false;

    QTabWidget* pgcLFConf_ = nullptr;

    QTreeWidget* lstFrames_ = nullptr;
    QGroupBox* panFrame_ = nullptr;
    QWidget* panContent_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtComment_ = nullptr;
    QLineEdit* txtContent_ = nullptr;
    QComboBox* cboBaudrate_ = nullptr;
    QComboBox* cboFreq_ = nullptr;
    QRadioButton* rdbStandard_ = nullptr;
    QRadioButton* rdbInverted_ = nullptr;
    QRadioButton* rdbLFData_ = nullptr;
    QRadioButton* rdbLFCW_ = nullptr;
    QPushButton* butTest_ = nullptr;
    QPlainTextEdit* txtTest_ = nullptr;
    QLabel* lblAnalysis_ = nullptr;

    QListWidget* lstScriptCommands_ = nullptr;
    QMenu* popScriptAdd_ = nullptr;
    QGroupBox* panScriptCommand_ = nullptr;
    QStackedWidget* pgcScriptCommand_ = nullptr;
    std::array<QWidget*, static_cast<std::size_t>(config::ScriptCommand::Count)> commandPanels_{};
    QComboBox* cboScriptFrame_ = nullptr;
    QLineEdit* txtScriptRepetition_ = nullptr;
    QLineEdit* txtScriptInterframe_ = nullptr;
    QComboBox* cboSendCWFrame_ = nullptr;
    QLineEdit* txtScriptDuration_ = nullptr;
    QLineEdit* txtScriptDuring_ = nullptr;
    QLineEdit* txtScriptLevel_ = nullptr;
    QLineEdit* txtIdStart_ = nullptr;
    QLineEdit* txtIdStopDuring_ = nullptr;
    QCheckBox* chkIdStopAbort_ = nullptr;
    QCheckBox* chkIdStopDisplay_ = nullptr;
    QLineEdit* txtSETParameter_ = nullptr;
    QLineEdit* txtSETValue_ = nullptr;
    QLineEdit* txtCOMMENTValue_ = nullptr;
    QRadioButton* rdbWAITINLevel0_ = nullptr;
    QRadioButton* rdbWAITINLevel1_ = nullptr;
};

}  // namespace vornlfrf::gui
