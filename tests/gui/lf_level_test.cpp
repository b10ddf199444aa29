// The LF power-level control and its two warning windows, over the main window's level.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "common/sim_host.h"
#include "frm_lf_confirm.h"
#include "frm_lf_stop.h"
#include "frm_main.h"
#include "lf_level_control.h"
#include "program_folder.h"
#include "qt_printers.h"

namespace vornlfrf::gui {
namespace {

class LfLevelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv(kHomeVariable, home.path().toLocal8Bit());
        main = std::make_unique<TfrmMain>(host, app::parseFirstArgument(""), programFolder());
        main->InitMainWindow();
        main->show();
        control = std::make_unique<LfLevelControl>(level(),
                                                   [this] { return main->shell().userModeText(); });
        control->show();
    }
    void TearDown() override {
        control.reset();
        main.reset();
        qunsetenv(kHomeVariable);
    }

    hw::LfPowerLevel& level() { return main->shell().lfPower(); }
    template <class T>
    T* find(QWidget* in, const char* name) {
        T* found = in->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    LevelSlider* slider() { return find<LevelSlider>(control.get(), "trbPuissanceLF"); }
    QLabel* power() { return find<QLabel>(control.get(), "lblLFPower"); }
    void drag(int to) {
        slider()->setSliderDown(true);
        slider()->setValue(to);
        slider()->setSliderDown(false);  // the release
    }
    void chooseMode(const char* mode) {
        auto* box = main->findChild<QComboBox*>("cboMode");
        const int index = box->findText(mode);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void click(QWidget* in, const char* name) {
        QTest::mouseClick(find<QAbstractButton>(in, name), Qt::LeftButton);
    }
    // How the percentage is drawn: its background, and whether light or dark text sits on it.
    struct Look {
        QColor background;
        bool lightText = false, darkText = false;
    };
    Look look() {
        const QImage image = power()->grab().toImage();
        Look l{image.pixelColor(4, image.height() / 2)};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::min({c.red(), c.green(), c.blue()}) > 220) l.lightText = true;
                if (std::max({c.red(), c.green(), c.blue()}) < 50) l.darkText = true;
            }
        return l;
    }
    bool modified() const { return main->windowTitle().endsWith(" (modified)"); }

    QTemporaryDir home;
    SimHost host;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<LfLevelControl> control;
};

TEST_F(LfLevelTest, DraggingShowsTheLevelAndTheReleaseAppliesIt) {
    EXPECT_EQ(slider()->minimum(), 0);
    EXPECT_EQ(slider()->maximum(), 18);
    EXPECT_EQ(slider()->marker(), 6);  // the authorised maximum
    slider()->setSliderDown(true);
    slider()->setValue(5);
    EXPECT_EQ(power()->text(), "10%");
    EXPECT_EQ(power()->property("Tag").toInt(), 5);
    EXPECT_EQ(level().iLevelLF, 0);
    slider()->setSliderDown(false);
    EXPECT_EQ(level().iLevelLF, 5);

    const Look within = look();
    EXPECT_GT(within.background.green(), 2 * within.background.red());
    EXPECT_TRUE(within.darkText);

    QTest::keyClick(slider(), Qt::Key_Up);  // no drag: applied at once
    EXPECT_EQ(level().iLevelLF, 6);
    click(control.get(), "butLFBas");
    EXPECT_EQ(level().iLevelLF, 5);
    EXPECT_EQ(slider()->value(), 5);
    EXPECT_FALSE(modified());
}

