#include "config/item_text.h"

namespace vornlfrf::config {

std::string ItemGetValue(const std::string& text, const std::string& key) {
    const std::string tag = key + ":";
    const std::size_t at = text.find(tag);
    if (at == std::string::npos) return {};
    const std::size_t begin = at + tag.size();
    const std::size_t end = text.find(kItemSeparator, begin);
    return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

void ItemSetValue(std::string& text, const std::string& key, const std::string& value) {
    const std::string tag = key + ":";
    const std::size_t at = text.find(tag);
    if (at == std::string::npos) {
        text += tag + value + kItemSeparator;
        return;
    }
    const std::size_t begin = at + tag.size();
    std::size_t end = text.find(kItemSeparator, begin);
    if (end == std::string::npos) end = text.size();
    text.replace(begin, end - begin, value);
}

std::vector<std::string> SplitList(const std::string& text, char d) {
    std::vector<std::string> pieces;
    std::string line;
    bool open = false;  // characters seen since the last line break
    const std::size_t n = text.size();
    // Each delimiter counts as a line feed, so "\r" followed by a delimiter is one break.
    auto at = [&](std::size_t i) { return text[i] == d ? '\n' : text[i]; };
    for (std::size_t i = 0; i < n; ++i) {
        const char c = at(i);
        if (c == '\n' || c == '\r') {
            pieces.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < n && at(i + 1) == '\n') ++i;
            continue;
        }
        line += c;
        open = true;
    }
    if (open) pieces.push_back(line);
    return pieces;
}

std::string JoinList(const std::vector<std::string>& pieces, char d) {
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i) out += d;
        out += pieces[i];
    }
    return out;
}

std::string TrimControl(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

}  // namespace vornlfrf::config
