// The run window over a run engine and its LF sequencer on the emulated bench and the virtual
// clock.

#include "frm_run.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>
#include <set>

#include "bench.h"
#include "common/sim_host.h"
#include "config/configuration_set.h"
#include "controller.h"
#include "cp1252.h"
#include "fra_graphic.h"
#include "frm_main.h"
#include "hw/controller_link.h"
#include "hw/hardware.h"
#include "hw/lf_command.h"
#include "program_folder.h"
#include "qt_printers.h"
#include "run/lf_sequencer.h"
#include "run/reader_clock.h"
#include "run/run_engine.h"
#include "run_lists.h"
#include "scenario.h"
#include "support/bench_rig.h"
#include "support/scenarios.h"

namespace vornlfrf::gui {
namespace {

namespace fs = std::filesystem;

// Two sensors on two channels, transmitting on their own.
const std::string kScenario = testsupport::twoSensorScenario(700, 1100, 400);

// A frame of the LF table with one parameter, for the Manual panel.
const char kParamFrame[] =
    "Name:Addressed\xAC"
    "Freq:125.0\xAC"
    "Content:FF00h @ID(32)\xAC"
    "Baudrate:3906\xAC"
    "Coding:0\xAC"
    "Data:1\xAC"
    "Comment:\xAC";

class RunWindowTest : public ::testing::Test, public testsupport::BenchRig {
  protected:
    // A folder per test: CTest runs the tests of this fixture in parallel.
    RunWindowTest()
        : BenchRig(
              fs::temp_directory_path() /
                  ("vornlfrf_gui_run_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())),
              kScenario) {}
    void SetUp() override {
        window = std::make_unique<TfrmRun>(host, *engine, *sequencer, *cfg, *hardware);
        window->resize(1280, 760);
        window->show();
    }
    void TearDown() override {
        if (engine->bRunning) engine->StopRun();
        window.reset();
    }

    template <class T>
    T* find(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* label) { return find<QLabel>(label)->text(); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void clickRow(const char* list, int row) {
        auto* v = find<QAbstractItemView>(list);
        const QModelIndex i = v->model()->index(row, 0);
        v->scrollTo(i);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(i).center());
    }
    QStringList rows(const char* list) {
        auto* v = find<QAbstractItemView>(list);
        QStringList out;
        for (int r = 0; r < v->model()->rowCount(); ++r)
            out << v->model()->index(r, 0).data().toString();
        return out;
    }
    QString frontPanel() { return find<QStackedWidget>("panLF")->currentWidget()->objectName(); }
    void startRun() {
        click("butRun");
        ASSERT_TRUE(engine->bRunning) << doc->log().text();
    }
    // A row of the result log, as the decoding would file it.
    void logRow(const std::string& id, const std::string& time, int channel = 1) {
        const std::string text =
            "_RTime=\"" + time + "\" Desc=\"Front\" ID=\"" + id + "\" CKSGood=\"1\"";
        const std::string data = "ID=\"" + id + "\" ";
        run::ResultRow r;
        r.rowText = text;
        r.lastId = id;
        r.dataText = data;
        engine->resultLog().AppendResultRow(channel, r, true);
    }
    void startLog(std::size_t fullLength = 100) {
        run::ResultLogSettings s;
        s.bNoFiles = true;
        s.fullListLength = fullLength;
        engine->resultLog().start(s);
    }

    std::unique_ptr<TfrmRun> window;
};

TEST_F(RunWindowTest, RunFromTheButtonShowsRowsIdsAndLedsThenStops) {
    cfg->run.txtMeterMax = "300.0";
    startRun();
    EXPECT_EQ(find<QPushButton>("butRun")->text(), "STOP");
    EXPECT_TRUE(find<QLabel>("shaRun")->isVisible());
    EXPECT_EQ(find<QLabel>("imgVornTx")->property("image").toInt(), run::kImageGood);
    EXPECT_EQ(find<QLabel>("imgVornRx")->property("image").toInt(), run::kImageGood);
    EXPECT_EQ(text("lblChannel2"), "RF 433.92MHz");
    EXPECT_EQ(text("lblChannel3"), "RF 315.00MHz");
    EXPECT_EQ(text("lblDirectory"), fromPath(engine->resultsFolder) + " ");
    EXPECT_EQ(frontPanel(), "panBrodcast");
    EXPECT_EQ(text("lblBRODFrame"), "Wake");
    EXPECT_EQ(text("lblNbFull"), "-");

    // LEDs light with the rows of their channel only.
    std::set<int> lit;
    for (int t = 0; t < 4000; t += 50) {
        host.advance(50);
        for (int c = 1; c <= 4; ++c)
            if (find<QLabel>(("imgCh" + std::to_string(c)).c_str())->property("lit").toBool())
                lit.insert(c);
    }
    EXPECT_EQ(lit, (std::set<int>{2, 3}));
    EXPECT_EQ(text("lblBRODElapsed").left(10), "00h 00mn 0");
    EXPECT_NE(text("lblBRODElapsed"), "00h 00mn 00s");

    // Every row in the full list, in order, the newest in view.
    const auto& full = engine->resultLog().fullList();
    ASSERT_GE(full.size(), 6u);
    QStringList expected;
    for (const run::ListRow& r : full) expected << fromCp1252(r.text);
    EXPECT_EQ(rows("lstFull"), expected);
    EXPECT_EQ(text("lblNbFull"), QString::number(full.size()));
    auto* lstFull = find<QListView>("lstFull");
    EXPECT_EQ(lstFull->model()->index(0, 0).data(kChannelRole).toInt(), full.front().channel);

    // One line per ID with its count; its rows when selected.
    const auto& entries = engine->resultLog().idEntries();
    ASSERT_EQ(entries.size(), 2u);
    const QStringList ids = rows("lstID");
    EXPECT_EQ(std::set<QString>(ids.begin(), ids.end()),
              (std::set<QString>{"1A2B3C4D", "00C0FFEE"}));
    auto* graphic = find<QTreeView>("lstGraphic");
    for (int e = 0; e < 2; ++e)
        EXPECT_EQ(graphic->model()->index(e, IdTableModel::kCount).data().toInt(),
                  entries[static_cast<std::size_t>(e)].framesReceived);
    find<QTabWidget>("PageControl")->setCurrentIndex(1);
    const int front = rows("lstID").indexOf("1A2B3C4D");
    clickRow("lstID", front);
    const QStringList datas = rows("lstDatas");
    ASSERT_EQ(datas.size(), static_cast<int>(entries[static_cast<std::size_t>(front)].rows.size()));
    for (const QString& r : datas) EXPECT_TRUE(r.contains("ID=\"1A2B3C4D\"")) << r.toStdString();
    EXPECT_EQ(text("lblNbID"),
              QString::number(entries[static_cast<std::size_t>(front)].framesReceived));
    // Rows of the selected ID keep coming.
    const int before = datas.size();
    host.advance(1500);
    EXPECT_GT(rows("lstDatas").size(), before);
    for (const QString& r : rows("lstDatas")) EXPECT_TRUE(r.contains("ID=\"1A2B3C4D\""));

    // The graphic frame of the first ID: 0x9A * 1.5 = 231 kPa on a 0..300 meter.
    auto* frame = find<TfraGraphic>("fraGraphic1");
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->findChild<QLabel*>("lblID")->text(), fromCp1252(entries[0].id));
    EXPECT_EQ(frame->count(), entries[0].framesReceived);
    const bool frontFirst = entries[0].id == "1A2B3C4D";
    EXPECT_EQ(frame->position(), frontFirst ? 77 : 64);  // 231 or 192 kPa
    EXPECT_FALSE(frame->clipped());
    // Marks of earlier frames moved left with the stream, the page not being on top.
    const int y = 100 - frame->position();
    int marks = 0;
    for (int x = 0; x < 996; ++x)
        if (frame->history().pixelColor(x, y) == QColor(0x2e, 0xa0, 0x43)) ++marks;
    EXPECT_GE(marks, 4);  // at least two earlier seconds with frames
    EXPECT_EQ(frame->findChild<QLabel*>("lblNom0")->text(), "Pressure:");
    EXPECT_EQ(frame->scaleLabels().front(), "0.0");
    EXPECT_EQ(frame->scaleLabels().back(), "300.0");
    EXPECT_TRUE(find<TfraGraphic>("fraGraphic3")->isHidden());

