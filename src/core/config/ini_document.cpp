#include "config/ini_document.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vornlfrf::config {

namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string trimSpaces(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

std::string flattenLineBreaks(std::string v) {
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

}  // namespace

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool parseInt(const std::string& text, int& out) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    if (first == last) return false;
    int v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || ptr != last) return false;
    out = v;
    return true;
}

IniDocument IniDocument::fromText(const std::string& text) {
    IniDocument doc;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(pos, end - pos);
        pos = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();

        const std::string t = trimSpaces(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            doc.sections_.push_back({trimSpaces(t.substr(1, t.size() - 2)), {}});
            continue;
        }
        Line line{raw, {}, 0};
        const std::size_t eq = raw.find('=');
        if (eq != std::string::npos && !t.empty() && t.front() != ';') {
            line.key = trimSpaces(raw.substr(0, eq));
            line.valueStart = eq + 1;
        }
        if (doc.sections_.empty())
            doc.preamble_.push_back(std::move(line));
        else
            doc.sections_.back().lines.push_back(std::move(line));
    }
    return doc;
}

IniDocument IniDocument::fromFile(const std::string& path, Status* status) {
    if (status) *status = Status::success();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code ec;
        if (status && std::filesystem::exists(path, ec))
            *status = Status::failure("cannot read " + path);
        return {};
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return fromText(text);
}

std::string IniDocument::toText() const {
    std::string out;
    for (const Line& l : preamble_) out += l.text + "\r\n";
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const Line& l : s.lines) out += l.text + "\r\n";
    }
    return out;
}

Status IniDocument::saveToFile(const std::string& path) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    // A read-only target must refuse the save even for a privileged user.
    if (fs::exists(target, ec)) {
        const auto perms = fs::status(target, ec).permissions();
        if ((perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
            fs::perms::none)
            return Status::failure("read-only file " + path);
    }
    fs::path tmp = target;
    tmp += ".saving~";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return Status::failure("cannot write " + tmp.string());
        const std::string text = toText();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(tmp, ec);
            return Status::failure("cannot write " + tmp.string());
        }
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return Status::failure("cannot replace " + path);
    }
    return Status::success();
}

const IniDocument::Section* IniDocument::findSection(const std::string& name) const {
    for (const Section& s : sections_)
        if (sameName(s.name, name)) return &s;
    return nullptr;
}

IniDocument::Section* IniDocument::findSection(const std::string& name) {
    for (Section& s : sections_)
        if (sameName(s.name, name)) return &s;
    return nullptr;
}

const IniDocument::Line* IniDocument::findKey(const Section& s, const std::string& key) {
    for (const Line& l : s.lines)
        if (!l.key.empty() && sameName(l.key, key)) return &l;
    return nullptr;
}

bool IniDocument::sectionExists(const std::string& section) const {
    return findSection(section) != nullptr;
}

bool IniDocument::valueExists(const std::string& section, const std::string& key) const {
    const Section* s = findSection(section);
    return s && findKey(*s, key);
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<std::string> IniDocument::keys(const std::string& section) const {
    std::vector<std::string> names;
    if (const Section* s = findSection(section))
        for (const Line& l : s->lines)
            if (!l.key.empty()) names.push_back(l.key);
    return names;
}

std::string IniDocument::readString(const std::string& section, const std::string& key,
                                    const std::string& def) const {
    const Section* s = findSection(section);
    if (!s) return def;
    const Line* l = findKey(*s, key);
    return l ? l->text.substr(l->valueStart) : def;
}

int IniDocument::readInteger(const std::string& section, const std::string& key, int def) const {
    if (!valueExists(section, key)) return def;
    int v = 0;
    return parseInt(trimSpaces(readString(section, key, "")), v) ? v : def;
}

bool IniDocument::readBool(const std::string& section, const std::string& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniDocument::writeString(const std::string& section, const std::string& key,
                              const std::string& value) {
    const std::string k = flattenLineBreaks(trimSpaces(key));
    const std::string text = k + "=" + flattenLineBreaks(value);
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back({flattenLineBreaks(section), {}});
        s = &sections_.back();
    }
    for (Line& l : s->lines) {
        if (!l.key.empty() && sameName(l.key, k)) {
            // Keep the stored spelling of the key.
            l.text = l.text.substr(0, l.valueStart) + text.substr(k.size() + 1);
            return;
        }
    }
    // New keys go after the last key line, before trailing blank lines.
    std::size_t at = s->lines.size();
    while (at > 0 && s->lines[at - 1].key.empty() && trimSpaces(s->lines[at - 1].text).empty())
        --at;
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at),
                    Line{text, k, k.size() + 1});
}

void IniDocument::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniDocument::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniDocument::eraseSection(const std::string& section) {
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (sameName(it->name, section))
            it = sections_.erase(it);
        else
            ++it;
    }
}

void IniDocument::deleteKey(const std::string& section, const std::string& key) {
    Section* s = findSection(section);
    if (!s) return;
    for (auto it = s->lines.begin(); it != s->lines.end();) {
        if (!it->key.empty() && sameName(it->key, key))
            it = s->lines.erase(it);
        else
            ++it;
    }
}

}  // namespace vornlfrf::config
