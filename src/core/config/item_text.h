#pragma once
// Item texts ("Key:Value" pairs each ended by 0xAC) and delimiter lists, the storage form of LF
// frames, RF descriptions, script lines, field rows and ID lists.

#include <string>
#include <vector>

namespace vornlfrf::config {

constexpr char kItemSeparator = '\xAC';  // ends each Key:Value pair of an item
constexpr char kArgSeparator = '\xA0';   // between script arguments
constexpr char kRowSeparator = '\x86';   // between field rows

// Value after the first occurrence of key + ":" (plain substring search) up to the next 0xAC.
std::string ItemGetValue(const std::string& text, const std::string& key);
// Replaces that value, or appends key + ":" + value + 0xAC when the key is absent.
void ItemSetValue(std::string& text, const std::string& key, const std::string& value);

// Cuts at every byte d and at every line break; no piece after a final break, none for "".
std::vector<std::string> SplitList(const std::string& text, char d);
std::string JoinList(const std::vector<std::string>& pieces, char d);

// Removes leading and trailing bytes with codes up to 32.
std::string TrimControl(const std::string& text);

}  // namespace vornlfrf::config