    click("butRun");
    EXPECT_FALSE(engine->bRunning);
    EXPECT_EQ(find<QPushButton>("butRun")->text(), "START");
    EXPECT_FALSE(find<QLabel>("shaRun")->isVisible());
    EXPECT_EQ(find<QLabel>("imgVornTx")->property("image").toInt(), run::kImageIdle);
    EXPECT_EQ(rows("lstFull").size(), static_cast<int>(full.size()));
}

TEST_F(RunWindowTest, FullListKeepsItsLengthAndNewRunStartsEmpty) {
    startLog(10);
    for (int i = 1; i <= 11; ++i) logRow("A", std::to_string(i) + ".000");
    const QStringList shown = rows("lstFull");
    ASSERT_EQ(shown.size(), 10);
    EXPECT_TRUE(shown.front().startsWith("_RTime=\"2.000\""));
    EXPECT_TRUE(shown.back().startsWith("_RTime=\"11.000\""));
    EXPECT_EQ(text("lblNbFull"), "11");

    // Autoscroll keeps the newest row in view; without it the view stays where it was.
    auto* view = find<QListView>("lstFull");
    auto lastInView = [view] {
        const QModelIndex last = view->model()->index(view->model()->rowCount() - 1, 0);
        return view->viewport()->rect().contains(view->visualRect(last));
    };
    startLog(100);
    for (int i = 0; i < 80; ++i) logRow("A", "1.000");
    host.advance(50);
    EXPECT_TRUE(lastInView());
    find<QCheckBox>("chkAutoScrollFull")->setChecked(false);
    view->scrollToTop();
    for (int i = 0; i < 5; ++i) logRow("A", "2.000");
    host.advance(50);
    EXPECT_FALSE(lastInView());

    // A run with a length of 20 from the run configuration.
    cfg->run.cboNFull = "20";
    startRun();
    EXPECT_EQ(text("lblNbFull"), "-");
    EXPECT_EQ(rows("lstID").size(), 0);
    host.advance(15000);
    const auto& full = engine->resultLog().fullList();
    ASSERT_EQ(full.size(), 20u);
    QStringList expected;
    for (const run::ListRow& r : full) expected << fromCp1252(r.text);
    EXPECT_EQ(rows("lstFull"), expected);
    EXPECT_GT(text("lblNbFull").toInt(), 20);
}

TEST_F(RunWindowTest, BarGraphScaleGrowsWhenACountReachesIt) {
    startLog();
    for (int i = 0; i < 99; ++i) logRow("A", "1.000");
    logRow("B", "1.000", 2);
    auto* model = find<QTreeView>("lstGraphic")->model();
    auto bar = [model](int row) {
        return model->index(row, IdTableModel::kBar).data(kBarLengthRole);
    };
    EXPECT_EQ(bar(0).toInt(), 99);
    EXPECT_EQ(bar(1).toInt(), 1);
    logRow("A", "1.000");
    EXPECT_EQ(model->index(0, IdTableModel::kCount).data().toInt(), 100);
    EXPECT_EQ(model->index(0, IdTableModel::kBar).data(kBarScaleRole).toInt(), 200);
    EXPECT_EQ(bar(0).toInt(), 50);
    EXPECT_EQ(bar(1).toInt(), 1);
    EXPECT_EQ(model->index(1, IdTableModel::kData).data().toString(), "ID=\"B\" ");

    // Column widths come from the RUN section and go back to it when the operator drags them.
    auto* header = find<QTreeView>("lstGraphic")->header();
    startLog();
    logRow("C", "1.000");
    EXPECT_EQ(header->sectionSize(IdTableModel::kId), 104);
    EXPECT_EQ(header->sectionSize(IdTableModel::kBar), 100);
    EXPECT_EQ(header->sectionSize(IdTableModel::kCount), 70);
    header->resizeSection(IdTableModel::kId, 140);
    EXPECT_EQ(engine->runSection.TabG0, 140);
    EXPECT_EQ(engine->runSection.TabG2, 70);
}

TEST_F(RunWindowTest, TimeDifferenceOfClickedRows) {
    startLog();
    logRow("A", "1803.712");
    logRow("A", "1804.937");
    logRow("B", "1805.000");
    logRow("B", "1805.537");
    EXPECT_EQ(text("lblDeltaT"), "-");
    clickRow("lstFull", 0);
    EXPECT_EQ(text("lblDeltaT"), "-");
    clickRow("lstFull", 1);
    EXPECT_EQ(text("lblDeltaT"), "1.2ms");
    EXPECT_TRUE(find<QLineEdit>("txtLigneFull")->text().startsWith("_RTime=\"1804.937\""));
    clickRow("lstFull", 3);
    EXPECT_EQ(text("lblDeltaT"), "0.6ms");

    find<QTabWidget>("PageControl")->setCurrentIndex(1);
    clickRow("lstID", 1);
    clickRow("lstDatas", 0);
    clickRow("lstDatas", 1);
    EXPECT_EQ(text("lblDeltaT_ID"), "0.5ms");
    EXPECT_TRUE(find<QLineEdit>("txtLigneDatas")->text().startsWith("_RTime=\"1805.537\""));
    // Another ID: the reference is gone.
    clickRow("lstGraphic", 0);
    EXPECT_EQ(text("lblDeltaT_ID"), "-");
    clickRow("lstDatas", 0);
    EXPECT_EQ(text("lblDeltaT_ID"), "-");
    EXPECT_EQ(text("lblDeltaT"), "0.6ms");  // the full list keeps its own
}

TEST_F(RunWindowTest, ModePanelFollowsTheSelector) {
    const char* panels[] = {"panManual",     "panScript", "panBrodcast",
                            "panIndividual", "panEMC",    "panTSTLF"};
    for (int mode = 0; mode < 6; ++mode) {
        cfg->run.SelectMode(mode);
        window->ShowModePanel();
        EXPECT_EQ(frontPanel(), panels[mode]);
        EXPECT_TRUE(find<QWidget>(panels[mode])->isVisible());
    }
    cfg->run.rdbLFTSTLF = false;
    window->ShowModePanel();
    EXPECT_EQ(frontPanel(), "panNoMode");
}

TEST_F(RunWindowTest, ManualPanelSendsTheSelectedFrameAndRemembersIt) {
    std::vector<std::string> frames = cfg->lf.frames();
    frames.push_back(kParamFrame);
    cfg->lf.setFrames(frames);
    cfg->run.SelectMode(config::kModeManual);
    auto* combo = find<QComboBox>("cboManualFrames");
    auto* send = find<QPushButton>("butSend");
    EXPECT_FALSE(send->isEnabled());
    startRun();
    EXPECT_EQ(frontPanel(), "panManual");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "Wake");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(send->isEnabled());
    EXPECT_TRUE(combo->isEnabled());
    click("butSend");  // nothing selected: no request
    EXPECT_FALSE(engine->bSendRequest);