TEST_F(LfLevelTest, AboveTheMaximumWaitsForTheWarningAnswer) {
    struct Case {
        const char* mode;
        const char* window;  // the one that must come up
        const char* answer;  // its button; null closes the window
        int levelAfter;
        int tagAfter;
    };
    const Case cases[] = {
        {"Admin", "frmLFConfirm", "butYes", 10, 1}, {"Admin", "frmLFConfirm", "butCancel", 6, 0},
        {"Admin", "frmLFConfirm", nullptr, 6, 0},   {"User", "frmLFStop", "butCancel", 6, 0},
        {"User", "frmLFStop", nullptr, 6, 0},
    };
    auto* confirm = main->frmLFConfirm();
    auto* stop = main->frmLFStop();
    for (const Case& c : cases) {
        chooseMode(c.mode);
        level().SetLevelPercent(0);
        level().sliderTag = 0;
        drag(10);
        QDialog* asked = c.window == std::string("frmLFConfirm") ? static_cast<QDialog*>(confirm)
                                                                 : static_cast<QDialog*>(stop);
        QDialog* other = asked == confirm ? static_cast<QDialog*>(stop) : confirm;
        ASSERT_TRUE(asked->isVisible()) << c.mode;
        EXPECT_FALSE(other->isVisible()) << c.mode;
        EXPECT_EQ(asked->objectName(), c.window);
        EXPECT_EQ(asked->windowTitle(), "WARNING");
        EXPECT_FALSE(control->isEnabled()) << c.mode;
        EXPECT_EQ(level().iLevelLF, 0) << c.mode;  // nothing taken yet
        EXPECT_EQ(power()->text(), "35%");

        if (c.answer)
            click(asked, c.answer);
        else
            asked->close();
        EXPECT_FALSE(asked->isVisible()) << c.mode;
        EXPECT_TRUE(control->isEnabled()) << c.mode;
        EXPECT_EQ(level().iLevelLF, c.levelAfter) << c.mode << " " << (c.answer ? c.answer : "");
        EXPECT_EQ(slider()->value(), c.levelAfter);
        EXPECT_EQ(slider()->property("Tag").toInt(), c.tagAfter);
        EXPECT_FALSE(level().warningShown());
    }

    // The confirmed level stays taken, drawn white on red.
    chooseMode("Admin");
    drag(12);
    click(confirm, "butYes");
    const Look above = look();
    EXPECT_GT(above.background.red(), 2 * above.background.green());
    EXPECT_TRUE(above.lightText);
    EXPECT_EQ(power()->text(), "45%");
}

TEST_F(LfLevelTest, WarningWindowsSayWhatIsAtStake) {
    struct Case {
        QDialog* window;
        std::vector<QString> lines;
        std::vector<QString> buttons;
    };
    const Case cases[] = {
        {main->frmLFConfirm(),
         {"Do you want to program the power level over the authorized  level ?",
          "You MUST NOT touch the LF antenna. ",
          "The maximum authorized level will be programmed."},
         {"Yes", "Cancel"}},
        {main->frmLFStop(),
         {"You don't have permission to program the power level", "over the authorized level.",
          "The maximum authorized level will be programmed."},
         {"Cancel"}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.window->isVisible());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(find<QLabel>(c.window, QString("lblWarning%1").arg(i + 1).toLatin1())->text(),
                      c.lines[static_cast<std::size_t>(i)]);
        std::vector<QString> buttons;
        for (QPushButton* b : c.window->findChildren<QPushButton*>()) buttons.push_back(b->text());
        EXPECT_EQ(buttons, c.buttons);
    }
}

TEST_F(LfLevelTest, FixMakesTheSliderPositionTheMaximumAndMarksTheDocument) {
    drag(9);
    click(main->frmLFConfirm(), "butYes");
    ASSERT_FALSE(modified());
    click(control.get(), "butFix");
    EXPECT_EQ(level().iLevelMax, 9);
    EXPECT_EQ(slider()->marker(), 9);
    EXPECT_TRUE(modified());
    EXPECT_GT(look().background.green(), 2 * look().background.red());  // 9 is allowed now

    // A user cannot raise it, even with the slider left high by a script.
    main->document().ShowDocumentTitle();
    chooseMode("User");
    level().SetLevelPercent(100);
    click(control.get(), "butFix");
    EXPECT_EQ(level().iLevelMax, 9);
    EXPECT_FALSE(modified());

    // The up button past the maximum asks like the slider does.
    level().SetLevelPercent(30);  // level 9
    click(control.get(), "butLFHaut");
    EXPECT_TRUE(main->frmLFStop()->isVisible());
    click(main->frmLFStop(), "butCancel");
    EXPECT_EQ(level().iLevelLF, 9);
}

}  // namespace
}  // namespace vornlfrf::gui
