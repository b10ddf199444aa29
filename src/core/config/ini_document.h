#pragma once
// In-memory INI document: the whole file is read once, edited, and written back whole, so keys
// and sections that no writer touches survive a save with their lines, comments and order.
// Bytes are kept as they are (Windows-1252 files: 0xAC, 0xA0 and 0x86 appear inside values).

#include <string>
#include <vector>

#include "common/result.h"

namespace vornlfrf::config {

class IniDocument {
  public:
    IniDocument() = default;

    // Parses text; never fails: lines that are neither sections nor keys are kept as they are.
    static IniDocument fromText(const std::string& text);
    // Reads the file when it exists; a missing file gives an empty document.
    static IniDocument fromFile(const std::string& path, Status* status = nullptr);

    std::string toText() const;
    // Writes a temporary file beside the target and renames it over the target, so a failed
    // write leaves the previous file untouched.
    Status saveToFile(const std::string& path) const;

    bool sectionExists(const std::string& section) const;
    bool valueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(const std::string& section) const;

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    int readInteger(const std::string& section, const std::string& key, int def) const;
    bool readBool(const std::string& section, const std::string& key, bool def) const;

    // Line breaks inside a value would split the line: they are written as spaces.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

    void eraseSection(const std::string& section);
    void deleteKey(const std::string& section, const std::string& key);

  private:
    struct Line {
        std::string text;  // whole line as read or written
        std::string key;   // empty for comments, blanks and stray text
        std::size_t valueStart = 0;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    const Section* findSection(const std::string& name) const;
    Section* findSection(const std::string& name);
    static const Line* findKey(const Section& s, const std::string& key);

    std::vector<Line> preamble_;  // lines before the first section
    std::vector<Section> sections_;
};

// Case-insensitive equality for ASCII letters, the rule of section and key names.
bool sameName(const std::string& a, const std::string& b);

// Strict decimal integer as typed reads accept it: optional sign, digits, within 32 bits.
bool parseInt(const std::string& text, int& out);

}  // namespace vornlfrf::config