    combo->setCurrentIndex(1);  // Carrier: a CW frame has a duration, no count
    EXPECT_TRUE(find<QLineEdit>("txtDuration")->isVisible());
    EXPECT_FALSE(find<QComboBox>("cboNFrame")->isVisible());
    combo->setCurrentIndex(2);  // Addressed: a data frame with the parameter ID
    EXPECT_FALSE(find<QLineEdit>("txtDuration")->isVisible());
    EXPECT_TRUE(find<QComboBox>("cboNFrame")->isVisible());
    EXPECT_EQ(find<QComboBox>("cboNFrame")->currentText(), "Cont");
    EXPECT_TRUE(find<QLineEdit>("txtParam1")->isVisible());
    EXPECT_EQ(text("lblParam1"), "ID:");
    EXPECT_FALSE(find<QLineEdit>("txtParam2")->isVisible());
    find<QLineEdit>("txtParam1")->setText("00C0FFEE");
    EXPECT_EQ(sequencer->txtParam[0], "00C0FFEE");
    EXPECT_EQ(engine->cboManualFramesIndex, 2);
    click("butSend");
    EXPECT_TRUE(engine->bSendRequest);

    click("butRun");
    EXPECT_FALSE(send->isEnabled());
    EXPECT_FALSE(combo->isEnabled());
    startRun();
    EXPECT_EQ(combo->currentText(), "Addressed");
    EXPECT_EQ(engine->cboManualFramesIndex, 2);
}

TEST_F(RunWindowTest, ManualSendEmitsTheChosenFrameAndStopEndsAContinuousOne) {
    cfg->run.SelectMode(config::kModeManual);
    startRun();
    host.advance(100);  // the first tick arms the panel
    auto* combo = find<QComboBox>("cboManualFrames");
    auto* send = find<QPushButton>("butSend");
    auto* sendStop = find<QPushButton>("butSendStop");
    combo->setCurrentIndex(combo->findText("Wake"));
    const auto type = [](QComboBox* box, const char* text) {
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), text);
    };
    type(find<QComboBox>("cboNFrame"), "3");
    type(find<QComboBox>("cboInterFrame"), "20");

    // The frame command of the table, with the typed count and interframe.
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < cfg->lf.table().count; ++i) {
        config::TLFEMI f = cfg->lf.table().frames[static_cast<std::size_t>(i)];
        if (f.Name != "Wake") continue;
        f.EmittedContent = f.CodedContent;
        std::string hex;
        ASSERT_TRUE(hw::BuildFrameCommand(f, hex).ok);
        ASSERT_TRUE(hw::HexToBytes(hex, expected));
    }
    ASSERT_GT(expected.size(), 8u);
    expected[6] = 3;
    expected[7] = 20;
    const auto& commands = bench->tx().commands();
    const auto framesSince = [&commands](std::size_t from) {
        std::vector<std::vector<std::uint8_t>> out;
        for (std::size_t i = from; i < commands.size(); ++i)
            if (commands[i].bytes[0] == hw::code::kLfFrame) out.push_back(commands[i].bytes);
        return out;
    };

    std::size_t mark = commands.size();
    click("butSend");
    host.advance(60);
    auto frames = framesSince(mark);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], expected);
    EXPECT_FALSE(send->isEnabled());
    EXPECT_EQ(find<QLabel>("imgLF")->property("image").toInt(), run::kLfEmitting);
    EXPECT_FALSE(sendStop->isVisible());
    host.advance(1000);
    EXPECT_TRUE(send->isEnabled());
    EXPECT_EQ(find<QLabel>("imgLF")->property("image").toInt(), run::kLfIdle);

    // "Cont" until the stop button sends STOPF.
    type(find<QComboBox>("cboNFrame"), "Cont");
    mark = commands.size();
    click("butSend");
    host.advance(60);
    frames = framesSince(mark);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][6], 0);
    ASSERT_TRUE(sendStop->isVisible());
    host.advance(500);
    EXPECT_FALSE(send->isEnabled());
    mark = commands.size();
    click("butSendStop");
    host.advance(100);
    ASSERT_GT(commands.size(), mark);
    EXPECT_EQ(commands[mark].bytes, (std::vector<std::uint8_t>{hw::code::kStopContinuous}));
    EXPECT_FALSE(sendStop->isVisible());
    EXPECT_TRUE(send->isEnabled());
}

