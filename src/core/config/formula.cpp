#include "config/formula.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace vornlfrf::config {

namespace {

constexpr const char* kErrorWords[] = {
    "",           "calc",   "parameter",   "parameter",   "power",
    "divisor",    "( or )", "logarithme",  "square root", "empty",
    "binary",     "octal",  "hexadecimal", "arc sinus",   "arc cosinus",
    "cotangente",
};
constexpr int kErrorWordCount = static_cast<int>(sizeof(kErrorWords) / sizeof(kErrorWords[0]));

constexpr double kPi = 3.14159265358979;
constexpr double kE = 2.71828182845905;

// Tried longest first so that ASIN is not taken for SIN, LOG10 not for LOG.
constexpr const char* kFunctionNames[] = {
    "LOG10", "COTAN", "SINH", "COSH", "TANH", "ASIN", "ACOS", "ATAN", "LOG",
    "SIN",   "COS",   "TAN",  "SQR",  "EXP",  "ABS",  "HMS",  "SEC",  "LN",
};

// Operators in the order they are applied, which is also their precedence.
constexpr std::string_view kOperatorOrder = "!^&|#%/*-+";

// '%' bounds operands like the others so that "7%3%2" and "3%2^2" read as expected.
bool isOperatorChar(char c) {
    switch (c) {
        case '+':
        case '-':
        case '/':
        case '*':
        case '^':
        case '!':
        case '&':
        case '|':
        case '#':
        case '%':
            return true;
        default:
            return false;
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = upperAscii(c);
    return out;
}

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = s.find(from, pos);
        if (hit == std::string::npos) break;
        out.append(s, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s, pos, std::string::npos);
    s = std::move(out);
}

// Bit operations work on 32-bit integers; larger values wrap like the integers they stand for.
std::int32_t toInt32(double v) {
    double m = std::fmod(std::trunc(v), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(m));
}

// Decimal exponent of the leading digit + 1 of a plain decimal text, clamped; used only to tell
// an overflow from an underflow when the number does not fit a double.
long long decimalMagnitude(std::string_view s) {
    std::size_t e = s.find_first_of("eE");
    std::string_view mant = s.substr(0, e);
    long long exp = 0;
    if (e != std::string_view::npos) {
        std::string_view ex = s.substr(e + 1);
        bool neg = !ex.empty() && ex[0] == '-';
        if (neg) ex.remove_prefix(1);
        for (char c : ex) exp = std::min(exp * 10 + (c - '0'), 1000000LL);
        if (neg) exp = -exp;
    }
    if (!mant.empty() && mant[0] == '-') mant.remove_prefix(1);
    const std::size_t dot = std::min(mant.find('.'), mant.size());
    std::size_t first = 0;
    while (first < mant.size() && (mant[first] == '0' || mant[first] == '.')) ++first;
    if (first == mant.size()) return -1000000;  // zero
    const long long dotPos = static_cast<long long>(dot);
    const long long firstPos = static_cast<long long>(first);
    const long long mag = first < dot ? dotPos - firstPos : dotPos - firstPos + 1;
    return mag + exp;
}

// Plain decimal text ('.' separator, optional exponent); false when it is not a finite number.
bool parseDecimal(std::string_view s, double& out) {
    if (s.empty()) return false;
    for (char c : s) {
        if (!isDigit(c) && c != '.' && c != 'e' && c != 'E' && c != '-') return false;
    }
    double v = 0;
    const char* end = s.data() + s.size();
    const auto res = std::from_chars(s.data(), end, v, std::chars_format::general);
    if (res.ptr != end) return false;
    if (res.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(s) > 0) return false;
        v = 0;  // too small for a double
    } else if (res.ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(v)) return false;
    out = v;
    return true;
}

class Evaluator {
  public:
    Evaluator(const VariableTable& vars, FormulaState& st) : vars_(vars), st_(st) {}

    bool failed() const { return st_.errorCode != kErrNone; }

    void raise(int code) {
        if (st_.errorCode == kErrNone) st_.errorCode = code;
    }

    double run(std::string text) {
        const auto opens = std::count(text.begin(), text.end(), '(');
        const auto closes = std::count(text.begin(), text.end(), ')');
        if (opens != closes) {
            raise(kErrParentheses);
            return 0;
        }
        while (!failed()) {
            const std::size_t close = text.find(')');
            if (close == std::string::npos) break;
            const std::size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
            if (open == std::string::npos) {
                raise(kErrParentheses);  // a ')' before any '('
                break;
            }
            reduceGroup(text, open, close);
        }
        if (failed()) return 0;
        const double value = reduceFlat(normalise(text));
        if (failed()) return 0;
        return value;
    }

  private:
    const VariableTable& vars_;
    FormulaState& st_;

