#include "config/formula.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/cli_run.h"

namespace vornlfrf::config {
namespace {

struct Case {
    const char* formula;
    const char* text;  // expected result text
    double value;      // expected value when the text is a number
};

VariableTable xy() {
    VariableTable vars;
    vars.add("x", 2);
    vars.add("y", 3);
    return vars;
}

void expectCases(const std::vector<Case>& cases, const VariableTable& vars) {
    for (const Case& c : cases) {
        std::string text = c.formula;
        const double v = EvaluateFormula(text, vars);
        EXPECT_EQ(text, c.text) << "formula: " << c.formula;
        if (text.rfind("ER ", 0) != 0) {
            EXPECT_DOUBLE_EQ(v, c.value) << "formula: " << c.formula;
        }
    }
}

TEST(Formula, PrecedenceAssociativityAndSigns) {
    expectCases(
        {
            {"2+3*4", "14", 14},
            {"8/2/2", "2", 2},
            {"10-2-3", "5", 5},
            {"1+2-3", "0", 0},
            {"1-2+3", "2", 2},
            {"2^3^2", "64", 64},
            {"2*3^2", "18", 18},
            {"-2^2", "4", 4},
            {"-2^3", "-8", -8},
            {"8/2*4", "16", 16},
            {"5-(0-3)", "8", 8},
            {"5*-3", "-15", -15},
            {"5/-2", "-2.5", -2.5},
            {"2^+3", "8", 8},
            {"+4", "4", 4},
            {" 1 +  2 ", "3", 3},
            {"((2+3)*(4-1))", "15", 15},
            {"1/3*3", "0.9999999999", 0.9999999999},
            {"x*y+1", "7", 7},
            {"-x*y", "-6", -6},
            {"x*2.1+55.8", "60", 60},
        },
        xy());
}

TEST(Formula, NumberNotationsAndConstants) {
    expectCases(
        {
            {"FFh+1", "256", 256},
            {"ffh", "255", 255},
            {"101b", "5", 5},
            {"17o", "15", 15},
            {"1k", "1000", 1000},
            {"3m", "0.003", 0.003},
            {"2M", "2000000", 2e6},
            {"4.7u", "4.7E-06", 4.7e-6},
            {"4.7\xB5", "4.7E-06", 4.7e-6},
            {"47u", "0.000047", 4.7e-5},
            {"100n", "1E-07", 1e-7},
            {"1T", "1E+12", 1e12},
            {"1f*1T", "0.001", 0.001},
            {"1E3", "1000", 1000},
            {"1.5E-3*2", "0.003", 0.003},
            {"2e+2", "200", 200},
            {".5+1.", "1.5", 1.5},
            {"PI", "3.141592654", 3.14159265358979},
            {"pi*2", "6.283185307", 6.283185307},
            {"E", "2.718281828", 2.71828182845905},
            {"-e", "-2.718281828", -2.71828182845905},
        },
        VariableTable());
}

TEST(Formula, BitAndIntegerOperators) {
    expectCases(
        {
            {"7&3", "3", 3},
            {"5|2", "7", 7},
            {"5#1", "4", 4},
            {"7%3", "1", 1},
            {"-7%3", "-1", -1},
            {"7.9%3.2", "1", 1},
            {"7%3%2", "1", 1},
            {"3%2^2", "3", 3},
            {"10000000000%7", "4", 4},
            {"!0", "-1", -1},
            {"-!0", "1", 1},
            {"2*!0", "-2", -2},
            {"!(5&3)", "-2", -2},
            {"4294967295&1", "1", 1},
            {"1|2&3", "3", 3},  // '&' binds tighter than '|'
        },
        VariableTable());
}

TEST(Formula, Functions) {
    expectCases(
        {
            {"SQR(16)", "4", 4},
            {"sqr(16)", "4", 4},
            {"LOG(100)", "2", 2},
            {"log10(1000)", "3", 3},
            {"LN(E)", "1", 1},
            {"EXP(0)", "1", 1},
            {"ABS(0-7.5)", "7.5", 7.5},
            {"SIN(0)+COS(0)", "1", 1},
            {"ASIN(1)", "1.570796327", 1.570796327},
            {"2*ACOS(0)", "3.141592654", 3.141592654},
            {"ATAN(1)*4", "3.141592654", 3.141592654},
            {"TAN(PI/4)", "1", 1},
            {"COTAN(PI/4)", "1", 1},
            {"SINH(0)+COSH(0)+TANH(0)", "1", 1},
            {"SQR(SQR(256))+1", "5", 5},
            {"x*SQR(y*3)", "6", 6},
        },
        xy());
}

TEST(Formula, ErrorWords) {
    expectCases(
        {
            {"zz+1", "ER calc", 0},
            {"1.2.3", "ER calc", 0},
            {"*5", "ER parameter", 0},
            {"5--3", "ER parameter", 0},
            {"5+", "ER parameter", 0},
            {"2^-1", "ER power", 0},
            {"(0-2)^0.5", "ER power", 0},
            {"1/0", "ER divisor", 0},
            {"7%0", "ER divisor", 0},
            {"(1+2", "ER ( or )", 0},
            {")1+2(", "ER ( or )", 0},
            {"LOG(0)", "ER logarithme", 0},
            {"LN(0)", "ER logarithme", 0},
            {"SQR(0-1)", "ER square root", 0},
            {"", "ER empty", 0},
            {"   ", "ER empty", 0},
            {"()", "ER empty", 0},
            {"2*( )", "ER empty", 0},
            {"12b", "ER binary", 0},
            {"8o", "ER octal", 0},
            {"FGh", "ER hexadecimal", 0},
            {"h", "ER hexadecimal", 0},
            {"ASIN(2)", "ER arc sinus", 0},
            {"ACOS(0-1.5)", "ER arc cosinus", 0},
            {"COTAN(0)", "ER cotangente", 0},
            // Faults that would otherwise yield a wrong number.
            {"2(3)", "ER calc", 0},
            {"(1)(2)", "ER calc", 0},
            {"5!0", "ER calc", 0},
            {"inf", "ER calc", 0},
            {"nan", "ER calc", 0},
            {"1E400", "ER calc", 0},
            {"EXP(1000)", "ER calc", 0},
            {"10^400", "ER calc", 0},
        },
        xy());
    for (int code = 1; code <= 15; ++code) EXPECT_STRNE(formulaErrorWord(code), "") << code;
    EXPECT_STREQ(formulaErrorWord(0), "");
    EXPECT_STREQ(formulaErrorWord(16), "");
}

TEST(Formula, ErrorCodeDistinguishesMissingLeftAndRightOperand) {
    VariableTable vars;
    FormulaState state;
    std::string text = "*5";
    EvaluateFormula(text, vars, state);
    EXPECT_EQ(state.errorCode, kErrNoLeftOperand);
    text = "5*";
    EvaluateFormula(text, vars, state);
    EXPECT_EQ(state.errorCode, kErrNoRightOperand);
    text = "5*2";  // the next evaluation starts clean
    EvaluateFormula(text, vars, state);
    EXPECT_EQ(state.errorCode, kErrNone);
    EXPECT_EQ(text, "10");
}

TEST(Formula, HmsAndSec) {
    expectCases(
        {
            {"HMS(3725)", "1h02mn05", 3725},
            {"hms(3725.9)", "1h02mn05", 3725.9},
            {"HMS(59)", "0h00mn59", 59},
            {"HMS(360000)", "100h00mn00", 360000},
            {"HMS(0-65)", "-0h01mn05", -65},
            {"HMS(60)+1", "0h01mn00", 61},  // the text is the HMS text, the value goes on
            {"HMS(10)/0", "ER divisor", 0},
            {"SEC(1h02mn05)", "3725", 3725},
            {"SEC(1h2mn5)+1", "3726", 3726},
            {"SEC(3725)", "3725", 3725},
            {"SEC(1h75mn00)", "ER calc", 0},
        },
        VariableTable());
}

TEST(Formula, ResultFormatAndValueRounding) {
    VariableTable vars;
    vars.add("t", 1.0 / 3.0);
    vars.add("big", 12345678901.0);
    vars.add("tiny", 0.0000012345);
    vars.add("neg", -1.5e20);
    expectCases(
        {
            {"t", "0.3333333333", 1.0 / 3.0},  // a lone variable keeps its full value
            {"t*1", "0.3333333333", 0.3333333333},
            {"big", "1.23456789E+10", 12345678901.0},
            {"9999999999", "9999999999", 9999999999.0},
            {"9999999999.6", "1E+10", 9999999999.6},
            {"tiny", "1.2345E-06", 0.0000012345},  // below 0.00001: scientific
        },
        vars);
}

TEST(Formula, GeneralFormat) {
    const std::vector<std::pair<double, const char*>> cases = {
        {0, "0"},
        {-0.0, "0"},
        {14, "14"},
        {-2.5, "-2.5"},
        {0.00001, "0.00001"},
        {0.0000099, "9.9E-06"},
        {1.2345e-7, "1.2345E-07"},
        {1e100, "1E+100"},
        {-1.5e20, "-1.5E+20"},
        {1234567890.4, "1234567890"},
        {12345678904, "1.23456789E+10"},
        {0.123456789123, "0.1234567891"},
        {0.98765432106, "0.9876543211"},
        {123.456, "123.456"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(formatGeneral(value), text) << value;
    EXPECT_EQ(FormatIntermediate(-1.5e20), "~1.5E20");
    EXPECT_EQ(FormatIntermediate(-1.5e-7), "~1.5E~07");
}

TEST(Formula, VariablesAreCaseSensitiveFirstMatchWinsAndCapped) {
    VariableTable vars;
    ASSERT_TRUE(vars.add("P1", 10));
    ASSERT_TRUE(vars.add("P1", 99));  // shadowed by the first
    ASSERT_TRUE(vars.add("E", 5));    // a variable hides the constant
    std::string text = "P1+E";
    EXPECT_DOUBLE_EQ(EvaluateFormula(text, vars), 15);
    EXPECT_EQ(text, "15");
    text = "p1";
    EvaluateFormula(text, vars);
    EXPECT_EQ(text, "ER calc");

    for (int i = vars.count; i < VariableTable::kMaxVariables; ++i) {
        EXPECT_TRUE(vars.add("v" + std::to_string(i), i));
    }
    EXPECT_FALSE(vars.add("extra", 1));
    EXPECT_EQ(vars.count, VariableTable::kMaxVariables);
    EXPECT_FALSE(vars.add("", 1));

    vars.count = 1000;  // a corrupted count must not read past the table
    text = "v19";
    EXPECT_DOUBLE_EQ(EvaluateFormula(text, vars), 19);
    vars.count = -3;
    text = "P1";
    EvaluateFormula(text, vars);
    EXPECT_EQ(text, "ER calc");
}

// Arbitrary input always yields a number text, an HMS text or an error text, never a crash.
TEST(Formula, RandomBytesGiveDefinedResults) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "0123456789+-*/^!&|#%~().,eEhbokmMuTGpfnPIxy SQRLOGHMSEC\xB5";
    VariableTable vars = xy();
    std::uniform_int_distribution<int> len(0, 40);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int numbers = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int n = len(rng);
        const bool raw = i % 4 == 0;
        for (int k = 0; k < n; ++k) {
            text +=
                raw ? static_cast<char>(byte(rng)) : alphabet[static_cast<std::size_t>(pick(rng))];
        }
        const std::string input = text;
        FormulaState state;
        const double v = EvaluateFormula(text, vars, state);
        if (text.rfind("ER ", 0) == 0) {
            EXPECT_NE(state.errorCode, 0) << input;
            EXPECT_EQ(text, std::string("ER ") + formulaErrorWord(state.errorCode)) << input;
        } else if (!state.hmsText.empty()) {
            EXPECT_NE(text.find("mn"), std::string::npos) << input;
        } else {
            ++numbers;
            ASSERT_TRUE(std::isfinite(v)) << input;
            EXPECT_EQ(text, formatGeneral(v)) << input;
            double back = 0;
            ASSERT_EQ(std::sscanf(text.c_str(), "%lf", &back), 1) << input;
        }
    }
    EXPECT_GT(numbers, 100);  // the generator reaches the success path too
}

TEST(Formula, DeepNestingAndLongInputStayIterative) {
    std::string text = std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_DOUBLE_EQ(EvaluateFormula(text, VariableTable()), 1);
    EXPECT_EQ(text, "1");
    text = "1";
    for (int i = 0; i < 2000; ++i) text += "+1";
    EXPECT_DOUBLE_EQ(EvaluateFormula(text, VariableTable()), 2001);
}

std::string runCli(const std::string& args, int& status) {
    const testsupport::CliRun r = testsupport::runCliCommand("formula " + args);
    status = r.status;
    return r.out;
}

TEST(FormulaCli, PrintsResultTextAndRejectsBadUsage) {
    int status = 0;
    EXPECT_EQ(runCli("'2+3*4'", status), "14\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("--var x=2 --var y=3.5 'x*y+1'", status), "8\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("'-2^2'", status), "4\n");
    EXPECT_EQ(runCli("'1/0'", status), "ER divisor\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runCli("'HMS(3725)'", status), "1h02mn05\n");
    EXPECT_EQ(runCli("'47µ'", status), "0.000047\n");  // UTF-8 micro sign

    std::string many;
    for (int i = 0; i < VariableTable::kMaxVariables; ++i)
        many += " --var v" + std::to_string(i) + "=1";
    EXPECT_EQ(runCli(many + " 'v19+v0'", status), "2\n");
    EXPECT_EQ(status, 0);

    for (const std::string& bad :
         {std::string(), std::string("--var x=2"), std::string("--var x 'x'"),
          std::string("--var x=abc 'x'"), std::string("--var =1 '1'"),
          std::string("--var 'a+b=1' '1'"), std::string("--var x=1e999 'x'"),
          std::string("'1' '2'"), std::string("--bogus '1'"), many + " --var extra=1 '1'"}) {
        EXPECT_EQ(runCli(bad, status), "") << bad;
        EXPECT_EQ(status, 2) << bad;
    }
}

}  // namespace
}  // namespace vornlfrf::config
