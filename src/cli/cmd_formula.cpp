#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "commands.h"
#include "config/formula.h"

namespace vornlfrf::cli {

namespace {

int usageError(const std::string& reason) {
    std::fprintf(stderr, "formula: %s\nusage: vornlfrf-cli formula [--var NAME=VALUE]... FORMULA\n",
                 reason.c_str());
    return kUsageError;
}

// Formulas are Windows-1252 bytes; a UTF-8 terminal sends Latin-1 letters such as the micro sign
// as two bytes. Invalid sequences pass through unchanged.
std::string latin1FromUtf8(const std::string& in) {
    std::string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        const unsigned char next = i + 1 < in.size() ? static_cast<unsigned char>(in[i + 1]) : 0;
        if ((c == 0xC2 || c == 0xC3) && (next & 0xC0) == 0x80) {
            out += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
            ++i;
        } else {
            out += in[i];
        }
    }
    return out;
}

bool parseNumber(const std::string& s, double& out) {
    if (s.empty()) return false;
    const char* begin = s.data();
    const char* end = begin + s.size();
    if (*begin == '+') ++begin;
    const auto res = std::from_chars(begin, end, out, std::chars_format::general);
    return res.ec == std::errc() && res.ptr == end && std::isfinite(out);
}

// A name holding any of these could never be matched inside a formula.
bool usableName(const std::string& name) {
    return !name.empty() && name.find_first_of("+-*/^!&|#%~() ") == std::string::npos;
}

}  // namespace

int cmdFormula(const Args& args) {
    config::VariableTable variables;
    std::string formula;
    bool haveFormula = false;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsDone && arg == "--") {
            optionsDone = true;
        } else if (!optionsDone && arg == "--var") {
            if (i + 1 >= args.size()) return usageError("--var needs NAME=VALUE");
            const std::string assignment = latin1FromUtf8(args[++i]);
            const std::size_t eq = assignment.find('=');
            if (eq == std::string::npos) return usageError("bad --var '" + assignment + "'");
            const std::string name = assignment.substr(0, eq);
            const std::string valueText = assignment.substr(eq + 1);
            if (!usableName(name)) return usageError("bad variable name '" + name + "'");
            double value = 0;
            if (!parseNumber(valueText, value)) {
                return usageError("value of " + name + " is not a number: '" + valueText + "'");
            }
            if (!variables.add(name, value, valueText)) {
                return usageError("more than " +
                                  std::to_string(config::VariableTable::kMaxVariables) +
                                  " variables");
            }
        } else if (!optionsDone && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            return usageError("unknown option " + arg);
        } else if (haveFormula) {
            return usageError("more than one formula (quote it)");
        } else {
            formula = latin1FromUtf8(arg);
            haveFormula = true;
        }
    }
    if (!haveFormula) return usageError("no formula");

    config::EvaluateFormula(formula, variables);
    std::printf("%s\n", formula.c_str());
    return 0;
}

}  // namespace vornlfrf::cli