    double checked(double v) {
        if (!std::isfinite(v)) {
            raise(kErrCalc);
            return 0;
        }
        return v;
    }

    std::string intermediate(double v) const { return FormatIntermediate(v, st_.precision); }

    // Length of the function name ending just before position `open`, 0 when there is none.
    static std::size_t functionNameBefore(const std::string& text, std::size_t open,
                                          std::string& name) {
        const std::size_t take = std::min<std::size_t>(open, 5);
        const std::string before = upperAscii(std::string_view(text).substr(open - take, take));
        for (std::size_t len = 5; len >= 2; --len) {
            if (len > before.size()) continue;
            const std::string_view tail = std::string_view(before).substr(before.size() - len);
            for (const char* fn : kFunctionNames) {
                if (tail == fn) {
                    name = fn;
                    return len;
                }
            }
        }
        return 0;
    }

    void reduceGroup(std::string& text, std::size_t open, std::size_t close) {
        const std::string inner = text.substr(open + 1, close - open - 1);
        if (inner.empty()) {
            raise(kErrEmpty);
            return;
        }
        std::string name;
        const std::size_t nameLen = functionNameBefore(text, open, name);
        const std::size_t start = open - nameLen;

        // Text glued to a group ("2(3)", "(1)(2)") would otherwise merge digits into a new number.
        std::size_t p = start;
        while (p > 0 && text[p - 1] == ' ') --p;
        std::size_t q = close + 1;
        while (q < text.size() && text[q] == ' ') ++q;
        const bool leftOk =
            p == 0 || text[p - 1] == '(' || text[p - 1] == '~' || isOperatorChar(text[p - 1]);
        const bool rightOk = q == text.size() || text[q] == ')' || isOperatorChar(text[q]);
        if (!leftOk || !rightOk) {
            raise(kErrCalc);
            return;
        }

        double value = 0;
        if (name == "SEC" && parseHms(inner, value)) {
            // already the number of seconds
        } else {
            value = reduceFlat(normalise(inner));
        }
        if (failed()) return;
        if (!name.empty()) value = applyFunction(name, value);
        if (failed()) return;
        text.replace(start, close + 1 - start, intermediate(value));
    }

    double applyFunction(const std::string& name, double x) {
        if (name == "LOG10" || name == "LOG" || name == "LN") {
            if (x <= 0) {
                raise(kErrLogarithm);
                return 0;
            }
            return checked(name == "LN" ? std::log(x) : std::log10(x));
        }
        if (name == "COTAN") {
            if (x <= 0) {
                raise(kErrCotangent);
                return 0;
            }
            return checked(1.0 / std::tan(x));
        }
        if (name == "ASIN" || name == "ACOS") {
            if (x < -1 || x > 1) {
                raise(name == "ASIN" ? kErrArcSinus : kErrArcCosinus);
                return 0;
            }
            return name == "ASIN" ? std::asin(x) : std::acos(x);
        }
        if (name == "SQR") {
            if (x < 0) {
                raise(kErrSquareRoot);
                return 0;
            }
            return std::sqrt(x);
        }
        if (name == "SINH") return checked(std::sinh(x));
        if (name == "COSH") return checked(std::cosh(x));
        if (name == "TANH") return std::tanh(x);
        if (name == "ATAN") return std::atan(x);
        if (name == "SIN") return std::sin(x);
        if (name == "COS") return std::cos(x);
        if (name == "TAN") return checked(std::tan(x));
        if (name == "EXP") return checked(std::exp(x));
        if (name == "ABS") return std::fabs(x);
        if (name == "HMS") {
            st_.hmsText = hmsText(x);
            return x;
        }
        return x;  // SEC: converted before
    }

    static std::string hmsText(double x) {
        double t = std::trunc(x);
        const bool negative = t < 0;
        t = std::fabs(t);
        const double rest = std::fmod(t, 3600.0);
        const double hours = (t - rest) / 3600.0;
        const int minutes = static_cast<int>(rest / 60.0);
        const int seconds = static_cast<int>(rest - minutes * 60.0);
        char buf[400];
        const auto res = std::to_chars(buf, buf + sizeof buf, hours, std::chars_format::fixed, 0);
        std::string out = negative ? "-" : "";
        out.append(buf, res.ptr);
        out += 'h';
        out += static_cast<char>('0' + minutes / 10);
        out += static_cast<char>('0' + minutes % 10);
        out += "mn";
        out += static_cast<char>('0' + seconds / 10);
        out += static_cast<char>('0' + seconds % 10);
        return out;
    }

