#pragma once
// Run tab: the run window over the run engine and its LF sequencer. It shows the engine's state
// through the engine's and the result log's hooks, the mode panels through the sequencer's
// listeners, and forwards operator actions to them. "+EMUL" reveals the emulation panel and
// "+DEBUG" the simulation button.

#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "common/host.h"
#include "common/listeners.h"
#include "run/lf_sequencer.h"
#include "run/run_display.h"
#include "run/run_engine.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTreeView;

namespace vornlfrf::gui {

class ClickableLabel;
class IdTableModel;
class RowListModel;
class TfraGraphic;

class TfrmRun : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kGraphicFrames = 8;

    TfrmRun(Host& host, run::RunEngine& engine, run::LfSequencer& sequencer,
            config::ConfigurationSet& cfg, hw::Hardware& hardware, QWidget* parent = nullptr);
    ~TfrmRun() override;

    // The LF power control (slider, percentage, "Fix") shown beside the mode panels.
    void setLevelControl(QWidget* control);

    QGroupBox* panDebug() const { return panDebug_; }
    QPushButton* butDebug() const { return butDebug_; }

    // --- operator actions ---
    // leftControlOnly: the left Control key held without Alt (only the performance panel).
    void butRunClick(bool leftControlOnly);
    // Brings the panel of the mode selected in the run configuration to the front.
    void ShowModePanel();
    void butRazInformationsClick();
    void butDtlgClick();
    void lblLED_RXDblClick();
    void tmrLEDTimer();
    void tmrPerfTimer();
    // "+ENDURANCES": every 4 s the START/STOP button is pressed, until the RX controller fails.
    void enableEndurances();
    void tmrEndurancesStartStopTimer();
    void imgVornRxDblClick();
    // "+SMALL<height>": height of the result pages.
    void setResultPagesHeight(int pixels);

    // The simulated data-logger reading set by the emulation panel; the data-logger plugin
    // takes it (and empties it) in simulation.
    std::string sDtlgSimLine;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildTopBar();
    QWidget* buildModePanels();
    QWidget* buildManualPanel();
    QWidget* buildScriptPanel();
    QWidget* buildCyclicPanel(int k, const char* name, const char* title, const char* prefix);
    QWidget* buildTestPanel(int k, const char* name, const char* title, const char* prefix);
    QWidget* buildInformationsPanel();
    QWidget* buildDebugPanel();
    QWidget* buildPages();
    QWidget* buildViewScriptPanel();
    void bindEngine();
    void bindSequencer();

    // Engine hooks.
    void showButRun(const std::string& caption, bool enabled);
    void runStarting();
    void runStarted();
    void runStopped();
    void modeStarted();
    void setControllerImage(bool tx, int image);
    void showChannels();
    // Result log hooks.
    void fullListChanged();
    void idEntryUpdated(std::size_t entry, const run::ResultRow& row, bool newEntry);

    void selectEntry(int entry);
    void rowClicked(bool fullList, const QModelIndex& index);
    void showLed(int channel, bool lit);
    // The Manual, Script, Broadcast and Individual panels as the sequencer has them.
    void showSequencer();
    void showSendEnabled();
    void resetGraphicFrames();
    void applyColumnWidths();
    QLabel* label(const char* name, const QString& text, QWidget* parent);

    Host& host_;
    run::RunEngine& engine_;
    run::LfSequencer& seq_;
    config::ConfigurationSet& cfg_;
    hw::Hardware& hw_;
    run::RunHooks savedHooks_;
    run::ResultLogHooks savedLogHooks_;
    Listeners::Handle seqSubscription_;
    Listeners::Handle powerSubscription_;
    std::unique_ptr<HostTimer> tmrLED_;
    std::unique_ptr<HostTimer> tmrPerf_;
    std::unique_ptr<HostTimer> tmrEndurancesStartStop_;
    int enduranceTag_ = 0;

    run::TimeDelta deltaFull_, deltaId_;
    run::BarScale barScale_;
    run::ChannelLeds leds_;
    std::uint64_t rowsReceived_ = 0;
    std::uint64_t lastSampleMark_ = 0;
    int selectedEntry_ = -1;
    std::array<int, 4> ledShown_{{-1, -1, -1, -1}};  // picture shown: lit + 2 * trigger
    bool fillingManualFrames_ = false;
    bool scrollFull_ = false, scrollDatas_ = false;  // autoscroll due at the next LED tick

