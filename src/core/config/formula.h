#pragma once
// Formula evaluator for computed fields and data logger conversions. It reduces the formula text
// in place: innermost parentheses first, then one operator kind at a time, every intermediate
// result written back as text with 10 significant digits (so 1/3*3 gives 0.9999999999).

#include <array>
#include <cstdint>
#include <string>

namespace vornlfrf::config {

// Named values a formula may use. Entries 1..count are used; entry 0 stays empty.
struct VariableTable {
    static constexpr int kMaxVariables = 20;

    std::int32_t count = 0;
    std::array<std::string, kMaxVariables + 1> names;
    std::array<double, kMaxVariables + 1> values{};
    std::array<std::string, kMaxVariables + 1> texts;

    // Appends an entry; false (table unchanged) when all 20 are taken.
    bool add(const std::string& name, double value, const std::string& text = std::string());
    void clear();
};

enum class AngleUnit { Radians };

// Per-evaluation state; each caller owns one so evaluations cannot disturb each other.
struct FormulaState {
    int errorCode = 0;  // 0 = none, otherwise an index into the error words
    int precision = 10;
    AngleUnit angleUnit = AngleUnit::Radians;
    std::string hmsText;  // set by HMS(), then the result text of the evaluation
};

enum FormulaError {
    kErrNone = 0,
    kErrCalc = 1,
    kErrNoLeftOperand = 2,
    kErrNoRightOperand = 3,
    kErrPower = 4,
    kErrDivisor = 5,
    kErrParentheses = 6,
    kErrLogarithm = 7,
    kErrSquareRoot = 8,
    kErrEmpty = 9,
    kErrBinary = 10,
    kErrOctal = 11,
    kErrHexadecimal = 12,
    kErrArcSinus = 13,
    kErrArcCosinus = 14,
    kErrCotangent = 15,
};

// Word shown after "ER " for an error code ("" for 0 or an unknown code).
const char* formulaErrorWord(int code);

// Evaluates text; afterwards text holds "ER " + word on error, the HMS text when HMS() was used,
// or the value in the general number format. The returned value is 0 on error.
double EvaluateFormula(std::string& text, const VariableTable& Variables, FormulaState& state);
double EvaluateFormula(std::string& text, const VariableTable& Variables);

// General number format: `digits` significant digits, fixed notation while the integer part has
// at most `digits` digits and the magnitude is at least 0.00001, otherwise d.dddE+XX.
std::string formatGeneral(double value, int digits = 10);

// The general format as written back into a formula: '-' becomes '~' and '+' is dropped.
std::string FormatIntermediate(double value, int digits = 10);

}  // namespace vornlfrf::config
