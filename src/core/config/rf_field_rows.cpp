#include "config/rf_field_rows.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "config/ini_document.h"
#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

std::string trimSpaces(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

bool isSeparator(char c) {
    return c == kItemSeparator || c == '\r' || c == '\n' || c == ';' || c == kRowSeparator;
}

std::vector<std::string> rowPieces(const std::string& row) {
    return SplitList(row, ';');
}

// What the key filters drop, removed again from pasted text.
std::string nameText(const std::string& s) {
    return StripSeparators(s, std::string(" ;") + kRowSeparator);
}
std::string uniteText(const std::string& s) {
    return StripSeparators(s, std::string(" ;") + kRowSeparator + kDegreeSign);
}

std::string piece(const std::vector<std::string>& pieces, std::size_t i) {
    return i < pieces.size() ? pieces[i] : std::string();
}

}  // namespace

std::string StripSeparators(const std::string& text, const std::string& extraSeparators) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == kItemSeparator || c == '\r' || c == '\n') continue;
        if (extraSeparators.find(c) != std::string::npos) continue;
        out += c;
    }
    return out;
}

std::string StripRowSeparators(const std::string& text) {
    return StripSeparators(text, std::string(";") + kRowSeparator);
}

bool ParseDecimal(const std::string& text, double& out) {
    const std::string t = trimSpaces(text);
    if (t.empty()) return false;
    const char* first = t.data();
    const char* last = first + t.size();
    if (*first == '+') ++first;
    // from_chars also reads "inf" and "nan", which are no numbers here.
    const char* digits = (first != last && *first == '-') ? first + 1 : first;
    if (digits == last || !((*digits >= '0' && *digits <= '9') || *digits == '.')) return false;
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(v)) return false;
    out = v;
    return true;
}

std::string FormatDecimal(double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);  // d.dddddddddddddde[+-]xx
    std::string s(buf);
    const std::size_t e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    const bool negative = s[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (s[i] != '.') digits += s[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits + std::string(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
            }
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    }
    return out;
}

char FilterNameKey(char key) {
    return (key == ' ' || isSeparator(key)) ? '\0' : key;
}

char FilterUniteKey(char key) {
    return key == kDegreeSign ? '\0' : FilterNameKey(key);
}

char FilterDisplayKey(char key, const std::string& current) {
    if (key == 'y' || key == 'n' || key == 'p') key = static_cast<char>(key - 'a' + 'A');
    if ((key != 'Y' && key != 'N' && key != 'P') || !current.empty()) return '\0';
    return key;
}

void RfFieldDialog::setTableUsed(bool on) {
    chkTableUsed = on;
    if (!on) txtUnite.clear();
}

Status RfFieldDialog::butSaveClick() {
    txtName = nameText(txtName);
    txtUnite = uniteText(txtUnite);
    txtContent = StripRowSeparators(txtContent);
    txtFile = StripRowSeparators(txtFile);

    if (txtName.empty()) return Status::failure(rftext::kNameNull);
    if (txtSize.empty()) return Status::failure(rftext::kSizeValue);
    int size = 0;
    if (!parseInt(trimSpaces(txtSize), size)) size = 0;
    if (size < 1 || size > 64) return Status::failure(rftext::kSizeRange);
    txtSize = std::to_string(size);
    if (!chkTableUsed) {
        double v = 0;
        if (!ParseDecimal(txtOffset, v)) return Status::failure(rftext::kOffsetValue);
        txtOffset = FormatDecimal(v);
        if (!ParseDecimal(txtResolution, v)) return Status::failure(rftext::kResolutionValue);
        txtResolution = FormatDecimal(v);
    } else {
        txtOffset = StripRowSeparators(txtOffset);
        txtResolution = StripRowSeparators(txtResolution);
    }
    if (txtDisplay != "Y" && txtDisplay != "N" && txtDisplay != "P")
        return Status::failure(rftext::kDisplayLetter);
    txtContent = TrimControl(txtContent);
    return Status::success();
}

std::string RfFieldDialog::addRow() const {
    std::string row = txtName + ";" + txtSize + ";" + txtOffset + ";" + txtResolution + ";" +
                      txtUnite + ";" + txtDisplay + ";" + txtContent + ";";
    if (chkTableUsed) row += txtFile + ";";
    return row;
}

std::string RfFieldDialog::modifyRow() const {
    std::string row = txtName + ";" + txtSize + ";" + txtOffset + ";" + txtResolution + ";" +
                      txtUnite + ";" + txtDisplay + ";" + txtContent + ";";
    row += chkTableUsed ? txtFile + ";" : ";";
    return row;
}

bool RfFieldDialog::fillFromRow(const std::string& row) {
    std::vector<std::string> p = rowPieces(row);
    if (p.size() == 6 || p.size() == 7) p.resize(8);
    if (p.size() != 8) return false;
    txtName = p[0];
    txtSize = p[1];
    txtOffset = p[2];
    txtResolution = p[3];
    txtUnite = p[4];
    txtDisplay = p[5];
    txtContent = p[6];
    txtFile = p[7];
    chkTableUsed = !p[7].empty();
    return true;
}

Status RfComputedFieldDialog::butSaveClick() {
    txtName = nameText(txtName);
    txtFormula = StripRowSeparators(txtFormula);
    txtUnite = uniteText(txtUnite);
    txtContent = StripRowSeparators(txtContent);
    if (txtName.empty()) return Status::failure(rftext::kCompNameNull);
    if (txtFormula.empty()) return Status::failure(rftext::kFormulaEmpty);
    if (txtDisplay != "Y" && txtDisplay != "N" && txtDisplay != "P")
        return Status::failure(rftext::kDisplayLetter);
    txtContent = TrimControl(txtContent);
    return Status::success();
}

std::string RfComputedFieldDialog::row() const {
    return txtName + ";" + txtFormula + ";" + txtUnite + ";" + txtDisplay + ";" + txtContent + ";";
}

void RfComputedFieldDialog::fillFromRow(const std::string& row) {
    const std::vector<std::string> p = rowPieces(row);
    txtName = piece(p, 0);
    txtFormula = piece(p, 1);
    txtUnite = piece(p, 2);
    txtDisplay = piece(p, 3);
    txtContent = piece(p, 4);
}

}  // namespace vornlfrf::config
