#include "run/result_log.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace vornlfrf::run {

namespace {

// How many existing files a series may pass over before the row is given up.
constexpr int kMaxFilesPassed = 1000;

bool parseRowLimit(const std::string& text, int& out) {
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    int v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || v < 1) return false;
    out = v;
    return true;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

}  // namespace

void ReceivedFrames::push(std::string_view row, std::string_view hex) {
    while (rows_.size() >= capacity_) {
        rows_.pop_front();
        hex_.pop_front();
        ++dropped_;
    }
    rows_.emplace_back(row);
    hex_.emplace_back(hex);
}

bool ReceivedFrames::pop(std::string& row, std::string& hex) {
    if (rows_.empty()) return false;
    row = std::move(rows_.front());
    hex = std::move(hex_.front());
    rows_.pop_front();
    hex_.pop_front();
    return true;
}

void ReceivedFrames::clear() {
    rows_.clear();
    hex_.clear();
}

ResultLog::ResultLog(const Host& clock, std::function<std::int64_t()> sampleCounter)
    : clock_(clock), sampleCounter_(std::move(sampleCounter)) {}

void ResultLog::start(const ResultLogSettings& settings) {
    settings_ = settings;
    lastRowLimit_ = settings.rowLimit >= 1 ? settings.rowLimit : kDefaultRowLimit;
    if (settings_.rowLimitText) parseRowLimit(*settings_.rowLimitText, lastRowLimit_);
    fullRowCounter_ = lastRowLimit_;
    fullFileNumber_ = 0;
    fullList_.clear();
    entries_.clear();
    if (hooks.fullListChanged) hooks.fullListChanged();
}

void ResultLog::setListLengths(std::size_t fullList, std::size_t idList) {
    settings_.fullListLength = fullList;
    settings_.idListLength = idList;
}

int ResultLog::rowLimit() {
    // A limit edited into something that is no positive integer keeps the last good one.
    if (settings_.rowLimitText) parseRowLimit(*settings_.rowLimitText, lastRowLimit_);
    return lastRowLimit_;
}

void ResultLog::BuildRowPrefix(RowWriter& row) const {
    run::BuildRowPrefix(row, sampleCounter_ ? sampleCounter_() : 0, clock_.wallClockMs());
}

const std::string& ResultLog::fileLine(const ResultRow& r, std::string& line) {
    // Hooks may log rows of their own in between, so the line is kept per call.
    if (line.empty()) line = renderer_.rowLine(r.rowText, r.spans);
    return line;
}

template <typename PathOf>
void ResultLog::writeSeries(int& counter, int& fileNumber, bool newFile, int limit,
                            const PathOf& pathOf, const std::string& line) {
    if (!newFile && counter < limit) {
        ++counter;
        InsertResultRow(pathOf(fileNumber), line);
        return;
    }
    int n = fileNumber + 1;
    for (int passed = 0; passed < kMaxFilesPassed && fileExists(pathOf(n + 1)); ++passed) ++n;
    for (int passed = 0; passed < kMaxFilesPassed; ++passed, ++n) {
        const std::string path = pathOf(n);
        int rows = 0;
        const ResultFileState state = ProbeResultFile(path, &rows);
        if (state == ResultFileState::Missing) {
            fileNumber = n;
            counter = 1;
            CreateResultFile(path, line);
            return;
        }
        if (state == ResultFileState::Continuable && rows < limit) {
            fileNumber = n;
            counter = rows + 1;
            InsertResultRow(path, line);
            return;
        }
    }
}

void ResultLog::fullLogRow(const ResultRow& r, std::string& line) {
    if (settings_.bNoFiles) return;
    const std::string& base = settings_.sResultsBase;
    writeSeries(
        fullRowCounter_, fullFileNumber_, false, rowLimit(),
        [&base](int n) { return FullLogPath(base, n); }, fileLine(r, line));
}

void ResultLog::addToFullList(std::string_view text, int channel) {
    fullList_.push_back({std::string(text), channel});
    while (fullList_.size() > std::max<std::size_t>(settings_.fullListLength, 1))
        fullList_.pop_front();
    if (hooks.fullListChanged) hooks.fullListChanged();
}

bool ResultLog::isInstrumentRow(std::string_view text, bool& druck) {
    constexpr std::string_view key = "Desc=\"";
    for (std::size_t p = text.find(key); p != std::string_view::npos; p = text.find(key, p + 1)) {
        if (p > 0 && text[p - 1] != ' ') continue;
        const std::string_view value = text.substr(p + key.size());
        if (value.substr(0, 4) == "Dtlg") {
            druck = false;
            return true;
        }
        if (value.substr(0, 5) == "Druck") {
            druck = true;
            return true;
        }
    }
    return false;
}