    // Reads H"h"MM"mn"SS (as HMS() writes it) into seconds; false when the text has another form.
    bool parseHms(const std::string& raw, double& seconds) {
        std::string s;
        for (char c : raw) {
            if (c != ' ') s += c;
        }
        double sign = 1;
        if (!s.empty() && (s[0] == '-' || s[0] == '~')) {
            sign = -1;
            s.erase(0, 1);
        }
        const std::size_t h = s.find('h');
        const std::size_t mn = s.find("mn");
        if (h == std::string::npos || mn == std::string::npos || h == 0 || mn < h) return false;
        const std::string hours = s.substr(0, h);
        const std::string minutes = s.substr(h + 1, mn - h - 1);
        const std::string secs = s.substr(mn + 2);
        auto allDigits = [](const std::string& d, std::size_t maxLen) {
            return !d.empty() && d.size() <= maxLen && std::all_of(d.begin(), d.end(), isDigit);
        };
        if (!allDigits(hours, 400) || !allDigits(minutes, 2) || !allDigits(secs, 2)) return false;
        double hv = 0;
        if (!parseDecimal(hours, hv)) return false;
        auto twoDigits = [](const std::string& d) {
            return d.size() == 1 ? d[0] - '0' : (d[0] - '0') * 10 + (d[1] - '0');
        };
        const int mv = twoDigits(minutes);
        const int sv = twoDigits(secs);
        if (mv >= 60 || sv >= 60) {
            raise(kErrCalc);
            return true;
        }
        seconds = checked(sign * (hv * 3600.0 + mv * 60.0 + sv));
        return true;
    }

    std::string normalise(const std::string& text) {
        std::string t;
        t.reserve(text.size());
        for (char c : text) {
            if (c != ' ') t += c;
        }
        replaceAll(t, "+-", "-");
        replaceAll(t, "-+", "-");
        replaceAll(t, "*-", "*~");
        replaceAll(t, "^-", "^~");
        replaceAll(t, "^+", "^");
        replaceAll(t, "*+", "*");
        replaceAll(t, "/-", "/~");
        replaceAll(t, "/+", "/");
        if (t.empty()) {
            raise(kErrEmpty);
            return t;
        }
        if (t[0] == '-') {
            t[0] = '~';
        } else if (t[0] == '+') {
            t.erase(0, 1);
            if (t.empty()) raise(kErrEmpty);
        }
        for (std::size_t i = 1; i + 1 < t.size(); ++i) {
            if ((t[i] == 'E' || t[i] == 'e') && isDigit(t[i - 1])) {
                if (t[i + 1] == '+') {
                    t.erase(i + 1, 1);
                } else if (t[i + 1] == '-') {
                    t[i + 1] = '~';
                }
            }
        }
        return t;
    }

    double reduceFlat(std::string t) {
        if (failed()) return 0;
        for (const char op : kOperatorOrder) {
            while (!failed()) {
                const std::size_t pos = t.find(op);
                if (pos == std::string::npos) break;
                std::size_t left = pos;
                while (left > 0 && !isOperatorChar(t[left - 1])) --left;
                std::size_t right = pos + 1;
                while (right < t.size() && !isOperatorChar(t[right])) ++right;
                const std::string_view lhs = std::string_view(t).substr(left, pos - left);
                const std::string_view rhs = std::string_view(t).substr(pos + 1, right - pos - 1);
                if (op == '!') {
                    // NOT takes no left operand; a sign before it stays in the text.
                    if (!lhs.empty() && lhs != "~") raise(kErrCalc);
                    left = pos;
                } else if (lhs.empty()) {
                    raise(kErrNoLeftOperand);
                }
                if (rhs.empty()) raise(kErrNoRightOperand);
                if (failed()) break;
                const double a = op == '!' ? 0 : parseOperand(lhs);
                const double b = parseOperand(rhs);
                if (failed()) break;
                const double r = checked(apply(op, a, b));
                if (failed()) break;
                t.replace(left, right - left, intermediate(r));
            }
        }
        if (failed()) return 0;
        std::replace(t.begin(), t.end(), '~', '-');
        return parseOperand(t);
    }

    double apply(char op, double a, double b) {
        switch (op) {
            case '!':
                return ~toInt32(b);
            case '^': {
                if (b < 0) {
                    raise(kErrPower);
                    return 0;
                }
                const double r = std::pow(a, b);
                if (std::isnan(r)) raise(kErrPower);  // negative base, fractional exponent
                return r;
            }
            case '&':
                return toInt32(a) & toInt32(b);
            case '|':
                return toInt32(a) | toInt32(b);
            case '#':
                return toInt32(a) ^ toInt32(b);
            case '%': {
                const double d = std::trunc(b);
                if (d == 0) {
                    raise(kErrDivisor);
                    return 0;
                }
                return std::fmod(std::trunc(a), d);
            }
            case '/':
                if (b == 0) {
                    raise(kErrDivisor);
                    return 0;
                }
                return a / b;
            case '*':
                return a * b;
            case '-':
                return a - b;
            default:
                return a + b;
        }
    }

