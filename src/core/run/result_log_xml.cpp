#include "run/result_log_xml.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vornlfrf::run {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

bool isNameChar(unsigned char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 0xB7;
}

bool spansFit(std::string_view text, const std::vector<RowSpan>& spans) {
    std::size_t prev = 0;
    for (const RowSpan& s : spans) {
        if (s.name < prev || s.value < s.name || s.end < s.value || s.end > text.size())
            return false;
        if (!s.isText) {
            if (s.value < s.name + 2 || s.end >= text.size() || text[s.end] != '"' ||
                text[s.value - 1] != '"' || text[s.value - 2] != '=')
                return false;
        }
        prev = s.end;
    }
    return true;
}

std::string_view trimSpaces(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

std::string numbered(std::string_view prefix, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    std::string s(prefix);
    s += '#';
    s += digits;
    s += ".xml";
    return s;
}

std::uint32_t fnv1a(std::string_view s) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : s) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

}  // namespace

void ParseRowSpans(std::string_view text, std::vector<RowSpan>& spans) {
    spans.clear();
    const std::size_t n = text.size();
    std::size_t p = 0;
    while (p < n) {
        if (text[p] == ' ') {
            ++p;
            continue;
        }
        const std::size_t start = p;
        std::size_t q = p;
        while (q < n && text[q] != '=' && text[q] != ' ' && text[q] != '"') ++q;
        RowSpan s;
        s.name = static_cast<std::uint32_t>(start);
        if (q > start && q + 1 < n && text[q] == '=' && text[q + 1] == '"') {
            std::size_t e = q + 2;
            while (e < n && !(text[e] == '"' && (e + 1 == n || text[e + 1] == ' '))) ++e;
            s.value = static_cast<std::uint32_t>(q + 2);
            s.end = static_cast<std::uint32_t>(e);
            // An unterminated last value has no closing quote: keep it as text.
            if (e == n) {
                s.isText = true;
                s.value = s.name;
            }
            p = e + 1;
        } else {
            while (q < n && text[q] != ' ') ++q;
            s.isText = true;
            s.value = s.name;
            s.end = static_cast<std::uint32_t>(q);
            p = q;
        }
        spans.push_back(s);
    }
}

void appendEscapedValue(std::string& out, std::string_view value) {
    for (char ch : value) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            case 0x7F:
                out += "&#x2421;";
                break;
            case 0x81:
            case 0x8D:
            case 0x8F:
            case 0x90:
            case 0x9D:
                out += "&#x";
                out += kHexDigits[c >> 4];
                out += kHexDigits[c & 15];
                out += ';';
                break;
            default:
                if (c < 0x20) {
                    out += "&#x24";
                    out += kHexDigits[c >> 4];
                    out += kHexDigits[c & 15];
                    out += ';';
                } else {
                    out += ch;
                }
        }
    }
}

void appendXmlName(std::string& out, std::string_view name) {
    if (name.empty()) {
        out += '_';
        return;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (i == 0 && !isNameStart(c)) {
            out += '_';
            if (isNameChar(c)) out += name[i];
        } else {
            out += isNameChar(c) ? name[i] : '_';
        }
    }
}

void XmlRowRenderer::appendAttribute(std::string_view name, std::string_view value) {
    name_.clear();
    appendXmlName(name_, name);
    const std::size_t base = name_.size();
    for (int k = 2;; ++k) {
        bool taken = false;
        for (std::size_t i = 0; i < used_ && !taken; ++i) taken = names_[i] == name_;
        if (!taken) break;
        name_.resize(base);
        name_ += '_';
        name_ += std::to_string(k);
    }
    if (used_ == names_.size()) names_.emplace_back();
    names_[used_++] = name_;
    line_ += name_;
    line_ += "=\"";
    appendEscapedValue(line_, value);
    line_ += "\" ";
}

const std::string& XmlRowRenderer::rowLine(std::string_view rowText,
                                           const std::vector<RowSpan>* spans) {
    if (!spans || spans->empty() || !spansFit(rowText, *spans)) {
        ParseRowSpans(rowText, parsed_);
        spans = &parsed_;
    }
    line_.assign(xmlfile::kRowStart);
    used_ = 0;
    for (const RowSpan& s : *spans) {
        const std::string_view value = rowText.substr(s.value, s.end - s.value);
        if (!s.isText) {
            appendAttribute(rowText.substr(s.name, s.value - 2 - s.name), value);
            continue;
        }
        const std::string_view t = trimSpaces(value);
        if (t.empty()) continue;
        bool interval = t.size() > 2 && t.front() == '<' && t.back() == '>';
        for (std::size_t i = 1; interval && i + 1 < t.size(); ++i)
            interval = t[i] >= '0' && t[i] <= '9';
        if (interval)
            appendAttribute(xmlfile::kIntervalName, t.substr(1, t.size() - 2));
        else
            appendAttribute(xmlfile::kTextName, t);
    }
    // Rows whose last attribute ends the text keep a single space before "/>".
    if (used_ > 0 && (rowText.empty() || rowText.back() != ' ')) line_.pop_back();
    line_ += xmlfile::kRowEnd;
    return line_;
}

