#pragma once
// The result log of a run: every row goes to the full XML log (files "<base>_Full#000001.xml",
// ... rotated at the row limit) and the full list; an accepted row with an ID also goes to the
// per-ID table (100 entries) and that ID's own XML files. In remote-control mode rows go to the
// full log and to the received-frame lists the shared-memory client reads, nothing else.
//
// Files are opened and closed for every row, so each one is complete at every moment. A file
// that cannot be written simply misses the row; the run goes on.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/host.h"
#include "run/result_log_row.h"
#include "run/result_log_xml.h"

namespace vornlfrf::run {

constexpr int kPluginChannel = 4;
constexpr std::size_t kMaxIdEntries = 100;
constexpr int kDefaultRowLimit = 32000;

// What the graphic frame of an ID shows of its latest frame: the primary value and up to three
// secondary values. The flags and the count are cleared before each evaluation.
struct TFrameGraphic {
    std::string primaryValue;
    std::array<std::string, 4> names;   // primary, then secondaries
    std::array<std::string, 4> values;  // with their units, same order
    std::uint8_t primaryPresent = 0;
    std::array<std::uint8_t, 3> secondaryPresent{};
    std::int32_t secondaryCount = 0;

    void clearFlags() {
        primaryPresent = 0;
        secondaryPresent = {};
        secondaryCount = 0;
    }
};

// One row handed to AppendResultRow. The texts are views: they need to live only for the call.
struct ResultRow {
    std::string_view rowText;
    // Attribute layout of rowText when the row was built with a RowWriter; otherwise the files
    // parse the text.
    const std::vector<RowSpan>* spans = nullptr;
    std::string_view lastId;                 // ID the row is filed under; empty for none
    std::string_view dataText;               // display text of the ID's bar-graph line
    std::string_view frameHex;               // for the remote-control client
    const TFrameGraphic* graphic = nullptr;  // RF frames only
};

// A row of the full list or of an ID's list, with its channel (0..3, 4 for plugin rows).
struct ListRow {
    std::string text;
    int channel = 0;
};

struct IdEntry {
    std::string id;
    int framesReceived = 0;
    std::string displayText;
    std::deque<ListRow> rows;
    int rowCounter = 0;  // rows in the current per-ID file
    int fileNumber = 0;  // current per-ID file
};

// Rows and hexadecimal texts waiting for the remote-control client. Bounded: when the client
// does not read, the oldest rows make room for new ones.
class ReceivedFrames {
  public:
    static constexpr std::size_t kDefaultCapacity = 10000;

    void push(std::string_view row, std::string_view hex);
    // Oldest row and its hexadecimal text; false when empty.
    bool pop(std::string& row, std::string& hex);
    void clear();
    std::size_t size() const { return rows_.size(); }
    const std::deque<std::string>& rows() const { return rows_; }
    const std::deque<std::string>& hex() const { return hex_; }
    // Rows dropped because the client fell behind.
    std::uint64_t dropped() const { return dropped_; }
    void setCapacity(std::size_t n) { capacity_ = n == 0 ? 1 : n; }