TEST_F(RunWindowTest, ScriptPanelFollowsTheRunStopsReExecutesAndShowsTheScript) {
    cfg->run.SelectMode(config::kModeScript);
    startRun();
    auto* reExec = find<QPushButton>("butReExecStop");
    EXPECT_TRUE(reExec->isEnabled());
    EXPECT_EQ(reExec->text(), "Stop");
    const QChar sep(0xA0);
    const QString sendf = QString("[2] SENDF Wake") + sep + "1" + sep + "10";

    // Every line in turn, then RESTART goes round again.
    const std::size_t mark = bench->tx().commands().size();
    QStringList shown;
    for (int t = 0; t < 2100; t += 50) {
        host.advance(50);
        if (shown.isEmpty() || shown.back() != text("lblSCRIPTCommande"))
            shown << text("lblSCRIPTCommande");
    }
    ASSERT_GE(shown.size(), 6);
    EXPECT_EQ(shown.mid(0, 6),
              (QStringList{"[1] COMMENT Wake the sensors every second", sendf, "[3] DELAY 1000",
                           "[4] RESTART ", "[1] COMMENT Wake the sensors every second", sendf}));
    int frames = 0;
    for (std::size_t i = mark; i < bench->tx().commands().size(); ++i)
        frames += bench->tx().commands()[i].bytes[0] == hw::code::kLfFrame;
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(text("lblSCRIPTElapsed"), "00h 00mn 02sec");

    click("butReExecStop");
    EXPECT_FALSE(reExec->isEnabled());
    EXPECT_EQ(text("lblSCRIPTCommande"), "STOP");
    host.advance(2000);
    EXPECT_EQ(text("lblSCRIPTCommande"), "STOP");
    EXPECT_TRUE(reExec->isEnabled());
    EXPECT_EQ(reExec->text(), "Re-Exec");
    EXPECT_EQ(reExec->toolTip(), "Execute another time the script");
    click("butReExecStop");
    EXPECT_EQ(reExec->text(), "Stop");
    host.advance(100);
    EXPECT_EQ(text("lblSCRIPTCommande"), sendf);

    click("butViewScript");
    auto* view = find<QListWidget>("lstScriptView");
    ASSERT_EQ(view->count(), 4);
    EXPECT_EQ(view->item(0)->text(), "[1] COMMENT Wake the sensors every second");
    EXPECT_EQ(view->item(1)->text(), sendf);
    EXPECT_TRUE(find<QWidget>("panViewScript")->isVisible());
    click("butScriptViewClose");
    EXPECT_FALSE(find<QWidget>("panViewScript")->isVisible());
    click("butRun");
    EXPECT_FALSE(reExec->isEnabled());
}

