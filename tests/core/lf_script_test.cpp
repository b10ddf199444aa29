#include "config/lf_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/sim_host.h"

namespace vornlfrf::config {
namespace {

const std::string A(1, '\xA0');

struct Script : ::testing::Test {
    SimHost host;
    int marks = 0;
    LfScript script{host, [this] { ++marks; }};

    // Loads lines and selects one, as the operator would before editing.
    void select(std::vector<std::string> lines, int index) {
        script.setLines(std::move(lines));
        script.lstScriptCommandsClick(index);
    }
    const std::string& line(std::size_t i) const { return script.lines().at(i); }
};

TEST_F(Script, AddMenuInsertsEachCommandsLine) {
    struct Case {
        ScriptCommand command;
        std::string line;
    };
    const Case cases[] = {
        {ScriptCommand::Comment, "COMMENT;********** Comment **********"},
        {ScriptCommand::Delay, "DELAY;100"},
        {ScriptCommand::End, "END;"},
        {ScriptCommand::Level, "LEVEL;30"},
        {ScriptCommand::IdStart, "IDSTART;123ABC"},
        {ScriptCommand::IdStop, "IDSTOP;100" + A + "N" + A + "N"},
        {ScriptCommand::Restart, "RESTART;"},
        {ScriptCommand::SendCW, "SENDCW;" + A + "10"},
        {ScriptCommand::SendF, "SENDF;" + A + "1" + A + "10"},
        {ScriptCommand::Set, "SET;ID" + A + "0000h"},
        {ScriptCommand::WaitIn, "WAITIN;1"},
    };
    // Table order is the add menu's order.
    ASSERT_EQ(ScriptCommands().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ScriptCommands()[i].command, cases[i].command);
        script.Clear();
        script.addCommand(cases[i].command);
        ASSERT_EQ(script.lines().size(), 1u);
        EXPECT_EQ(line(0), cases[i].line);
        EXPECT_EQ(script.selected(), 0);
        EXPECT_EQ(script.panel(), cases[i].command);
        EXPECT_TRUE(script.commandAreaVisible());
    }
    EXPECT_EQ(marks, static_cast<int>(std::size(cases)));
    EXPECT_EQ(InfoOf(ScriptCommand::IdStop).help,
              (std::vector<std::string>{"Wait a specific ID received frame",
                                        "The ID must be specified in IDSTART command"}));
}

TEST_F(Script, InsertGoesBelowTheSelectedLine) {
    script.setLines({"DELAY;1", "DELAY;2"});
    script.addCommand(ScriptCommand::End);  // nothing selected: at the end
    script.lstScriptCommandsClick(0);
    script.addCommand(ScriptCommand::Restart);
    EXPECT_EQ(script.lines(), (std::vector<std::string>{"DELAY;1", "RESTART;", "DELAY;2", "END;"}));
    EXPECT_EQ(script.selected(), 1);
}

TEST_F(Script, SelectFillsTheEditorsWithoutEditingTheLine) {
    const std::vector<std::string> lines = {
        "SENDF;Wake" + A + "3" + A + "20",
        "SENDCW;Cw" + A + "500",
        "IDSTOP;250" + A + "Y" + A + "N",
        "SET;ID" + A + "12h",
        "WAITIN;0",
        "COMMENT;",
        "LEVEL;abc",
        "FOO;1",
    };
    script.setLines(lines);
    script.onEditorsFilled = [&] {
        EXPECT_TRUE(script.editingGuard());
        // A view copying the editors into its widgets; "abc" would be stored as "(ERROR)".
        script.txtScriptLevelChange(script.editors().txtScriptLevel);
        script.chkIdStopDisplayClick(script.editors().chkIdStopDisplay);
    };
    const ScriptEditors& e = script.editors();

    script.lstScriptCommandsClick(0);
    EXPECT_EQ(e.cboScriptFrame, "Wake");
    EXPECT_EQ(e.txtScriptRepetition, "3");
    EXPECT_EQ(e.txtScriptInterframe, "20");
    script.lstScriptCommandsClick(1);
    EXPECT_EQ(e.cboSendCWFrame, "Cw");
    EXPECT_EQ(e.txtScriptDuration, "500");
    script.lstScriptCommandsClick(2);
    EXPECT_EQ(e.txtIdStopDuring, "250");
    EXPECT_TRUE(e.chkIdStopAbort);
    EXPECT_FALSE(e.chkIdStopDisplay);
    script.lstScriptCommandsClick(3);
    EXPECT_EQ(e.txtSETParameter, "ID");
    EXPECT_EQ(e.txtSETValue, "12h");
    script.lstScriptCommandsClick(4);
    EXPECT_TRUE(e.rdbWAITINLevel0 && !e.rdbWAITINLevel1);
    script.lstScriptCommandsClick(5);
    EXPECT_EQ(e.txtCOMMENTValue, "");
    script.lstScriptCommandsClick(6);
    EXPECT_EQ(e.txtScriptLevel, "abc");
    EXPECT_EQ(script.panel(), ScriptCommand::Level);
    script.lstScriptCommandsClick(7);  // unknown word: panels stay
    EXPECT_EQ(script.panel(), ScriptCommand::Level);

    EXPECT_EQ(script.lines(), lines);
    EXPECT_EQ(marks, 0);
}

// Each editor change as the operator makes it on a freshly added line.
struct EditCase {
    const char* title;
    ScriptCommand command;
    void (*edit)(LfScript&);
    std::string line;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.title;
}

class ScriptEditors_ : public ::testing::TestWithParam<EditCase> {};

TEST_P(ScriptEditors_, StoreTheArgument) {
    SimHost host;
    int marks = 0;
    LfScript script(host, [&] { ++marks; });
    script.addCommand(GetParam().command);
    GetParam().edit(script);
    EXPECT_EQ(script.lines().at(0), GetParam().line);
    EXPECT_EQ(marks, 2);
}

const EditCase kEditCases[] = {
    {"SENDF frame", ScriptCommand::SendF, [](LfScript& s) { s.cboScriptFrameChange("Wake"); },
     "SENDF;Wake" + A + "1" + A + "10"},
    {"SENDF repetition cleared", ScriptCommand::SendF,
     [](LfScript& s) { s.txtScriptRepetitionChange(""); }, "SENDF;" + A + "(ERROR)" + A + "10"},
    {"SENDF interframe", ScriptCommand::SendF,
     [](LfScript& s) { s.txtScriptInterframeChange("0"); }, "SENDF;" + A + "1" + A + "0"},
    {"SENDCW frame", ScriptCommand::SendCW, [](LfScript& s) { s.cboSendCWFrameChange("Cw"); },
     "SENDCW;Cw" + A + "10"},
    {"SENDCW duration", ScriptCommand::SendCW,
     [](LfScript& s) { s.txtScriptDurationChange("8000000"); }, "SENDCW;" + A + "8000000"},
    {"DELAY", ScriptCommand::Delay, [](LfScript& s) { s.txtScriptDuringChange("2500"); },
     "DELAY;2500"},
    {"LEVEL 0", ScriptCommand::Level, [](LfScript& s) { s.txtScriptLevelChange("0"); }, "LEVEL;0"},
    {"LEVEL 100", ScriptCommand::Level, [](LfScript& s) { s.txtScriptLevelChange("100"); },
     "LEVEL;100"},
    {"LEVEL 101", ScriptCommand::Level, [](LfScript& s) { s.txtScriptLevelChange("101"); },
     "LEVEL;(ERROR)"},
    {"LEVEL -1", ScriptCommand::Level, [](LfScript& s) { s.txtScriptLevelChange("-1"); },
     "LEVEL;(ERROR)"},
    {"LEVEL abc", ScriptCommand::Level, [](LfScript& s) { s.txtScriptLevelChange("abc"); },
     "LEVEL;(ERROR)"},
    {"LEVEL 5.5", ScriptCommand::Level, [](LfScript& s) { s.txtScriptLevelChange("5.5"); },
     "LEVEL;(ERROR)"},
    {"IDSTART", ScriptCommand::IdStart, [](LfScript& s) { s.txtIdStartChange("A1B2C3"); },
     "IDSTART;A1B2C3"},
    {"IDSTOP abort ticked", ScriptCommand::IdStop, [](LfScript& s) { s.chkIdStopAbortClick(true); },
     "IDSTOP;100" + A + "Y" + A + "N"},
    {"IDSTOP display ticked", ScriptCommand::IdStop,
     [](LfScript& s) { s.chkIdStopDisplayClick(true); }, "IDSTOP;100" + A + "N" + A + "Y"},
    {"IDSTOP duration cleared", ScriptCommand::IdStop,
     [](LfScript& s) { s.txtIdStopDuringChange(""); }, "IDSTOP;(ERROR)" + A + "N" + A + "N"},
    {"SET name", ScriptCommand::Set, [](LfScript& s) { s.txtSETParameterChange("KEY"); },
     "SET;KEY" + A + "0000h"},
    {"SET value", ScriptCommand::Set, [](LfScript& s) { s.txtSETValueChange("0101b"); },
     "SET;ID" + A + "0101b"},
    {"COMMENT", ScriptCommand::Comment, [](LfScript& s) { s.txtCOMMENTValueChange("tyre 3"); },
     "COMMENT;tyre 3"},
    {"WAITIN 0", ScriptCommand::WaitIn, [](LfScript& s) { s.rdbWAITINLevel0Click(); }, "WAITIN;0"},
    {"separators in an argument", ScriptCommand::Set,
     [](LfScript& s) { s.txtSETValueChange("1;2" + A + "3\r\n4"); }, "SET;ID" + A + "12 3  4"},
    {"only separators", ScriptCommand::Comment, [](LfScript& s) { s.txtCOMMENTValueChange(";;"); },
     "COMMENT;(ERROR)"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ScriptEditors_, ::testing::ValuesIn(kEditCases));

TEST_F(Script, IdStopUntickKeepsTheOtherArguments) {
    select({"IDSTOP;300" + A + "Y" + A + "Y"}, 0);
    script.chkIdStopAbortClick(false);
    EXPECT_EQ(line(0), "IDSTOP;300" + A + "N" + A + "Y");
    EXPECT_EQ(marks, 1);
}

TEST_F(Script, SetScriptArgumentOnShortOrOddLines) {
    struct Case {
        std::string stored;
        int n;
        std::string value;
        std::string expected;
    };
    const Case cases[] = {
        {"DELAY;", 0, "50", "DELAY;50"},
        {"SENDF;Wake", 2, "7", "SENDF;Wake" + A + "1" + A + "7"},  // defaults fill the gap
        {"IDSTOP;100", 2, "Y", "IDSTOP;100" + A + "N" + A + "Y"},
        {"DELAY;100;junk", 0, "5", "DELAY;5"},
        {"DELAY;100", 1, "5", "DELAY;100"},  // DELAY has one argument
        {"END;", 0, "5", "END;"},            // END has none
        {"FOO;a", 2, "x", "FOO;a" + A + "(ERROR)" + A + "x"},
        {"SENDF;" + A + "1" + A + "10", 0, "", "SENDF;(ERROR)" + A + "1" + A + "10"},
    };
    for (const Case& c : cases) {
        select({c.stored}, 0);
        script.SetScriptArgument(c.value, c.n);
        EXPECT_EQ(line(0), c.expected) << c.stored;
    }
    script.setLines({"DELAY;1"});  // nothing selected
    script.SetScriptArgument("9", 0);
    EXPECT_EQ(line(0), "DELAY;1");
}

TEST_F(Script, EditorsOfAnotherCommandLeaveTheLine) {
    select({"DELAY;100"}, 0);
    script.txtScriptRepetitionChange("5");
    script.chkIdStopAbortClick(true);
    script.txtScriptLevelChange("20");
    EXPECT_EQ(line(0), "DELAY;100");
    EXPECT_EQ(marks, 0);
}

TEST_F(Script, ParseAndBuildLines) {
    const ScriptLine sendf = ParseScriptLine("SENDF;" + A + "1" + A + "10");
    EXPECT_EQ(sendf.command, "SENDF");
    EXPECT_EQ(sendf.args, (std::vector<std::string>{"", "1", "10"}));
    EXPECT_TRUE(ParseScriptLine("END;").args.empty());
    EXPECT_EQ(ParseScriptLine("SET;a" + A + "b;c" + A + "d").args,
              (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ParseScriptLine("").command, "");
    EXPECT_EQ(BuildScriptLine("IDSTOP", {"1", "Y", "N"}), "IDSTOP;1" + A + "Y" + A + "N");
    EXPECT_EQ(BuildScriptLine("END", {}), "END;");
}

TEST_F(Script, DeleteSelectsTheLineNowAtThatPlace) {
    const std::vector<std::string> three = {"DELAY;1", "DELAY;2", "DELAY;3"};
    host.answers.assign(3, MsgAnswer::Yes);

    select(three, 2);
    EXPECT_TRUE(script.butScriptDelClick());
    EXPECT_EQ(script.lines(), (std::vector<std::string>{"DELAY;1", "DELAY;2"}));
    EXPECT_EQ(script.selected(), 1);
    EXPECT_FALSE(script.commandAreaVisible());

    select(three, 0);
    EXPECT_TRUE(script.butScriptDelClick());
    EXPECT_EQ(script.lines(), (std::vector<std::string>{"DELAY;2", "DELAY;3"}));
    EXPECT_EQ(script.selected(), 0);

    select({"END;"}, 0);
    EXPECT_TRUE(script.butScriptDelClick());
    EXPECT_EQ(script.selected(), -1);
    EXPECT_EQ(marks, 3);

    // No: nothing changes; nothing selected: no question.
    select(three, 1);
    host.answers = {MsgAnswer::No};
    EXPECT_FALSE(script.butScriptDelClick());
    EXPECT_EQ(script.lines(), three);
    script.setLines(three);
    const std::size_t asked = host.questions.size();
    EXPECT_FALSE(script.butScriptDelClick());
    EXPECT_EQ(host.questions.size(), asked);
    EXPECT_EQ(host.questions.back().text, "Are you sure to delete ?");
    EXPECT_EQ(marks, 3);
}

TEST_F(Script, DeleteAllAsksOnlyWhenThereIsSomething) {
    EXPECT_FALSE(script.butSupprimerToutClick());
    EXPECT_TRUE(host.questions.empty());
    select({"DELAY;1", "END;"}, 1);
    host.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(script.butSupprimerToutClick());
    EXPECT_EQ(script.lines().size(), 2u);
    EXPECT_TRUE(script.butSupprimerToutClick());
    EXPECT_TRUE(script.lines().empty());
    EXPECT_EQ(script.selected(), -1);
    EXPECT_FALSE(script.commandAreaVisible());
    EXPECT_EQ(marks, 1);
}

TEST_F(Script, MoveAndCopy) {
    select({"DELAY;1", "DELAY;2", "END;"}, 1);
    EXPECT_TRUE(script.butScriptHautClick());
    EXPECT_FALSE(script.butScriptHautClick());
    EXPECT_EQ(script.lines(), (std::vector<std::string>{"DELAY;2", "DELAY;1", "END;"}));
    EXPECT_EQ(script.selected(), 0);
    EXPECT_TRUE(script.butScriptBasClick());
    EXPECT_EQ(script.selected(), 1);

    EXPECT_TRUE(script.butScriptCopyClick());
    EXPECT_EQ(script.lines(), (std::vector<std::string>{"DELAY;1", "DELAY;2", "END;", "DELAY;2"}));
    EXPECT_EQ(script.selected(), 1);  // the selection stays
    EXPECT_EQ(marks, 3);
}

}  // namespace
}  // namespace vornlfrf::config