  private:
    std::deque<std::string> rows_;  // receivedRows
    std::deque<std::string> hex_;   // receivedHex
    std::size_t capacity_ = kDefaultCapacity;
    std::uint64_t dropped_ = 0;
};

// Run settings the log reads; copied at run start.
struct ResultLogSettings {
    std::string sResultsBase;  // results folder + '/' + configuration name without ".cfg"
    bool bNoFiles = false;
    bool remoteMode = false;           // program started with "+IPC"
    int iRunMode = 0;                  // 4 EMC, 5 TSTLF
    std::size_t fullListLength = 100;  // cboNFull
    std::size_t idListLength = 100;    // cboNDatas
    // The run configuration's "Max XML lines" text, read again at every row; null: rowLimit.
    const std::string* rowLimitText = nullptr;
    int rowLimit = kDefaultRowLimit;
};

// Everything a row is handed over to besides the files. Unset hooks are skipped.
struct ResultLogHooks {
    // Every row that reaches the full log, in order.
    std::function<void(int channel, const ResultRow&, bool accepted)> rowLogged;
    std::function<void(int channel, const ResultRow&, bool accepted)> emcFrameCheck;
    std::function<void(int channel, const ResultRow&, bool accepted)> tstlfFrameCheck;
    std::function<void(int channel)> channelActivity;  // LED counter := 100
    std::function<void()> fullListChanged;             // redraw lstFull, show its count
    std::function<bool()> supervisionActive;
    std::function<void(const ResultRow&)> supervisionFrame;
    // An entry of the per-ID table took this row (newEntry: appended or replaced): bar graph,
    // ID list and the graphic frame of entries 0..7.
    std::function<void(std::size_t entry, const ResultRow&, bool newEntry)> idEntryUpdated;
    // Data logger and pressure controller "graphical" options (chkDtlgGraphical,
    // chkDruckGraphical): their rows enter the per-ID table only when ticked.
    std::function<bool()> dtlgGraphical;
    std::function<bool()> druckGraphical;
};

class ResultLog {
  public:
    // clock gives the wall time of row heads; sampleCounter the acquisition's sample count.
    ResultLog(const Host& clock, std::function<std::int64_t()> sampleCounter);

    ResultLogHooks hooks;
    // Script IDSTART: set when a row of this ID is logged.
    std::string sIdStart;
    bool bIdReceived = false;

    // Run start: clears the lists and the per-ID table; the first row opens full log file 1.
    void start(const ResultLogSettings& settings);
    const ResultLogSettings& settings() const { return settings_; }
    void setListLengths(std::size_t fullList, std::size_t idList);

    // channel 0..3 for receiver rows, 4 for everything else.
    void AppendResultRow(int channel, const ResultRow& r, bool accepted);

    // The head of a row without a description (_PTime equals _RTime).
    void BuildRowPrefix(RowWriter& row) const;
    // A row of the plugin channel (built with BuildRowPrefix and the caller's attributes),
    // filed under id.
    void appendPluginRow(const RowText& row, std::string_view id = {},
                         std::string_view dataText = {}, bool accepted = true);
    // The LSE row of every 100000 samples; kind 'O' optical, 'M' magnetic.
    void logLseRow(char kind, double avgSpeed);

    // Full list (lstFull); callers outside the log may add rows too (the test row of 6.1).
    void addToFullList(std::string_view text, int channel);
    const std::deque<ListRow>& fullList() const { return fullList_; }
    const std::vector<IdEntry>& idEntries() const { return entries_; }
    ReceivedFrames& received() { return received_; }
    const ReceivedFrames& received() const { return received_; }

    int fullRowCounter() const { return fullRowCounter_; }
    int fullFileNumber() const { return fullFileNumber_; }
    // Row limit in force for the next row.
    int rowLimit();

  private:
    void fullLogRow(const ResultRow& r, std::string& line);
    // Writes the row into a file series (the full log or one ID's files). A new file is begun
    // when newFile is set or the current one is full; a file that already exists then is
    // continued while it has room, and one that is full or is no result file is passed over.
    template <typename PathOf>
    void writeSeries(int& counter, int& fileNumber, bool newFile, int limit, const PathOf& pathOf,
                     const std::string& line);
    const std::string& fileLine(const ResultRow& r, std::string& line);
    static bool isInstrumentRow(std::string_view rowText, bool& druck);

    const Host& clock_;
    std::function<std::int64_t()> sampleCounter_;
    ResultLogSettings settings_;
    int lastRowLimit_ = kDefaultRowLimit;
    int fullRowCounter_ = kDefaultRowLimit;
    int fullFileNumber_ = 0;
    std::deque<ListRow> fullList_;
    std::vector<IdEntry> entries_;
    ReceivedFrames received_;
    XmlRowRenderer renderer_;
};

}  // namespace vornlfrf::run