    double parseDigits(std::string_view digits, int base, int error) {
        if (digits.empty()) {
            raise(error);
            return 0;
        }
        double v = 0;
        for (char c : digits) {
            int d = 99;
            if (isDigit(c)) {
                d = c - '0';
            } else if (c >= 'A' && c <= 'F') {
                d = c - 'A' + 10;
            }
            if (d >= base) {
                raise(error);
                return 0;
            }
            v = v * base + d;
        }
        return checked(v);
    }

    double parseOperand(std::string_view s) {
        double sign = 1;
        if (!s.empty() && (s[0] == '-' || s[0] == '~')) {
            sign = -1;
            s.remove_prefix(1);
        }
        if (s.empty()) {
            raise(kErrCalc);
            return 0;
        }
        const int count = std::clamp<std::int32_t>(vars_.count, 0, VariableTable::kMaxVariables);
        for (int i = 1; i <= count; ++i) {
            if (vars_.names[i] == s) return checked(sign * vars_.values[i]);
        }
        const std::string upper = upperAscii(s);
        if (upper == "PI") return sign * kPi;
        if (upper == "E") return sign * kE;

        const char last = s.back();
        const std::string_view body = s.substr(0, s.size() - 1);
        switch (last) {
            case 'b':
                return sign * parseDigits(body, 2, kErrBinary);
            case 'o':
                return sign * parseDigits(body, 8, kErrOctal);
            case 'h':
                return sign * parseDigits(upperAscii(body), 16, kErrHexadecimal);
            default:
                break;
        }
        double factor = 1;
        switch (last) {
            case 'T':
                factor = 1e12;
                break;
            case 'G':
                factor = 1e9;
                break;
            case 'M':
                factor = 1e6;
                break;
            case 'k':
                factor = 1e3;
                break;
            case 'm':
                factor = 1e-3;
                break;
            case 'u':
            case '\xB5':
                factor = 1e-6;
                break;  // micro sign in Windows-1252
            case 'n':
                factor = 1e-9;
                break;
            case 'p':
                factor = 1e-12;
                break;
            case 'f':
                factor = 1e-15;
                break;
            default:
                break;
        }
        std::string number(factor == 1 ? s : body);
        std::replace(number.begin(), number.end(), '~', '-');
        double v = 0;
        if (!parseDecimal(number, v)) {
            raise(kErrCalc);
            return 0;
        }
        return checked(sign * v * factor);
    }
};

}  // namespace

bool VariableTable::add(const std::string& name, double value, const std::string& text) {
    if (name.empty() || count < 0 || count >= kMaxVariables) return false;
    ++count;
    names[count] = name;
    values[count] = value;
    texts[count] = text;
    return true;
}

void VariableTable::clear() {
    count = 0;
    names.fill(std::string());
    values.fill(0.0);
    texts.fill(std::string());
}

const char* formulaErrorWord(int code) {
    return code > 0 && code < kErrorWordCount ? kErrorWords[code] : "";
}

std::string formatGeneral(double value, int digits) {
    digits = std::clamp(digits, 1, 17);
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";  // also for -0

    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));  // [-]d.ddde[+-]XX
    const bool negative = sci[0] == '-';
    const std::size_t e = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
        if (c != '.') mantissa += c;
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < digits) {
        if (exponent >= 0) {
            const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= intLen) {
                out += mantissa;
                out.append(intLen - mantissa.size(), '0');
            } else {
                out.append(mantissa, 0, intLen);
                out += '.';
                out.append(mantissa, intLen, std::string::npos);
            }
        } else {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += mantissa;
        }
        return out;
    }
    out += mantissa[0];
    if (mantissa.size() > 1) {
        out += '.';
        out.append(mantissa, 1, std::string::npos);
    }
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
    return out;
}

std::string FormatIntermediate(double value, int digits) {
    std::string out;
    for (char c : formatGeneral(value, digits)) {
        if (c == '-') {
            out += '~';
        } else if (c != '+') {
            out += c;
        }
    }
    return out;
}

double EvaluateFormula(std::string& text, const VariableTable& Variables, FormulaState& state) {
    state.hmsText.clear();
    state.errorCode = kErrNone;
    state.precision = 10;
    state.angleUnit = AngleUnit::Radians;

    Evaluator evaluator(Variables, state);
    double value = evaluator.run(text);
    if (state.errorCode != kErrNone) {
        text = std::string("ER ") + formulaErrorWord(state.errorCode);
        return 0;
    }
    text = state.hmsText.empty() ? formatGeneral(value, state.precision) : state.hmsText;
    return value;
}

double EvaluateFormula(std::string& text, const VariableTable& Variables) {
    FormulaState state;
    return EvaluateFormula(text, Variables, state);
}

}  // namespace vornlfrf::config