std::string SafeIdForFileName(std::string_view id) {
    constexpr std::size_t kMaxEncoded = 100;
    if (id.empty()) return "~";
    std::string s;
    for (char ch : id) {
        const unsigned char c = static_cast<unsigned char>(ch);
        const bool escape = c < 0x20 || c >= 0x7F || c == '/' || c == '\\' || c == ':' ||
                            c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|' ||
                            c == '%' || c == '~';
        if (escape) {
            s += '%';
            s += kHexDigits[c >> 4];
            s += kHexDigits[c & 15];
        } else {
            s += ch;
        }
    }
    if (s.size() <= kMaxEncoded) return s;
    std::size_t cut = kMaxEncoded - 9;
    // Never split a %XX triple.
    if (s[cut - 1] == '%')
        cut -= 1;
    else if (s[cut - 2] == '%')
        cut -= 2;
    s.resize(cut);
    const std::uint32_t h = fnv1a(id);
    s += '~';
    for (int shift = 28; shift >= 0; shift -= 4) s += kHexDigits[(h >> shift) & 15];
    return s;
}

std::string FullLogPath(const std::string& base, int number) {
    return numbered(base + "_Full", number);
}

std::string IdLogPath(const std::string& base, std::string_view id, int number) {
    return numbered(base + "_" + SafeIdForFileName(id), number);
}

ResultFileState ProbeResultFile(const std::string& path, int* rows) {
    std::error_code ec;
    const std::filesystem::path p(path);
    if (!std::filesystem::exists(p, ec))
        return ec ? ResultFileState::Unusable : ResultFileState::Missing;
    if (!std::filesystem::is_regular_file(p, ec)) return ResultFileState::Unusable;
    std::ifstream in(p, std::ios::binary);
    if (!in) return ResultFileState::Unusable;

    const std::string_view header = xmlfile::kHeader;
    const std::string_view rowMark = "\n<ROW ";
    std::string head(header.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    if (in.gcount() != static_cast<std::streamsize>(head.size()) || head != header)
        return ResultFileState::Unusable;

    // Count row lines; the carry is shorter than a mark, so no mark is counted twice.
    int count = 0;
    std::string carry;
    std::string tail;
    std::string chunk(1 << 16, '\0');
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const std::size_t got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        carry.append(chunk.data(), got);
        for (std::size_t pos = carry.find(rowMark); pos != std::string::npos;
             pos = carry.find(rowMark, pos + 1))
            ++count;
        carry.erase(0, carry.size() - std::min(carry.size(), rowMark.size() - 1));
        tail.append(chunk.data(), got);
        if (tail.size() > xmlfile::kCloseLineLength)
            tail.erase(0, tail.size() - xmlfile::kCloseLineLength);
    }
    const std::string closing = std::string(xmlfile::kClose) + xmlfile::kEol;
    if (tail != closing) return ResultFileState::Unusable;
    if (rows) *rows = count;
    return ResultFileState::Continuable;
}

bool CreateResultFile(const std::string& path, std::string_view rowLine) {
    std::error_code ec;
    const std::filesystem::path p(path);
    if (std::filesystem::exists(p, ec) || ec) return false;
    std::string text;
    text.reserve(80 + rowLine.size());
    text += xmlfile::kHeader;
    text += xmlfile::kEol;
    text += xmlfile::kOpen;
    text += xmlfile::kEol;
    if (!rowLine.empty()) {
        text += rowLine;
        text += xmlfile::kEol;
    }
    text += xmlfile::kClose;
    text += xmlfile::kEol;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

bool InsertResultRow(const std::string& path, std::string_view rowLine) {
    std::fstream f(std::filesystem::path(path), std::ios::in | std::ios::out | std::ios::binary);
    if (!f) return false;
    f.seekg(0, std::ios::end);
    const std::streamoff size = f.tellg();
    const auto tail = static_cast<std::streamoff>(xmlfile::kCloseLineLength);
    if (size < tail) return false;
    char last[xmlfile::kCloseLineLength];
    f.seekg(size - tail);
    f.read(last, tail);
    const std::string closing = std::string(xmlfile::kClose) + xmlfile::kEol;
    if (!f || closing.compare(0, closing.size(), last, xmlfile::kCloseLineLength) != 0)
        return false;
    std::string text;
    text.reserve(rowLine.size() + 16);
    text += rowLine;
    text += xmlfile::kEol;
    text += closing;
    f.seekp(size - tail);
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    f.close();
    return !f.fail();
}

}  // namespace vornlfrf::run
