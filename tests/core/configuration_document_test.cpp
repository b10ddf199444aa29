#include "config/configuration_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/sim_host.h"

namespace vornlfrf::config {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

// Stands for a configuration window: one key, an item count, and a record of the calls.
struct FakeSection : SectionHandler {
    FakeSection(std::string section, std::vector<std::string>& calls)
        : section(std::move(section)), calls(calls) {}
    int processSection(IniDocument* doc, ConfigAction action) override {
        calls.push_back(section + ":" + std::to_string(static_cast<int>(action)));
        if (action == ConfigAction::Save) doc->writeString(section, "Value", value);
        if (action == ConfigAction::Load) value = doc->readString(section, "Value", "default");
        if (action == ConfigAction::Defaults) value = "default";
        return count;
    }
    std::string section;
    std::vector<std::string>& calls;
    std::string value = "default";
    int count = 0;
};

class ConfigurationDocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vornlfrf_doc_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        doc.setHandler(SectionSlot::Run, &run);
        doc.setHandler(SectionSlot::LfConf, &lf);
        doc.setHandler(SectionSlot::RfFrame, &rf);
        doc.onCaptionChanged = [this](const std::string& c) { caption = c; };
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }

    SimHost host;
    fs::path dir;
    ConfigurationDocument doc{host, (fs::temp_directory_path() / "unused").string(),
                              "VornLFRF v1505.22a"};
    std::vector<std::string> calls;
    FakeSection lf{"LFCONF", calls}, rf{"RFFRAME", calls}, run{"RUN", calls};
    std::string caption;
};

TEST_F(ConfigurationDocumentTest, HandlersRunInSectionOrderAndCaptionFollowsState) {
    const std::string path = (dir / "a.cfg").string();
    writeAll(path, "[RUN]\r\nValue=r\r\n");
    doc.loadFrom(path);
    EXPECT_EQ(calls, (std::vector<std::string>{"LFCONF:2", "RFFRAME:2", "RUN:2"}));
    EXPECT_EQ(run.value, "r");
    EXPECT_EQ(lf.value, "default");
    EXPECT_FALSE(doc.bNoConfiguration);
    EXPECT_EQ(caption, "VornLFRF v1505.22a - " + path);
    doc.MarkModified();
    EXPECT_EQ(caption, "VornLFRF v1505.22a - " + path + " (modified)");
}

TEST_F(ConfigurationDocumentTest, SaveKeepsForeignKeysAndUnknownSections) {
    const fs::path path = dir / "a.cfg";
    writeAll(path, "[PRIVATE]\r\nx=1\r\n[LFCONF]\r\nValue=old\r\nItem7=stale\r\n");
    lf.count = 1;
    lf.value = "new\xAC";
    doc.sConfigPath = path.string();
    doc.MarkModified();
    doc.saveConfiguration();
    EXPECT_EQ(readAll(path),
              "[PRIVATE]\r\nx=1\r\n[LFCONF]\r\nValue=new\xAC\r\nItem7=stale\r\n"
              "[RFFRAME]\r\nValue=default\r\n[RUN]\r\nValue=default\r\n");
    EXPECT_FALSE(doc.bModified);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(ConfigurationDocumentTest, EmptyListsRefuseTheSaveButClearTheMark) {
    const fs::path path = dir / "a.cfg";
    doc.sConfigPath = path.string();
    doc.MarkModified();
    doc.saveConfiguration();
    EXPECT_FALSE(fs::exists(path));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, text::kEmptyLists);
    EXPECT_FALSE(doc.bModified);
}

TEST_F(ConfigurationDocumentTest, ReadOnlyFileWarnsLoadsAndRefusesTheSaveKeepingEdits) {
    const fs::path path = dir / "ro.cfg";
    writeAll(path, "[RUN]\r\nValue=stored\r\n");
    fs::permissions(path, fs::perms::owner_read);
    doc.loadFrom(path.string());
    EXPECT_EQ(run.value, "stored");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, text::kReadOnly);

    rf.count = 2;
    run.value = "edited";
    doc.MarkModified();
    doc.saveConfiguration();
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[1].text, text::kReadOnly);
    EXPECT_EQ(host.questions[2].text, text::kWriteError);
    EXPECT_EQ(readAll(path), "[RUN]\r\nValue=stored\r\n");
    // Unsaved edits stay marked so that closing still offers to save them.
    EXPECT_TRUE(doc.bModified);
    EXPECT_EQ(caption, "VornLFRF v1505.22a - " + path.string() + " (modified)");
    fs::permissions(path, fs::perms::owner_all);
}

