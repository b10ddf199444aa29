#include "config/content_parser.h"

#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

enum class Symbol { Zero, One, Mark, Space };  // 0, 1, M, S

// Appends the chips of one symbol. Biphase-S reads the last character appended so far.
void appendSymbol(std::string& out, Symbol s, CodingType coding, const std::string& pwm0,
                  const std::string& pwm1) {
    switch (coding) {
        case CodingType::ManchesterStandard:
        case CodingType::ManchesterInverted: {
            const bool inverted = coding == CodingType::ManchesterInverted;
            switch (s) {
                case Symbol::Zero: out += inverted ? "10" : "01"; break;
                case Symbol::One: out += inverted ? "01" : "10"; break;
                case Symbol::Mark: out += "11"; break;
                case Symbol::Space: out += "00"; break;
            }
            break;
        }
        case CodingType::BiphaseS: {
            if (s == Symbol::Mark || s == Symbol::Space) break;  // M and S code as nothing
            const bool empty = out.empty();
            const bool lastZero = !empty && out.back() == '0';
            if (s == Symbol::Zero)
                out += (!empty && lastZero) ? "10" : "01";
            else
                out += (empty || lastZero) ? "11" : "00";
            break;
        }
        case CodingType::Pwm:
            switch (s) {
                case Symbol::Zero: out += pwm0; break;
                case Symbol::One: out += pwm1; break;
                case Symbol::Mark: out += "111"; break;
                case Symbol::Space: out += "000"; break;
            }
            break;
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower-case a-f are not digits here
}

}  // namespace

std::string ParseContent(const std::string& expression, CodingType coding, const std::string& pwm0,
                         const std::string& pwm1) {
    std::string result;
    for (const std::string& piece : SplitList(expression, ' ')) {
        const std::string t = TrimControl(piece);
        if (t.empty()) continue;

        if (t.front() == '@') {  // parameter token, verbatim with any "(N)" size
            result += ' ';
            result += t;
            result += ' ';
            continue;
        }

        const bool markOrSpace = t == "M" || t == "S";
        if (t.back() == 'h' || markOrSpace) {  // hexadecimal group
            std::size_t end = t.size();
            if (!markOrSpace) {
                if (t.size() == 1) return "Error with " + t;
                --end;  // drop the final 'h'
            }
            for (std::size_t i = 0; i < end; ++i) {
                const char c = t[i];
                if (c == 'M') {
                    appendSymbol(result, Symbol::Mark, coding, pwm0, pwm1);
                } else if (c == 'S') {
                    appendSymbol(result, Symbol::Space, coding, pwm0, pwm1);
                } else {
                    const int v = hexValue(c);
                    if (v < 0) return "Error hexa with " + t;
                    for (int bit = 3; bit >= 0; --bit)
                        appendSymbol(result, ((v >> bit) & 1) ? Symbol::One : Symbol::Zero, coding,
                                     pwm0, pwm1);
                }
            }
            continue;
        }

        if (t.back() == 'b') {  // raw binary group, appended without line coding
            if (t.size() == 1) return "Error with " + t;
            for (std::size_t i = 0; i + 1 < t.size(); ++i)
                if (t[i] != '0' && t[i] != '1') return "Error binary with " + t;
            result.append(t, 0, t.size() - 1);
            continue;
        }

        return "Error suffix with " + t;
    }
    return result;
}

}  // namespace vornlfrf::config