    // Top bar.
    QPushButton* butRun_ = nullptr;
    QLabel* shaRun_ = nullptr;
    QLabel* imgVornTx_ = nullptr;
    ClickableLabel* imgVornRx_ = nullptr;
    ClickableLabel* lblLED_TX_ = nullptr;
    ClickableLabel* lblLED_RX_ = nullptr;
    std::array<QLabel*, 4> imgCh_{};
    std::array<QLabel*, 4> lblRecepteur_{};
    std::array<QLabel*, 4> lblChannel_{};
    QLabel* imgLF_ = nullptr;
    QLabel* lblDirectory_ = nullptr;

    // Mode panels.
    QStackedWidget* panModes_ = nullptr;
    QWidget* panNone_ = nullptr;
    std::array<QWidget*, 6> modePanels_{};
    QComboBox* cboManualFrames_ = nullptr;
    QLabel* lblInterFrame_ = nullptr;
    QComboBox* cboInterFrame_ = nullptr;
    QLabel* lblNFrame_ = nullptr;
    QComboBox* cboNFrame_ = nullptr;
    QLabel* lblDuration_ = nullptr;
    QLineEdit* txtDuration_ = nullptr;
    QLabel* lblDurationms_ = nullptr;
    std::array<QLabel*, 3> lblParam_{};
    std::array<QLineEdit*, 3> txtParam_{};
    QPushButton* butSend_ = nullptr;
    QPushButton* butSendStop_ = nullptr;
    QLabel* lblSCRIPTElapsed_ = nullptr;
    QLabel* lblSCRIPTCommande_ = nullptr;
    QPushButton* butReExecStop_ = nullptr;
    QWidget* panViewScript_ = nullptr;
    QListWidget* lstScriptView_ = nullptr;
    QLabel* lblCurrentID_ = nullptr;
    // Broadcast and Individual panels.
    struct CyclicLabels {
        QLabel* frame = nullptr;
        QLabel* cycle = nullptr;
        QLabel* elapsed = nullptr;
        QLabel* sentFrames = nullptr;
    };
    std::array<CyclicLabels, 2> cyclic_{};
    // EMC and TSTLF panels.
    struct TestLabels {
        QLabel* cycle = nullptr;
        QLabel* elapsed = nullptr;
    };
    std::array<TestLabels, 2> tests_{};

    // Performance and emulation panels.
    QGroupBox* panInformations_ = nullptr;
    QLabel* lblBoucle_ = nullptr;
    QLabel* lblBouclesCourant_ = nullptr;
    QLabel* lblBoucleMsg_ = nullptr;
    QLabel* lblBouclesCourantMsg_ = nullptr;
    QLabel* lblNoRecept_ = nullptr;
    QPushButton* butDebug_ = nullptr;
    QGroupBox* panDebug_ = nullptr;
    QListWidget* lstControleur_ = nullptr;
    QLineEdit* txtDtlg_ = nullptr;

    // Result pages.
    QTabWidget* PageControl_ = nullptr;
    RowListModel* fullModel_ = nullptr;
    RowListModel* datasModel_ = nullptr;
    IdTableModel* idModel_ = nullptr;
    QListView* lstFull_ = nullptr;
    QListView* lstDatas_ = nullptr;
    QListView* lstID_ = nullptr;
    QTreeView* lstGraphic_ = nullptr;
    QLabel* lblNbFull_ = nullptr;
    QLabel* lblNbID_ = nullptr;
    QCheckBox* chkAutoScrollFull_ = nullptr;
    QCheckBox* chkAutoScrollDatas_ = nullptr;
    QLineEdit* txtLigneFull_ = nullptr;
    QLineEdit* txtLigneDatas_ = nullptr;
    QLabel* lblDeltaT_ = nullptr;
    QLabel* lblDeltaT_ID_ = nullptr;
    std::array<TfraGraphic*, kGraphicFrames> graphics_{};
    QVBoxLayout* sideLayout_ = nullptr;
};

}  // namespace vornlfrf::gui