TEST_F(RunWindowTest, PerformanceAndEmulationPanels) {
    auto* info = find<QGroupBox>("panInformations");
    EXPECT_FALSE(info->isVisible());
    window->butRunClick(true);
    EXPECT_TRUE(info->isVisible());
    EXPECT_FALSE(engine->bRunning);
    click("butRazInformations");
    EXPECT_EQ(text("lblNoRecept"), "0");
    click("butCloseInformations");
    EXPECT_FALSE(info->isVisible());

    window->butRunClick(true);
    window->butDebug()->show();
    click("butDebug");
    EXPECT_TRUE(window->panDebug()->isVisible());
    auto* dtlg = find<QLineEdit>("txtDtlg");
    EXPECT_EQ(dtlg->text(), "2.61950000E+01 , 00000000.017 , 104 , 0");
    dtlg->setText("1.0E+00 , 1 , 2 , 3");
    click("butDtlg");
    EXPECT_EQ(window->sDtlgSimLine, "1.0E+00 , 1 , 2 , 3");
    click("butCloseDebug");
    EXPECT_FALSE(window->panDebug()->isVisible());

    // The RX label's test row reaches the full list and the remote client's lists.
    QTest::mouseDClick(find<QLabel>("lblLED_RX"), Qt::LeftButton);
    ASSERT_EQ(rows("lstFull").size(), 1);
    EXPECT_TRUE(rows("lstFull")[0].contains("Desc=\"ContentFrame\""));
    EXPECT_TRUE(rows("lstFull")[0].startsWith("_RTime=\""));
    const auto& received = engine->resultLog().received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received.hex().front(), "Test HEXA");
    EXPECT_EQ(fromCp1252(received.rows().front()), rows("lstFull")[0]);
}

