#pragma once
// Run configuration tab: test mode with its Broadcast, Individual, EMC and TSTLF panels,
// receiver slots, ID filter, options and alerts. The settings live in config::RunConf; the
// window shows them, forwards every operator action to the model and shows the model again
// after a load or defaults action.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "config/configuration_set.h"
#include "hw/serial_port.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vornlfrf::gui {

class TfrmRunConf : public QWidget {
    Q_OBJECT
  public:
    // copiedId gives the main window's last copied ID ("Paste IDs"); ports opens the test-site
    // ports of the "Test" buttons, which stay disabled while there is none.
    TfrmRunConf(Host& host, config::ConfigurationSet& configuration,
                std::function<std::string()> copiedId = {}, hw::PortProvider* ports = nullptr,
                QWidget* parent = nullptr);
    ~TfrmRunConf() override;

    config::RunConf& model() { return conf_; }
    void setPortProvider(hw::PortProvider* ports);
    // The run window's ID list, which "Get ID" sorts in place and takes IDs from; the button
    // stays disabled until there is one.
    void setRunIdSource(std::function<std::vector<std::string>*()> source);

    // Modal dialogs are run through this; tests replace it so nothing blocks. Returns the
    // dialog's result code.
    std::function<int(QDialog&)> modalRunner;

    // Shows the model's state in every control.
    void refresh();

    // "Configure .." of EMC phase p (0..3) and of TSTLF.
    void ConfigurePhaseRf(int p);
    void ConfigureTstlfRf();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildLfTab();
    QWidget* buildCyclicPanel();
    QWidget* buildEmcPanel();
    QWidget* buildTstlfPanel();
    QWidget* buildSiteGroup(QWidget* parent, bool emc);
    std::vector<std::string> phaseFrameItems() const;
    QWidget* buildRxTab();
    QWidget* buildSlot(int c);
    QWidget* buildIdTab();
    QWidget* buildOptionsTab();
    QWidget* buildAlertTab();
    QWidget* buildAlertLevel(int n);
    void buildDescriptionPopup();

    // Controls bound to a model field: operator edits go to the field and mark the document
    // modified (unless stored is false); refresh() shows the field again.
    QLineEdit* bindEdit(const QString& name, std::string& field, bool stored = true);
    QCheckBox* bindCheck(const QString& name, const QString& caption, bool& field,
                         bool stored = true);
    QRadioButton* radio(const QString& name, const QString& caption);
    // A group of radio buttons over model flags; select sets the flags (and marks the
    // document), by default the clicked button's flag alone.
    void bindGroup(const std::vector<QRadioButton*>& buttons, std::vector<bool*> fields,
                   std::function<void(std::size_t)> select = {});
    // A text-valued drop-down. fill, when given, fills the list each time it opens; changed
    // replaces the default reaction to an operator change (store and mark).
    QComboBox* bindTextCombo(const QString& name, std::string& field, bool editable,
                             const std::vector<std::string>& items,
                             std::function<std::vector<std::string>()> fill = {},
                             std::function<void()> changed = {});
    QComboBox* bindIndexCombo(const QString& name, int& field,
                              const std::vector<std::string>& items);
    QLineEdit* digitsOnly(QLineEdit* edit, std::size_t maxLength);
    void onRefresh(std::function<void()> show) { refreshers_.push_back(std::move(show)); }
    void edited();

    void showDescriptionPopup(int c, QWidget* at);
    void refreshPopup();
    void pasteIds();
    void copyIds();
    void pasteTypedIds();
    void chooseWaveFile(int n);
    void testPort(bool emc);
    int runModal(QDialog& dialog);

    Host& host_;
    config::ConfigurationSet& set_;
    config::RunConf& conf_;
    std::function<std::string()> copiedId_;
    hw::PortProvider* ports_ = nullptr;
    std::function<std::vector<std::string>*()> runIds_;
    std::vector<std::function<void()>> refreshers_;
    bool refreshing_ = false;

    QTabWidget* pgcRunConf_ = nullptr;
    QLineEdit* txtID_ = nullptr;
    QFrame* panGetID_ = nullptr;
    QFrame* panListeDescriptions_ = nullptr;
    QListWidget* lstDescriptions_ = nullptr;
    QPushButton* butGetID_ = nullptr;
    QPushButton* butEMCTest_ = nullptr;
    QPushButton* butTSTLFTest_ = nullptr;
};

}  // namespace vornlfrf::gui