TEST_F(ConfigurationDocumentTest, LoadAsksBeforeDroppingEdits) {
    const fs::path current = dir / "cur.cfg", other = dir / "other.cfg";
    writeAll(other, "[RUN]\r\nValue=other\r\n");
    lf.count = 1;
    struct Case {
        MsgAnswer answer;
        bool loaded;
        bool saved;
    } cases[] = {{MsgAnswer::Cancel, false, false},
                 {MsgAnswer::No, true, false},
                 {MsgAnswer::Yes, true, true}};
    for (const Case& c : cases) {
        fs::remove(current);
        doc.sConfigPath = current.string();
        run.value = "edited";
        doc.MarkModified();
        host.answers = {c.answer};
        host.fileAnswers = {other.string()};
        EXPECT_EQ(doc.loadConfiguration(), c.loaded);
        EXPECT_EQ(host.questions.back().text, text::kSaveBefore);
        EXPECT_EQ(host.questions.back().buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(doc.sConfigPath, c.loaded ? other.string() : current.string());
        EXPECT_EQ(run.value, c.loaded ? "other" : "edited");
        EXPECT_EQ(fs::exists(current), c.saved);
    }
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[0].title, "Load a configuration");
    EXPECT_EQ(host.dialogs[0].filterDescription, "Configuration (*.cfg)");
}

TEST_F(ConfigurationDocumentTest, NewConfigurationKeepsNoConfigurationFlag) {
    ConfigurationDocument fresh(host, dir.string(), "T");
    fresh.setHandler(SectionSlot::Run, &run);
    fresh.applyStartupConfiguration();  // no LastConfiguration.dat
    EXPECT_EQ(fresh.sConfigPath, (dir / "NewConfiguration.cfg").string());
    EXPECT_TRUE(fresh.bNoConfiguration);
    EXPECT_TRUE(fresh.newConfiguration());
    EXPECT_TRUE(fresh.bNoConfiguration);
    fresh.MarkModified();
    EXPECT_FALSE(fresh.bNoConfiguration);
}

TEST_F(ConfigurationDocumentTest, LastConfigurationRoundTripAndCutAt1024Bytes) {
    ConfigurationDocument first(host, dir.string(), "T");
    first.sConfigPath = (dir / "x.cfg").string();
    first.writeLastConfiguration();
    EXPECT_EQ(readAll(dir / "LastConfiguration.dat"), first.sConfigPath);

    ConfigurationDocument second(host, dir.string(), "T");
    second.setHandler(SectionSlot::Run, &run);
    second.applyStartupConfiguration();
    EXPECT_EQ(second.sConfigPath, first.sConfigPath);
    EXPECT_FALSE(second.bNoConfiguration);

    writeAll(dir / "LastConfiguration.dat", std::string(1500, 'p'));
    std::string path;
    ASSERT_TRUE(second.readLastConfiguration(path));
    EXPECT_EQ(path, std::string(1024, 'p'));
}

TEST_F(ConfigurationDocumentTest, CloseIsRefusedDuringARunAndAsksWhenModified) {
    EXPECT_TRUE(doc.queryClose(false));
    doc.MarkModified();
    EXPECT_FALSE(doc.queryClose(true));
    EXPECT_TRUE(host.questions.empty());
    host.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc.queryClose(false));
    host.answers = {MsgAnswer::No};
    EXPECT_TRUE(doc.queryClose(false));
}

TEST_F(ConfigurationDocumentTest, AnalysisStopsAtFirstFailureAndShowsTheLog) {
    std::vector<int> ran;
    bool shown = false;
    doc.onShowLog = [&] { shown = true; };
    doc.setAnalyser(AnalysisStep::LfFrames, [&](AnalysisLog& log) {
        ran.push_back(1);
        log.LogLine("----- LF Frames analysis -----");
        return true;
    });
    doc.setAnalyser(AnalysisStep::RfDescriptions, [&](AnalysisLog&) {
        ran.push_back(2);
        return false;
    });
    doc.setAnalyser(AnalysisStep::RunConfiguration, [&](AnalysisLog&) {
        ran.push_back(3);
        return true;
    });
    doc.log().LogLine("stale");
    EXPECT_FALSE(doc.AnalyseConfiguration());
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_TRUE(shown);
    EXPECT_EQ(doc.log().lines(), (std::vector<std::string>{"----- LF Frames analysis -----"}));
}

}  // namespace
}  // namespace vornlfrf::config