TEST_F(RunWindowTest, EnduranceModePressesStartAndStopUntilTheReceiverFails) {
    window->enableEndurances();
    host.advance(4000);
    EXPECT_TRUE(engine->bRunning);
    EXPECT_EQ(text("lblLED_TX"), "0");
    host.advance(4000);
    EXPECT_FALSE(engine->bRunning);
    EXPECT_EQ(text("lblLED_TX"), "1");
    // An RX controller that failed ends the series.
    engine->imgVornRx = run::kImageError;
    host.advance(8000);
    EXPECT_FALSE(engine->bRunning);
    EXPECT_EQ(text("lblLED_TX"), "1");
    QTest::mouseDClick(find<QLabel>("imgVornRx"), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>("imgVornRx")->property("image").toInt(), run::kImageGood);
    host.advance(4000);
    EXPECT_TRUE(engine->bRunning);
}

// The main window: the Run selector, the shortcuts and the menu entries a run locks.
class RunInMainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv(kHomeVariable, home.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(host, app::parseFirstArgument(""), programFolder());
        window->modalRunner = [](QDialog&) {};
        window->InitMainWindow();
        window->show();
    }
    void TearDown() override {
        window.reset();
        qunsetenv(kHomeVariable);
    }
    bool enabled(const char* action) { return window->findChild<QAction*>(action)->isEnabled(); }

    QTemporaryDir home;
    SimHost host;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(RunInMainWindowTest, SelectorShortcutAndMenus) {
    window->shell().configuration().run.SelectMode(config::kModeScript);
    QTest::mouseClick(window->findChild<QToolButton*>("butRun"), Qt::LeftButton);
    auto* onglet = window->findChild<QStackedWidget*>("Onglet");
    EXPECT_EQ(onglet->currentWidget(), window->frmRun());
    EXPECT_EQ(window->frmRun()->findChild<QStackedWidget*>("panLF")->currentWidget()->objectName(),
              "panScript");

    // Ctrl+Alt+R reaches the START button: without a configuration it refuses.
    window->document().bNoConfiguration = true;
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_FALSE(host.questions.empty());
    EXPECT_EQ(host.questions.back().text, "You must load a configuration or create one new");

    const char* locked[] = {
        "mnuHardware",          "mnuNewConfiguration",        "mnuLoadConfiguration",
        "mnuSaveConfiguration", "mnuAutoUpdateconfiguration", "mnuQuit"};
    run::RunEngine& engine = *window->shell().runEngine();
    engine.hooks.mainMenusForRun(true);
    for (const char* a : locked) EXPECT_FALSE(enabled(a)) << a;
    EXPECT_FALSE(enabled("mnuSaveLast"));
    EXPECT_TRUE(enabled("mnuReloadLast"));
    engine.hooks.mainMenusForRun(false);
    for (const char* a : locked) EXPECT_TRUE(enabled(a)) << a;
    EXPECT_TRUE(enabled("mnuSaveLast"));
    EXPECT_FALSE(enabled("mnuReloadLast"));
    // A run that replayed a recording has nothing new to save.
    engine.hooks.mainMenusForRun(true);
    engine.requestReplay("x.bin");
    engine.hooks.mainMenusForRun(false);
    EXPECT_FALSE(enabled("mnuSaveLast"));
}

// VORNLFRF_RUN_SCREENSHOT=prefix writes prefix_full.png, prefix_id.png, prefix_graphic.png of
// a running window.
TEST_F(RunWindowTest, Screenshot) {
    const QString prefix = qEnvironmentVariable("VORNLFRF_RUN_SCREENSHOT");
    if (prefix.isEmpty()) GTEST_SKIP() << "VORNLFRF_RUN_SCREENSHOT not set";
    cfg->run.txtMeterMax = "300.0";
    cfg->run.chkColoration = true;
    window->resize(1024, 600);  // the tab of a main window at its first size
    startRun();
    window->butRunClick(true);
    host.advance(12000);
    auto* pages = find<QTabWidget>("PageControl");
    clickRow("lstFull", 2);
    clickRow("lstFull", 5);
    // Layouts the event loop would have done.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_TRUE(window->grab().save(prefix + "_full.png"));
    pages->setCurrentIndex(1);
    clickRow("lstID", 0);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_TRUE(window->grab().save(prefix + "_id.png"));
    pages->setCurrentIndex(2);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_TRUE(window->grab().save(prefix + "_graphic.png"));
}

}  // namespace
}  // namespace vornlfrf::gui
