#include <gtest/gtest.h>

#include "app/geometry_sections.h"
#include "app_temp_folder.h"
#include "common/sim_host.h"

namespace vornlfrf::app {
namespace {

using config::ConfigAction;
using config::ConfigurationDocument;
using config::IniDocument;
using config::SectionSlot;

// A window with a 4 x 20 frame around its client area.
class FakeWindow : public WindowGeometry {
  public:
    int left() const override { return l; }
    int top() const override { return t; }
    int width() const override { return cw + 8; }
    int height() const override { return ch + 40; }
    int clientWidth() const override { return cw; }
    int clientHeight() const override { return ch; }
    void setPosition(int left, int top) override { l = left, t = top; }
    void setSize(int width, int height) override { cw = width - 8, ch = height - 40; }
    void setClientSize(int width, int height) override { cw = width, ch = height; }
    void showNormal() override { maximised = false; }

    int l = 3, t = 4, cw = 500, ch = 300;
    bool maximised = true;
};

TEST(MainSection, SavesTheFourKeysInOrderAndLoadsThemWithDefaults) {
    FakeWindow w;
    CommandLine cl;
    MainSection main(w, cl);
    IniDocument doc;
    main.processSection(&doc, ConfigAction::Save);
    EXPECT_EQ(doc.keys("MAIN"),
              (std::vector<std::string>{"ClientWidth", "ClientHeight", "Left", "Top"}));
    EXPECT_EQ(doc.readInteger("MAIN", "ClientWidth", 0), 500);
    EXPECT_EQ(doc.readInteger("MAIN", "ClientHeight", 0), 300);
    EXPECT_EQ(doc.readInteger("MAIN", "Left", 0), 3);
    EXPECT_EQ(doc.readInteger("MAIN", "Top", 0), 4);

    IniDocument partial = IniDocument::fromText("[main]\nclientwidth=900\nTOP=77\nLeft=x\n");
    main.processSection(&partial, ConfigAction::Load);
    EXPECT_EQ(w.cw, 900);
    EXPECT_EQ(w.ch, 366);
    EXPECT_EQ(w.l, 0);
    EXPECT_EQ(w.t, 77);
    EXPECT_TRUE(w.maximised);

    IniDocument empty;
    main.processSection(&empty, ConfigAction::Load);
    EXPECT_EQ(w.cw, 742);
    EXPECT_EQ(w.ch, 366);
}

TEST(MainSection, SmallOverridesTheLoadedGeometryButNotTheDefaultsAction) {
    FakeWindow w;
    const CommandLine cl = parseFirstArgument("+SMALL");
    MainSection main(w, cl);
    IniDocument doc =
        IniDocument::fromText("[MAIN]\nClientWidth=1000\nClientHeight=700\nLeft=50\nTop=60\n");
    main.processSection(&doc, ConfigAction::Load);
    EXPECT_FALSE(w.maximised);
    EXPECT_EQ(w.width(), 800);
    EXPECT_EQ(w.height(), 600);
    EXPECT_EQ(w.l, 0);
    EXPECT_EQ(w.t, 0);

    FakeWindow untouched;
    MainSection again(untouched, cl);
    again.processSection(nullptr, ConfigAction::Defaults);
    EXPECT_EQ(untouched.cw, 500);
    EXPECT_TRUE(untouched.maximised);
}

TEST(LogSection, OuterGeometryInItsOwnKeyOrderWithDefaults) {
    FakeWindow w;
    LogSection log(w);
    IniDocument doc;
    log.processSection(&doc, ConfigAction::Save);
    EXPECT_EQ(doc.keys("LOG"), (std::vector<std::string>{"Top", "Left", "Width", "Height"}));
    EXPECT_EQ(doc.readInteger("LOG", "Top", 0), 4);
    EXPECT_EQ(doc.readInteger("LOG", "Left", 0), 3);
    EXPECT_EQ(doc.readInteger("LOG", "Width", 0), 508);
    EXPECT_EQ(doc.readInteger("LOG", "Height", 0), 340);

    IniDocument empty;
    log.processSection(&empty, ConfigAction::Load);
    EXPECT_EQ(w.t, 10);
    EXPECT_EQ(w.l, 10);
    EXPECT_EQ(w.width(), 100);
    EXPECT_EQ(w.height(), 200);

    log.processSection(nullptr, ConfigAction::Defaults);
    EXPECT_EQ(w.width(), 100);
}

// The edge case as a whole: "+SMALL" and a configuration reloaded at start.
TEST(MainSection, SmallWinsOverTheConfigurationReloadedAtStart) {
    testing::TempFolder folder;
    folder.write("a.cfg",
                 "[MAIN]\r\nClientWidth=1200\r\nClientHeight=900\r\nLeft=40\r\nTop=30\r\n");
    SimHost host;
    FakeWindow w;
    const CommandLine cl = parseFirstArgument("+SMALL");
    MainSection main(w, cl);
    ConfigurationDocument doc(host, folder.str(), "T");
    doc.setHandler(SectionSlot::Main, &main);
    doc.loadFrom(folder.file("a.cfg"));
    EXPECT_EQ(w.width(), 800);
    EXPECT_EQ(w.height(), 600);
    EXPECT_EQ(w.l, 0);
    EXPECT_EQ(w.t, 0);
    EXPECT_FALSE(w.maximised);
}

}  // namespace
}  // namespace vornlfrf::app
