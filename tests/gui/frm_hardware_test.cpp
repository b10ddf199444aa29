// The hardware window over the in-process emulated bench, and its section through the document.

#include "frm_hardware.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "bench.h"
#include "common/sim_host.h"
#include "config/analysis_log.h"
#include "frm_main.h"
#include "program_folder.h"
#include "qt_printers.h"
#include "scenario.h"

namespace vornlfrf::gui {
namespace {

template <class T>
T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Near the left edge: a check box only takes clicks on its box and caption, not on the rest of
// a wide row.
void clickButton(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

class HardwareWindowTest : public ::testing::Test {
  protected:
    // Bench: TX on COM5, RX on COM6, the test site on COM7.
    void make() {
        window.reset();
        hw.reset();
        bench = std::make_unique<sim::Bench>(
            scenario, [this] { return host.nowMs() * 1000; }, 1);
        hw = std::make_unique<hw::Hardware>(host, bench->ports(), log);
        hw->onModified = [this] { ++modified; };
        window = std::make_unique<TfrmHardware>(*hw);
        window->show();
    }
    template <class T>
    T* find(const char* name) {
        return child<T>(window.get(), name);
    }
    void click(const char* name) { clickButton(find<QAbstractButton>(name)); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    QString field(const char* name) { return find<QLineEdit>(name)->text(); }
    // Types a port in a manual combo, then Enter.
    void testPort(const char* combo, const QString& text) {
        auto* box = find<QComboBox>(combo);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    bool logged(const std::string& prefix) const {
        return std::any_of(log.lines().begin(), log.lines().end(),
                           [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }

    SimHost host;
    sim::Scenario scenario;
    config::AnalysisLog log;
    std::unique_ptr<sim::Bench> bench;
    std::unique_ptr<hw::Hardware> hw;
    std::unique_ptr<TfrmHardware> window;
    int modified = 0;
};

TEST_F(HardwareWindowTest, FindsBothControllersWithTheOtherButtonsLockedMeanwhile) {
    make();
    EXPECT_EQ(window->windowTitle(), "Hardware");
    EXPECT_EQ(label("lblAvailablePorts"), "COM5, COM6, COM7");  // listed when shown
    EXPECT_EQ(label("panFindTx"), "-");

    // While the search waits on the host the operator tries every other button.
    const char* buttons[] = {"butFindTx", "butTestTx",   "butFindRx",
                             "butTestRx", "butGetTypes", "butClose"};
    std::vector<QString> enabledMeanwhile;
    int attempts = 0;
    auto operatorMeanwhile = host.createTimer(30, [&] {
        ++attempts;
        for (const char* b : buttons)
            if (find<QPushButton>(b)->isEnabled()) enabledMeanwhile.push_back(b);
        click("butFindRx");
        QTest::keyClick(find<QComboBox>("cboManualRx"), Qt::Key_Return);
        window->close();
    });
    operatorMeanwhile->setEnabled(true);
    click("butFindTx");
    operatorMeanwhile->setEnabled(false);

    EXPECT_GT(attempts, 0);
    EXPECT_EQ(enabledMeanwhile, std::vector<QString>{});
    EXPECT_FALSE(logged("----- Find Rx") || logged("----- Test Rx"));
    EXPECT_TRUE(window->isVisible());  // not closed in the middle of a search
    EXPECT_EQ(label("panFindTx"), "OK v4.1.1");
    EXPECT_EQ(field("txtAutomaticTx"), "COM5");
    for (const char* b : buttons) EXPECT_TRUE(find<QPushButton>(b)->isEnabled()) << b;

    click("butFindRx");
    EXPECT_EQ(label("panFindRx"), "OK v4.1.1");
    EXPECT_EQ(field("txtAutomaticRx"), "COM6");
    EXPECT_TRUE(logged("  Bad ID"));  // COM5 answered as the TX controller
    EXPECT_FALSE(hw->txPort || hw->rxPort);
    EXPECT_EQ(modified, 0);  // results are not operator changes

    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HardwareWindowTest, EnterInTheManualComboTestsTheTypedPort) {
    scenario.rx.answer = sim::AnswerMode::None;
    make();
    struct Case {
        const char* combo;
        const char* typed;
        const char* shown;
        const char* panel;
        const char* caption;
    };
    const Case cases[] = {
        {"cboManualTx", "COM12", "COM12", "panTestTx", "Port not available"},
        {"cboManualTx", "COM05", "COM5", "panTestTx", "OK v4.1.1"},
        {"cboManualRx", "COM6", "COM6", "panTestRx", "No response"},
        {"cboManualRx", "COM9x", "COM9x", "panTestRx", "Port not available"},
    };
    for (const Case& c : cases) {
        modified = 0;
        testPort(c.combo, c.typed);
        EXPECT_EQ(label(c.panel), c.caption) << c.typed;
        EXPECT_EQ(find<QComboBox>(c.combo)->currentText(), c.shown) << c.typed;
        EXPECT_GT(modified, 0) << c.typed;
    }
    EXPECT_EQ(hw->cboManualTx, "COM5");
    EXPECT_FALSE(hw->txPort || hw->rxPort);

    // Enter on an unchanged port tests again without touching the configuration.
    modified = 0;
    QTest::keyClick(find<QComboBox>("cboManualTx"), Qt::Key_Return);
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(), "----- Test Tx COM port -----"),
              3);

    auto* combo = find<QComboBox>("cboManualTx");
    ASSERT_EQ(combo->count(), 32);
    EXPECT_EQ(combo->itemText(0), "COM1");
    EXPECT_EQ(combo->itemText(31), "COM32");
}

TEST_F(HardwareWindowTest, GetTypesFillsTheChannelLabels) {
    scenario.channels[0].receiverType = 0;
    scenario.channels[1].receiverType = 3;
    scenario.channels[2].receiverType = 2;
    scenario.channels[3].receiverType = 11;
    make();
    bool emc = false;
    window->emcMode = [&] { return emc; };
    click("butGetTypes");
    const char* expected[] = {"not connected", "RF 433.92MHz", "RF 315.00MHz", "LSE Magnetic"};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(label(QString("lblChannel%1").arg(c + 1).toLatin1()), expected[c]) << c;
    EXPECT_FALSE(hw->txPort || hw->rxPort);

    emc = true;  // an empty channel 1 becomes the EMC output
    click("butGetTypes");
    EXPECT_EQ(label("lblChannel1"), "EMC Output");

    window->forcedTypes = "3";  // "+REC3"
    click("butGetTypes");
    EXPECT_EQ(label("lblChannel1"), "RF 433.92MHz");
    EXPECT_EQ(modified, 0);

    scenario.tx.answer = sim::AnswerMode::None;
    make();
    click("butGetTypes");
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(label(QString("lblChannel%1").arg(c).toLatin1()), "?");
}

TEST_F(HardwareWindowTest, TriggerCheckNamesChannelOneAndHighlightsItsGroup) {
    make();
    EXPECT_EQ(label("lblExt"), "Ext");
    EXPECT_FALSE(find<QFrame>("panTrigger")->property("active").toBool());
    EXPECT_EQ(find<QCheckBox>("chkAcqFilter")->text(),
              "Acquisitions filter (for baudrate < 12.5kbds Manchester)");
    EXPECT_EQ(find<QCheckBox>("chkRxPin2Used")->text(), "Use RxPin2 as trigger for :");
    EXPECT_EQ(label("lblTriggerComment"),
              "RxPin2 level = 0, the frames are not decoded\n"
              "RxPin2 level = 1, the frames are decoded");
    EXPECT_TRUE(find<QCheckBox>("chkSimulation")->isHidden());

    click("chkRxPin2Used");
    EXPECT_TRUE(hw->chkRxPin2Used);
    EXPECT_EQ(label("lblExt"), "Trg");
    EXPECT_TRUE(find<QFrame>("panTrigger")->property("active").toBool());
    EXPECT_EQ(modified, 1);
    click("chkRxPin2Used");
    EXPECT_EQ(label("lblExt"), "Ext");
    EXPECT_EQ(modified, 2);
}

// Through the main window: operator changes mark the document, and the section survives a save,
// a new configuration and a load without marking it.
class HardwareSectionTest : public ::testing::Test {
  protected:
    class LfCount : public config::SectionHandler {
      public:
        int processSection(config::IniDocument*, config::ConfigAction) override { return 1; }
    };

    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv(kHomeVariable, home.path().toLocal8Bit());
        main = std::make_unique<TfrmMain>(host, app::parseFirstArgument(""), programFolder());
        main->modalRunner = [](QDialog& d) { d.show(); };
        main->document().setHandler(config::SectionSlot::LfConf, &lf);
        main->InitMainWindow();
        main->show();
        window = main->frmHardware();
    }
    void TearDown() override {
        main.reset();
        qunsetenv(kHomeVariable);
    }
    template <class T>
    T* find(const char* name) {
        return child<T>(window, name);
    }
    void click(const char* name) { clickButton(find<QAbstractButton>(name)); }
    bool checked(const char* name) { return find<QAbstractButton>(name)->isChecked(); }
    bool modified() const { return main->windowTitle().endsWith(" (modified)"); }

    QTemporaryDir home;
    SimHost host;
    LfCount lf;
    std::unique_ptr<TfrmMain> main;
    TfrmHardware* window = nullptr;
};

TEST_F(HardwareSectionTest, OperatorChangesRoundTripThroughTheDocument) {
    main->findChild<QAction*>("mnuHardware")->trigger();
    ASSERT_TRUE(window->isVisible());
    EXPECT_FALSE(modified());
    EXPECT_TRUE(checked("chkTx") && checked("rdbAutomaticTx") && !checked("rdbManualTx"));
    EXPECT_EQ(find<QComboBox>("cboManualRx")->currentText(), "COM4");

    click("chkTx");
    EXPECT_TRUE(modified());
    click("rdbManualRx");
    auto* rx = find<QComboBox>("cboManualRx");
    rx->lineEdit()->selectAll();
    QTest::keyClicks(rx, "COM17");
    click("chkAcqFilter");
    click("chkRxPin2Used");
    click("chkTriggerChan2");
    main->shell().hardware()->chkSimulation = true;  // hidden: only kept

    const QString path = home.filePath("bench.cfg");
    main->document().sConfigPath = path.toStdString();
    main->document().saveConfiguration();
    EXPECT_FALSE(modified());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.contains("[HARDWARE]\r\nTxEnabled=0\r\nrdbAutomaticTx=1\r\n"))
        << bytes.data();
    EXPECT_TRUE(
        bytes.contains("rdbAutomaticRx=0\r\nrdbManualRx=1\r\ntxtAutomaticRx=\r\n"
                       "cboManualRx=COM17\r\nchkSimulation=1\r\nchkAcqFilter=1\r\n"
                       "chkRxPin2Used=1\r\nchkTriggerChan1=0\r\nchkTriggerChan2=1\r\n"));

    main->document().newConfiguration();
    EXPECT_FALSE(modified());
    EXPECT_TRUE(checked("chkTx") && checked("rdbAutomaticRx") && !checked("rdbManualRx"));
    EXPECT_FALSE(checked("chkAcqFilter") || checked("chkRxPin2Used") ||
                 checked("chkTriggerChan2") || checked("chkSimulation"));
    EXPECT_EQ(find<QComboBox>("cboManualRx")->currentText(), "COM4");
    EXPECT_EQ(find<QLabel>("lblExt")->text(), "Ext");

    main->document().loadFrom(path.toStdString());
    EXPECT_FALSE(modified());
    EXPECT_FALSE(checked("chkTx"));
    EXPECT_TRUE(checked("rdbManualRx") && !checked("rdbAutomaticRx"));
    EXPECT_EQ(find<QComboBox>("cboManualRx")->currentText(), "COM17");
    EXPECT_TRUE(checked("chkAcqFilter") && checked("chkRxPin2Used") && checked("chkTriggerChan2") &&
                checked("chkSimulation"));
    EXPECT_FALSE(checked("chkTriggerChan1") || checked("chkTriggerChan3"));
    EXPECT_EQ(find<QLabel>("lblExt")->text(), "Trg");
}

}  // namespace
}  // namespace vornlfrf::gui
