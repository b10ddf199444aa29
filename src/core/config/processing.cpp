#include "config/processing.h"

namespace vornlfrf::config {

namespace {

bool at(std::string_view code, std::size_t pos, char on) {
    return code.size() > pos && code[pos] == on;
}

}  // namespace

bool ProcessingEnabled(std::string_view code) { return at(code, 0, 'E'); }
bool ProcessingGray(std::string_view code) { return at(code, 1, 'G'); }
bool ProcessingInvertFirst(std::string_view code) { return at(code, 2, 'I'); }

void ApplyProcessingInPlace(std::string_view code, std::string& bits) {
    const std::size_t n = bits.size();
    if (n < 2 || !ProcessingEnabled(code)) return;
    if (ProcessingInvertFirst(code)) bits[0] = bits[0] == '0' ? '1' : '0';
    if (ProcessingGray(code)) {
        // plain(i) = gray(i) XOR plain(i - 1); characters other than '0'/'1' stay and count as
        // a previous non-'1'.
        for (std::size_t i = 1; i < n; ++i) {
            if (bits[i - 1] != '1') continue;
            if (bits[i] == '0')
                bits[i] = '1';
            else if (bits[i] == '1')
                bits[i] = '0';
        }
    }
}

std::string ApplyProcessing(std::string_view code, const std::string& bits) {
    std::string s = bits;
    ApplyProcessingInPlace(code, s);
    return s;
}

std::string NormaliseProcessing(const std::string& code) {
    return code.empty() ? std::string(kProcessingOff) : code;
}

std::string ProcessingSummary(const std::string& code) {
    const std::string c = NormaliseProcessing(code);
    const bool gray = ProcessingGray(c);
    const bool invert = ProcessingInvertFirst(c);
    if (!gray && !invert) return "None";
    std::string text;
    if (gray) text += "- Gray Decoding";
    if (gray && invert) text += '\n';
    if (invert) text += "- Invert 1st Data bit";
    return text;
}

std::string SetProcessingEnabled(const std::string& code, bool enabled) {
    std::string c = NormaliseProcessing(code);
    c[0] = enabled ? 'E' : 'e';
    return c;
}

std::string SetProcessingSteps(const std::string& code, bool gray, bool invertFirst) {
    std::string c = NormaliseProcessing(code);
    for (std::size_t i = c.size(); i < 3; ++i) c += kProcessingOff[i];
    c[1] = gray ? 'G' : 'g';
    c[2] = invertFirst ? 'I' : 'i';
    return c;
}

Status CheckProcessingCode(const std::string& code) {
    if (NormaliseProcessing(code).size() != 3)
        return Status::failure("Syntax error with Processing method");
    return Status::success();
}

}  // namespace vornlfrf::config
