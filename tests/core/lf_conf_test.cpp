#include "config/lf_conf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/sim_host.h"
#include "config/item_text.h"

namespace vornlfrf::config {
namespace {

namespace fs = std::filesystem;

const std::string S(1, '\xAC');
const std::string A(1, '\xA0');

std::string newFrameItem(const std::string& name = "NewFrame") {
    return "Name:" + name + S + "Freq:125.0" + S + "Content:" + S + "Baudrate:3906" + S +
           "Coding:0" + S + "Data:1" + S;
}

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("vornlfrf_lf_" + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

struct Editor : ::testing::Test {
    SimHost host;
    int marks = 0;
    LfConf lf{host, [this] { ++marks; }};
};

TEST_F(Editor, AddAppendsTheNewFrameAndShowsIt) {
    lf.setFrames({"Name:A" + S});
    lf.butTestClick();  // leaves something in the analysis label
    lf.butAddClick();

    ASSERT_EQ(lf.frames().size(), 2u);
    EXPECT_EQ(lf.frames()[1], newFrameItem());
    EXPECT_EQ(lf.selected(), 1);
    EXPECT_TRUE(lf.editingPanelVisible());
    const FrameEditors& e = lf.editors();
    EXPECT_EQ(e.txtName, "NewFrame");
    EXPECT_EQ(e.txtContent, "");
    EXPECT_EQ(BaudrateList()[static_cast<std::size_t>(e.cboBaudrate)], "3906");
    EXPECT_EQ(e.cboFreq, kDefaultFreqIndex);
    EXPECT_TRUE(e.rdbStandard && !e.rdbInverted && e.rdbLFData && !e.rdbLFCW);
    EXPECT_EQ(e.lblAnalysis, "");
    EXPECT_EQ(marks, 1);
}

TEST_F(Editor, EditorsWriteTheSelectedItemAndMark) {
    lf.butAddClick();
    lf.txtNameChange("Wake");
    lf.txtCommentChange("first");
    lf.txtContentChange("FF00h @ID(24)");
    lf.cboBaudrateChange(IndexOf(BaudrateList(), "* 10ms/bit"));
    lf.cboFreqChange(4);
    lf.rdbInvertedClick();
    lf.rdbLFCWClick();
    EXPECT_FALSE(lf.contentEditorsVisible());
    lf.rdbLFDataClick();
    EXPECT_TRUE(lf.contentEditorsVisible());
    EXPECT_EQ(marks, 1 + 8);

    // Out-of-range list choices are no change.
    lf.cboBaudrateChange(static_cast<int>(BaudrateList().size()));
    lf.cboFreqChange(-1);
    EXPECT_EQ(marks, 9);

    EXPECT_EQ(lf.frames()[0], "Name:Wake" + S + "Freq:131.6" + S + "Content:FF00h @ID(24)" + S +
                                  "Baudrate:* 10ms/bit" + S + "Coding:1" + S + "Data:1" + S +
                                  "Comment:first" + S);
    EXPECT_EQ(lf.frameName(0), "Wake");
    EXPECT_EQ(lf.frameComment(0), "first");
    EXPECT_EQ(lf.frameName(1), "");
}

TEST_F(Editor, SelectFillsEditorsWithoutTouchingTheItem) {
    const std::vector<std::string> items = {
        "Name:NoData" + S + "Baudrate:1234" + S + "Freq:130.0" + S + "Coding:7" + S,
        "Name:Cw" + S + "Data:0" + S + "Coding:1" + S + "Freq:119.0" + S,
        newFrameItem("Data"),
    };
    lf.setFrames(items);
    int filled = 0;
    lf.onEditorsFilled = [&] {
        // A view copying the editors into its widgets triggers their change events.
        ++filled;
        EXPECT_TRUE(lf.editingGuard());
        lf.txtNameChange(lf.editors().txtName);
        lf.txtCommentChange(lf.editors().txtComment);
        if (lf.editors().rdbLFData) lf.rdbLFDataClick();
        if (lf.editors().rdbStandard) lf.rdbStandardClick();
    };

    lf.lstFramesClick(0);
    EXPECT_EQ(lf.editors().cboBaudrate, -1);
    EXPECT_EQ(lf.editors().cboFreq, -1);
    EXPECT_TRUE(lf.editors().rdbLFData);  // no Data shows as LF Data
    EXPECT_TRUE(lf.contentEditorsVisible());

    lf.lstFramesClick(1);
    EXPECT_TRUE(lf.editors().rdbLFCW);
    EXPECT_TRUE(lf.editors().rdbInverted);
    EXPECT_EQ(lf.editors().cboFreq, 0);
    EXPECT_FALSE(lf.contentEditorsVisible());

    lf.lstFramesClick(0);  // Coding "7" leaves the coding buttons as they were
    EXPECT_TRUE(lf.editors().rdbInverted);

    lf.lstFramesClick(9);  // no such frame
    EXPECT_EQ(lf.selected(), 0);

    EXPECT_EQ(filled, 3);
    EXPECT_EQ(lf.frames(), items);
    EXPECT_EQ(marks, 0);
    EXPECT_FALSE(lf.editingGuard());

    // The frame without Data is offered to neither script command.
    EXPECT_EQ(lf.frameNames(true), std::vector<std::string>{"Data"});
    EXPECT_EQ(lf.frameNames(false), std::vector<std::string>{"Cw"});
}

TEST_F(Editor, SeparatorBytesNeverReachTheItem) {
    lf.butAddClick();
    lf.txtNameChange("A;B" + A + "C" + S + "D\r\nE");
    lf.txtCommentChange("x" + S + "y;z" + A);
    lf.txtContentChange("AAh\r\nBBh" + S);
    EXPECT_EQ(lf.editors().txtName, "AB CD  E");
    EXPECT_EQ(lf.frameName(0), "AB CD  E");
    EXPECT_EQ(lf.frameComment(0), "xy;z" + A);
    EXPECT_EQ(ItemGetValue(lf.frames()[0], "Content"), "AAh  BBh");
    // Still seven pairs, the Data flag intact.
    const std::string& item = lf.frames()[0];
    EXPECT_EQ(std::count(item.begin(), item.end(), '\xAC'), 7);
    EXPECT_EQ(ItemGetValue(item, "Data"), "1");

    // A name that spells a key tag must not capture that key.
    lf.txtNameChange("Data:0 Coding:1");
    lf.rdbLFCWClick();
    EXPECT_EQ(lf.frameName(0), "Data :0 Coding :1");
    EXPECT_EQ(ItemGetValue(lf.frames()[0], "Data"), "0");
    EXPECT_EQ(ItemGetValue(lf.frames()[0], "Coding"), "0");
    EXPECT_EQ(lf.frameNames(false), std::vector<std::string>{"Data :0 Coding :1"});
}

TEST_F(Editor, DeleteAsksThenRemovesAndHidesTheEditor) {
    lf.setFrames({newFrameItem("A"), newFrameItem("B")});
    EXPECT_FALSE(lf.butDelClick());  // nothing selected: no question
    EXPECT_TRUE(host.questions.empty());

    lf.lstFramesClick(0);
    host.answers = {MsgAnswer::No};
    EXPECT_FALSE(lf.butDelClick());
    EXPECT_EQ(lf.frames().size(), 2u);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Are you sure to delete ?");
    EXPECT_EQ(host.questions[0].caption, "Warning");
    EXPECT_EQ(host.questions[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(marks, 0);

    host.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(lf.butDelClick());
    EXPECT_EQ(lf.frames(), std::vector<std::string>{newFrameItem("B")});
    EXPECT_EQ(lf.selected(), -1);
    EXPECT_FALSE(lf.editingPanelVisible());
    EXPECT_EQ(marks, 1);
}

TEST_F(Editor, MoveAndCopyKeepTheMovedItemSelected) {
    const std::string a = newFrameItem("A"), b = newFrameItem("B"), c = newFrameItem("C");
    lf.setFrames({a, b, c});
    EXPECT_FALSE(lf.butBasClick());  // nothing selected
    lf.lstFramesClick(0);
    EXPECT_FALSE(lf.butHautClick());  // already first
    EXPECT_TRUE(lf.butBasClick());
    EXPECT_TRUE(lf.butBasClick());
    EXPECT_FALSE(lf.butBasClick());  // already last
    EXPECT_EQ(lf.frames(), (std::vector<std::string>{b, c, a}));
    EXPECT_EQ(lf.selected(), 2);
    EXPECT_TRUE(lf.butHautClick());
    EXPECT_EQ(lf.frames(), (std::vector<std::string>{b, a, c}));
    EXPECT_EQ(lf.selected(), 1);

    EXPECT_TRUE(lf.butFrameCopyClick());
    EXPECT_EQ(lf.frames(), (std::vector<std::string>{b, a, c, a}));
    EXPECT_EQ(lf.selected(), 3);
    lf.txtNameChange("A2");  // edits go to the copy
    EXPECT_EQ(lf.frameName(1), "A");
    EXPECT_EQ(lf.frameName(3), "A2");
    EXPECT_EQ(marks, 5);
}

TEST_F(Editor, TestButtonShowsTheCodedBitsAndTheirCount) {
    struct Case {
        std::string content;
        bool inverted;
        std::string bits;
    };
    const Case cases[] = {
        {"AAh", false, "1001100110011001"},
        {"AAh", true, "0110011001100110"},
        {"@ID 0b", false, " @ID 0"},
        {"", false, ""},
        {"XYZ", false, "Error suffix with XYZ"},
    };
    lf.butAddClick();
    for (const Case& c : cases) {
        lf.txtContentChange(c.content);
        c.inverted ? lf.rdbInvertedClick() : lf.rdbStandardClick();
        lf.butTestClick();
        EXPECT_EQ(lf.editors().txtTest, c.bits) << c.content;
        EXPECT_EQ(lf.editors().lblAnalysis, std::to_string(c.bits.size()) + " binary bits");
    }
}

// The fixture holds keys beyond both counts, other sections, a comment and blank lines.
struct Document : ::testing::Test {
    Document() {
        fixture = readBytes(fs::path(VORNLFRF_TESTDATA) / "lf" / "frames.cfg");
        path = (dir.path() / "bench.cfg").string();
        std::ofstream(path, std::ios::binary) << fixture;
        lf.attachTo(doc);
    }
    TempDir dir;
    SimHost host;
    ConfigurationDocument doc{host, dir.path().string(), "VornLFRF"};
    LfConf lf{host};
    std::string fixture;
    std::string path;
};

TEST_F(Document, LoadReadsTheCountedEntriesOnly) {
    ASSERT_FALSE(fixture.empty());
    doc.loadFrom(path);
    ASSERT_EQ(lf.frames().size(), 3u);
    EXPECT_EQ(lf.frameName(0), "Wake");
    EXPECT_EQ(lf.frameComment(0), "wake-up with ID");
    EXPECT_EQ(lf.frameName(2), "Slow");
    EXPECT_EQ(lf.nameWidth(), 150);
    EXPECT_EQ(lf.script().lines(),
              (std::vector<std::string>{"COMMENT;********** Comment **********",
                                        "SENDF;Wake" + A + "1" + A + "10",
                                        "SENDCW;Carrier" + A + "10", "RESTART;"}));
    EXPECT_EQ(lf.selected(), -1);
    EXPECT_FALSE(lf.editingPanelVisible());
    EXPECT_FALSE(doc.bModified);

    AnalysisLog log;
    EXPECT_TRUE(lf.AnalyseLfFrames(log));
    EXPECT_EQ(lf.table().count, 3);
}

// A view refreshes from this hook: it must see the replaced lists, and only after load or reset.
TEST_F(Document, ReloadHookRunsAfterLoadAndDefaultsOnly) {
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    lf.onReloaded = [&] { seen.emplace_back(lf.frames().size(), lf.script().lines().size()); };
    doc.loadFrom(path);
    doc.saveConfiguration();
    doc.newConfiguration();
    EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{3, 4}, {0, 0}}));
}

TEST_F(Document, SaveKeepsTheFileByteForByte) {
    doc.loadFrom(path);
    doc.saveConfiguration();
    EXPECT_EQ(readBytes(path), fixture);

    // Edits change their own keys; entries beyond the new counts stay in the file.
    lf.lstFramesClick(2);
    lf.txtNameChange("Quick");
    lf.script().lstScriptCommandsClick(3);
    host.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(lf.script().butScriptDelClick());
    EXPECT_TRUE(doc.bModified);
    doc.saveConfiguration();
    EXPECT_FALSE(doc.bModified);
    std::string expected = replaced(fixture, "L2=Name:Slow", "L2=Name:Quick");
    expected = replaced(expected, "NbScript=4", "NbScript=3");
    EXPECT_EQ(readBytes(path), expected);

    // And the next load ignores them again.
    LfConf other(host);
    IniDocument saved = IniDocument::fromFile(path);
    EXPECT_EQ(other.processSection(&saved, ConfigAction::Load), 3);
    EXPECT_EQ(other.frames(), lf.frames());
    EXPECT_EQ(other.script().lines(), lf.script().lines());
}

TEST(LfConfSection, SaveWritesKeysInOrder) {
    SimHost host;
    LfConf lf(host);
    lf.setFrames({newFrameItem("A"), "Name:B" + S});
    lf.script().addCommand(ScriptCommand::End);
    IniDocument doc;
    EXPECT_EQ(lf.processSection(&doc, ConfigAction::Save), 2);
    EXPECT_EQ(doc.toText(), "[LFCONF]\r\nNbFrames=2\r\nL0=" + newFrameItem("A") + "\r\nL1=Name:B" +
                                S + "\r\nNameWidth=120\r\n[LFSCRIPT]\r\nNbScript=1\r\nL0=END;\r\n");

    EXPECT_EQ(lf.processSection(nullptr, ConfigAction::Defaults), 0);
    EXPECT_TRUE(lf.frames().empty());
    EXPECT_TRUE(lf.script().lines().empty());
    EXPECT_FALSE(lf.script().commandAreaVisible());
}

TEST(LfConfSection, DamagedCountsLoadWhatThereIs) {
    struct Case {
        std::string section;
        std::vector<std::string> frames;
    };
    const Case cases[] = {
        {"NbFrames=2\nL0=a\nL1=b\nL2=c", {"a", "b"}},
        {"nbframes=1\nl0=a", {"a"}},
        {"NbFrames=3\nL0=a\nL2=c", {"a", "", "c"}},
        {"NbFrames=-4\nL0=a", {}},
        {"NbFrames=two\nL0=a", {}},
        {"L0=a", {}},
        {"NbFrames=2147483647\nL0=a\nL1=b", {"a", "b"}},
        {"NbFrames=2147483647\nL999999999=a", std::vector<std::string>(kMaxLoadedEntries)},
        {"NbFrames=5\nL00=a\nL1x=b\nL=c", {}},
    };
    SimHost host;
    for (const Case& c : cases) {
        LfConf lf(host);
        IniDocument doc = IniDocument::fromText("[LFCONF]\n" + c.section + "\n");
        EXPECT_EQ(lf.processSection(&doc, ConfigAction::Load), static_cast<int>(c.frames.size()))
            << c.section;
        EXPECT_EQ(lf.frames(), c.frames) << c.section;
        EXPECT_EQ(lf.nameWidth(), kDefaultNameWidth);
    }
}

// Arbitrary bytes in a document load, edit, analyse and save without harm, and what was saved
// loads back as the same lists.
TEST(LfConfSection, ArbitraryBytesLoadAndSaveSafely) {
    std::mt19937 rng(20240611);
    const std::string alphabet = std::string("LNbFrames=0123456789;:[]@()hbMS \r\n") + S + A +
                                 std::string("\x86\x00\xFF", 3) +
                                 "ContentDataNameFreqBaudrateCodingScript";
    SimHost host;
    for (int round = 0; round < 300; ++round) {
        std::string body = "[LFCONF]\r\nNbFrames=" + std::to_string(rng() % 6) +
                           "\r\n[LFSCRIPT]\r\nNbScript=" + std::to_string(rng() % 6) + "\r\n";
        for (int i = 0; i < 12; ++i) {
            body +=
                (rng() % 2 ? "[LFCONF]\r\nL" : "[LFSCRIPT]\r\nL") + std::to_string(rng() % 6) + "=";
            const std::size_t n = rng() % 40;
            for (std::size_t k = 0; k < n; ++k) body += alphabet[rng() % alphabet.size()];
            body += "\r\n";
        }
        IniDocument doc = IniDocument::fromText(body);
        host.answers.assign(8, MsgAnswer::Yes);
        LfConf lf(host);
        lf.processSection(&doc, ConfigAction::Load);
        for (int i = 0; i < static_cast<int>(lf.frames().size()); ++i) {
            lf.lstFramesClick(i);
            lf.butTestClick();
        }
        for (int i = 0; i < static_cast<int>(lf.script().lines().size()); ++i) {
            lf.script().lstScriptCommandsClick(i);
            lf.script().SetScriptArgument("9", static_cast<int>(rng() % 4));
        }
        AnalysisLog log;
        lf.AnalyseLfFrames(log);
        ASSERT_GE(log.lines().size(), 2u);

        IniDocument out = IniDocument::fromText(doc.toText());
        lf.processSection(&out, ConfigAction::Save);
        LfConf back(host);
        IniDocument reread = IniDocument::fromText(out.toText());
        back.processSection(&reread, ConfigAction::Load);
        EXPECT_EQ(back.frames().size(), lf.frames().size()) << body;
        EXPECT_EQ(back.script().lines().size(), lf.script().lines().size()) << body;
    }
}

}  // namespace
}  // namespace vornlfrf::config