void ResultLog::AppendResultRow(int channel, const ResultRow& r, bool accepted) {
    std::string line;
    if (channel < 0 || channel > kPluginChannel) channel = kPluginChannel;
    // An empty ID never answers IDSTART: plugin rows have none.
    const bool idStartSeen = !r.lastId.empty() && r.lastId == sIdStart;

    if (settings_.remoteMode) {
        fullLogRow(r, line);
        received_.push(r.rowText, r.frameHex);
        if (idStartSeen) bIdReceived = true;
        return;
    }

    if (channel < kPluginChannel) {
        if (settings_.iRunMode == 4 && hooks.emcFrameCheck)
            hooks.emcFrameCheck(channel, r, accepted);
        if (settings_.iRunMode == 5 && hooks.tstlfFrameCheck)
            hooks.tstlfFrameCheck(channel, r, accepted);
    }
    fullLogRow(r, line);
    if (hooks.rowLogged) hooks.rowLogged(channel, r, accepted);
    if (channel < kPluginChannel && hooks.channelActivity) hooks.channelActivity(channel);
    addToFullList(r.rowText, channel);
    if (hooks.supervisionActive && hooks.supervisionFrame && hooks.supervisionActive())
        hooks.supervisionFrame(r);

    if (!accepted) return;
    if (channel == kPluginChannel) {
        bool druck = false;
        if (isInstrumentRow(r.rowText, druck)) {
            const auto& graphical = druck ? hooks.druckGraphical : hooks.dtlgGraphical;
            if (!graphical || !graphical()) return;
        }
    }
    if (idStartSeen) bIdReceived = true;

    const int limit = rowLimit();
    const std::size_t idListLength = std::max<std::size_t>(settings_.idListLength, 1);
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&r](const IdEntry& e) { return e.id == r.lastId; });
    std::size_t index;
    bool newEntry;
    if (found != entries_.end()) {
        IdEntry& e = *found;
        index = static_cast<std::size_t>(found - entries_.begin());
        newEntry = false;
        ++e.framesReceived;
        e.displayText.assign(r.dataText);
        e.rows.push_back({std::string(r.rowText), channel});
        while (e.rows.size() > idListLength) e.rows.pop_front();
    } else {
        if (r.lastId.empty()) return;
        if (entries_.size() >= kMaxIdEntries) {
            // The entry with the fewest frames (the first on a tie) gives way.
            auto fewest = std::min_element(entries_.begin(), entries_.end(),
                                           [](const IdEntry& a, const IdEntry& b) {
                                               return a.framesReceived < b.framesReceived;
                                           });
            index = static_cast<std::size_t>(fewest - entries_.begin());
        } else {
            index = entries_.size();
            entries_.emplace_back();
        }
        IdEntry& e = entries_[index];
        newEntry = true;
        e.id.assign(r.lastId);
        e.rows.clear();
        e.rows.push_back({std::string(r.rowText), channel});
        e.framesReceived = 1;
        e.displayText.assign(r.dataText);
        e.rowCounter = 0;
        e.fileNumber = 0;
    }
    IdEntry& e = entries_[index];
    if (!settings_.bNoFiles) {
        const std::string& base = settings_.sResultsBase;
        const std::string& id = e.id;
        writeSeries(
            e.rowCounter, e.fileNumber, newEntry, limit,
            [&base, &id](int n) { return IdLogPath(base, id, n); }, fileLine(r, line));
    }
    if (hooks.idEntryUpdated) hooks.idEntryUpdated(index, r, newEntry);
}

void ResultLog::appendPluginRow(const RowText& row, std::string_view id, std::string_view dataText,
                                bool accepted) {
    ResultRow r;
    r.rowText = row.text;
    r.spans = &row.spans;
    r.lastId = id;
    r.dataText = dataText;
    AppendResultRow(kPluginChannel, r, accepted);
}

void ResultLog::logLseRow(char kind, double avgSpeed) {
    RowText row;
    RowWriter w = row.writer();
    BuildRowPrefix(w);
    std::string speed;
    appendFixed(speed, avgSpeed, 1);
    w.attr("Channel", "LSE");
    w.attr("Desc", kind == 'M' ? "Magnetic" : "Optical");
    w.attr("RotSpeed", speed);
    w.lastAttr("RotSpeedU", "rpm");
    const std::string display = "RotSpeed=\"" + speed + "rpm\"";
    appendPluginRow(row, "LSE", display);
}

}  // namespace vornlfrf::run
