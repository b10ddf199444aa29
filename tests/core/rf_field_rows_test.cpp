#include "config/rf_field_rows.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vornlfrf::config {
namespace {

struct FieldSaveCase {
    const char* label;
    RfFieldDialog edits;
    const char* message;  // "" when Save succeeds
};

void PrintTo(const FieldSaveCase& c, std::ostream* os) {
    *os << c.label;
}

RfFieldDialog withEdits(std::string name, std::string size, std::string offset,
                        std::string resolution, std::string display, bool table = false) {
    RfFieldDialog d;
    d.txtName = std::move(name);
    d.txtSize = std::move(size);
    d.txtOffset = std::move(offset);
    d.txtResolution = std::move(resolution);
    d.txtDisplay = std::move(display);
    d.chkTableUsed = table;
    return d;
}

class FieldDialogSave : public ::testing::TestWithParam<FieldSaveCase> {};

TEST_P(FieldDialogSave, ChecksInOrder) {
    RfFieldDialog d = GetParam().edits;
    const Status s = d.butSaveClick();
    EXPECT_EQ(s.ok, std::string(GetParam().message).empty());
    EXPECT_EQ(s.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldDialogSave,
    ::testing::Values(
        FieldSaveCase{"defaults", RfFieldDialog{}, ""},
        FieldSaveCase{"empty name", withEdits("", "", "", "", "X"),
                      "Error with 'Name' field (mustn't be NULL)"},
        FieldSaveCase{"name of separators only", withEdits(";\x86 ", "8", "0", "1", "N"),
                      "Error with 'Name' field (mustn't be NULL)"},
        FieldSaveCase{"empty size", withEdits("A", "", "", "", "X"),
                      "Error with 'Size' field (must be a value)"},
        FieldSaveCase{"size 0", withEdits("A", "0", "0", "1", "N"), "Error with 'Size' field"},
        FieldSaveCase{"size 65", withEdits("A", "65", "0", "1", "N"), "Error with 'Size' field"},
        FieldSaveCase{"size not a number", withEdits("A", "8x", "0", "1", "N"),
                      "Error with 'Size' field"},
        FieldSaveCase{"size 64", withEdits("A", "64", "0", "1", "N"), ""},
        FieldSaveCase{"size 1", withEdits("A", "1", "0", "1", "N"), ""},
        FieldSaveCase{"empty offset", withEdits("A", "8", "", "", "X"),
                      "Error with 'Offset' field (must be a value)"},
        FieldSaveCase{"offset not a number", withEdits("A", "8", "1,5", "1", "N"),
                      "Error with 'Offset' field (must be a value)"},
        FieldSaveCase{"empty resolution", withEdits("A", "8", "0", "", "X"),
                      "Error with 'Resolution' field (must be a value)"},
        FieldSaveCase{"resolution inf", withEdits("A", "8", "0", "inf", "N"),
                      "Error with 'Resolution' field (must be a value)"},
        FieldSaveCase{"table needs no scaling", withEdits("A", "8", "", "", "Y", true), ""},
        FieldSaveCase{"lower-case display", withEdits("A", "8", "0", "1", "y"),
                      "Error with 'Display' field (Y, N or P)"},
        FieldSaveCase{"empty display", withEdits("A", "8", "0", "1", ""),
                      "Error with 'Display' field (Y, N or P)"},
        FieldSaveCase{"priority", withEdits("A", "8", "0", "1", "P"), ""}));

TEST(RfFieldDialog, SaveNormalisesTheEdits) {
    RfFieldDialog d = withEdits("Pre;ss\x86ure", " 08", "-2.50", "1e-6", "P");
    d.txtUnite = "k Pa\xB0;";
    d.txtContent = "  01 \t";
    ASSERT_TRUE(d.butSaveClick());
    EXPECT_EQ(d.txtName, "Pressure");
    EXPECT_EQ(d.txtSize, "8");
    EXPECT_EQ(d.txtOffset, "-2.5");
    EXPECT_EQ(d.txtResolution, "1E-6");
    EXPECT_EQ(d.txtUnite, "kPa");
    EXPECT_EQ(d.txtContent, "01");
}

TEST(RfFieldDialog, RowsOfAddAndModify) {
    RfFieldDialog d;
    EXPECT_EQ(d.addRow(), "NewField;8;0;1;;N;;");
    EXPECT_EQ(d.modifyRow(), "NewField;8;0;1;;N;;;");
    d.setTableUsed(true);
    d.txtFile = "/t/states.txt";
    EXPECT_EQ(d.addRow(), "NewField;8;0;1;;N;;/t/states.txt;");
    EXPECT_EQ(d.modifyRow(), "NewField;8;0;1;;N;;/t/states.txt;");

    d.txtUnite = "bar";
    d.setTableUsed(false);
    EXPECT_EQ(d.txtUnite, "");
}

TEST(RfFieldDialog, FillFromRowPadsSixOrSevenPiecesAndRefusesOthers) {
    RfFieldDialog d;
    ASSERT_TRUE(d.fillFromRow("ID;24;0;1;;Y;;"));
    EXPECT_EQ(d.txtName, "ID");
    EXPECT_EQ(d.txtSize, "24");
    EXPECT_EQ(d.txtDisplay, "Y");
    EXPECT_FALSE(d.chkTableUsed);
    EXPECT_EQ(d.modifyRow(), "ID;24;0;1;;Y;;;");

    ASSERT_TRUE(d.fillFromRow("T;4;0;1;u;N;ok;/x/t.txt;"));
    EXPECT_TRUE(d.chkTableUsed);
    EXPECT_EQ(d.txtFile, "/x/t.txt");
    EXPECT_EQ(d.txtContent, "ok");
    ASSERT_TRUE(d.fillFromRow("A;8;0;1;;N"));  // six pieces

    d.txtName = "keep";
    EXPECT_FALSE(d.fillFromRow("A;8;0;1;;"));             // five pieces
    EXPECT_FALSE(d.fillFromRow("A;8;0;1;;N;;f;extra;"));  // nine pieces
    EXPECT_EQ(d.txtName, "keep");
}

TEST(RfComputedFieldDialog, SaveRulesAndRow) {
    RfComputedFieldDialog d;
    EXPECT_EQ(d.butSaveClick().message, "Error with 'Formula' field (must not be empty)");
    d.txtFormula = "Pressure*2.1+55.8";
    d.txtDisplay = "Q";
    EXPECT_EQ(d.butSaveClick().message, "Error with 'Display' field (Y, N or P)");
    d.txtDisplay = "Y";
    d.txtName = " ";
    EXPECT_EQ(d.butSaveClick().message, "Error with 'Name' field (must not be NULL)");
    d.txtName = "P2";
    d.txtContent = " OK ";
    ASSERT_TRUE(d.butSaveClick());
    EXPECT_EQ(d.row(), "P2;Pressure*2.1+55.8;;Y;OK;");

    RfComputedFieldDialog m;
    m.fillFromRow("Sum;a+b;V");
    EXPECT_EQ(m.txtFormula, "a+b");
    EXPECT_EQ(m.txtUnite, "V");
    EXPECT_EQ(m.txtDisplay, "");
}

TEST(RfFieldKeys, FiltersDropWhatWouldBreakARow) {
    EXPECT_EQ(FilterNameKey('a'), 'a');
    EXPECT_EQ(FilterNameKey(kBackspace), kBackspace);
    for (char c : {' ', ';', '\x86', '\xAC'}) EXPECT_EQ(FilterNameKey(c), '\0') << int(c);
    EXPECT_EQ(FilterUniteKey('\xB0'), '\0');
    EXPECT_EQ(FilterUniteKey(' '), '\0');
    EXPECT_EQ(FilterUniteKey('%'), '%');
    EXPECT_EQ(FilterNameKey('\xB0'), '\xB0');

    EXPECT_EQ(FilterDisplayKey('y', ""), 'Y');
    EXPECT_EQ(FilterDisplayKey('P', ""), 'P');
    EXPECT_EQ(FilterDisplayKey('n', ""), 'N');
    EXPECT_EQ(FilterDisplayKey('N', "Y"), '\0');
    EXPECT_EQ(FilterDisplayKey('x', ""), '\0');
    EXPECT_EQ(FilterDisplayKey(kBackspace, "Y"), '\0');
}

TEST(RfDecimal, ParseAndFormat) {
    const struct {
        const char* text;
        bool ok;
        const char* formatted;
    } cases[] = {
        {"0", true, "0"},
        {"1.50", true, "1.5"},
        {" -2.5 ", true, "-2.5"},
        {"+3", true, "3"},
        {"1e3", true, "1000"},
        {".5", true, "0.5"},
        {"0.00001", true, "0.00001"},
        {"1E-6", true, "1E-6"},
        {"123456789012345", true, "123456789012345"},
        {"0.1", true, "0.1"},
        {"", false, ""},
        {"1,5", false, ""},
        {"nan", false, ""},
        {"-inf", false, ""},
        {"0x10", false, ""},
        {"1.5.2", false, ""},
        {"-", false, ""},
    };
    for (const auto& c : cases) {
        double v = 0;
        EXPECT_EQ(ParseDecimal(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(FormatDecimal(v), c.formatted) << c.text;
        }
    }
    EXPECT_EQ(FormatDecimal(1e15), "1E15");
    EXPECT_EQ(FormatDecimal(99999999999999.0), "99999999999999");
}

}  // namespace
}  // namespace vornlfrf::config
