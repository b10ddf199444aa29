#include "run/result_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "common/sim_host.h"

namespace vornlfrf::run {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kOct2013 = 1380754318000;  // 10/2/2013 10:51:58 PM local

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<ROWDATA>\r\n";
const std::string kTail = "</ROWDATA>\r\n";

// ---- A strict reader of the result file format, enough to prove it well formed ----

bool nameStart(unsigned char c) {
    return std::isalpha(c) || c == '_' || c == ':' || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}
bool nameChar(unsigned char c) {
    return nameStart(c) || std::isdigit(c) || c == '.' || c == '-' || c == 0xB7;
}
bool xmlChar(long cp) {
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

using Attrs = std::vector<std::pair<std::string, std::string>>;

// Parses one row line; values come back unescaped to Windows-1252 bytes (control pictures and
// references to undefined bytes turned back into their byte). Empty error means well formed.
Attrs parseRowLine(const std::string& line, std::string& error) {
    Attrs attrs;
    std::set<std::string> seen;
    if (line.rfind("<ROW", 0) != 0) {
        error = "no <ROW";
        return attrs;
    }
    std::size_t p = 4;
    for (;;) {
        const std::size_t ws = p;
        while (p < line.size() && line[p] == ' ') ++p;
        if (line.compare(p, std::string::npos, "/>") == 0) return attrs;
        if (p == ws) return error = "no space before attribute at " + std::to_string(p), attrs;
        const std::size_t n0 = p;
        if (p >= line.size() || !nameStart(static_cast<unsigned char>(line[p])))
            return error = "bad name start at " + std::to_string(p), attrs;
        while (p < line.size() && nameChar(static_cast<unsigned char>(line[p]))) ++p;
        std::string name = line.substr(n0, p - n0);
        if (!seen.insert(name).second) return error = "duplicate attribute " + name, attrs;
        if (line.compare(p, 2, "=\"") != 0) return error = "no =\" after " + name, attrs;
        p += 2;
        std::string value;
        for (;;) {
            if (p >= line.size()) return error = "unterminated value of " + name, attrs;
            const unsigned char c = static_cast<unsigned char>(line[p]);
            if (c == '"') break;
            if (c == '<') return error = "raw < in " + name, attrs;
            if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 ||
                c == 0x9D)
                return error = "raw control or undefined byte in " + name, attrs;
            if (c != '&') {
                value += static_cast<char>(c);
                ++p;
                continue;
            }
            const std::size_t semi = line.find(';', p);
            if (semi == std::string::npos) return error = "unterminated reference", attrs;
            const std::string ref = line.substr(p + 1, semi - p - 1);
            p = semi + 1;
            if (ref == "amp")
                value += '&';
            else if (ref == "lt")
                value += '<';
            else if (ref == "gt")
                value += '>';
            else if (ref == "quot")
                value += '"';
            else if (ref == "apos")
                value += '\'';
            else if (ref.size() > 1 && ref[0] == '#') {
                const bool hex = ref[1] == 'x';
                const std::string digits = ref.substr(hex ? 2 : 1);
                if (digits.empty() ||
                    digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                        std::string::npos)
                    return error = "bad character reference &" + ref + ";", attrs;
                const long cp = std::stol(digits, nullptr, hex ? 16 : 10);
                if (!xmlChar(cp)) return error = "reference to a non-character", attrs;
                if (cp >= 0x2400 && cp < 0x2420)
                    value += static_cast<char>(cp - 0x2400);
                else if (cp == 0x2421)
                    value += '\x7F';
                else if (cp < 0x100)
                    value += static_cast<char>(cp);
                else
                    return error = "unexpected reference", attrs;
            } else {
                return error = "unknown entity &" + ref + ";", attrs;
            }
        }
        ++p;
        attrs.emplace_back(name, value);
        if (p < line.size() && line[p] != ' ' && line.compare(p, 2, "/>") != 0)
            return error = "no space after value of " + name, attrs;
    }
}

// Splits a whole result file into its row lines, checking the frame around them.
std::vector<std::string> rowLines(const std::string& file, std::string& error) {
    std::vector<std::string> rows;
    if (file.rfind(kHead, 0) != 0) {
        error = "bad head";
        return rows;
    }
    if (file.size() < kHead.size() + kTail.size() ||
        file.compare(file.size() - kTail.size(), kTail.size(), kTail) != 0) {
        error = "bad tail";
        return rows;
    }
    const std::string body = file.substr(kHead.size(), file.size() - kHead.size() - kTail.size());
    std::size_t p = 0;
    while (p < body.size()) {
        const std::size_t e = body.find("\r\n", p);
        if (e == std::string::npos) {
            error = "line without CR LF";
            return rows;
        }
        rows.push_back(body.substr(p, e - p));
        p = e + 2;
    }
    for (const std::string& r : rows) {
        std::string why;
        parseRowLine(r, why);
        if (!why.empty()) error = why + " in: " + r;
    }
    return rows;
}

// ---- Row texts ----

TEST(ResultRowText, MillisecondsAndDateTime) {
    const struct {
        std::int64_t us;
        const char* text;
    } ms[] = {{0, "0.000"},    {50, "0.050"},          {999, "0.999"},
              {1000, "1.000"}, {1803712, "1803.712"},  {1803710, "1803.710"},
              {-50, "-0.050"}, {-1234567, "-1234.567"}};
    for (const auto& c : ms) EXPECT_EQ(formatMilliseconds(c.us), c.text) << c.us;

    const struct {
        std::int64_t ms;
        const char* text;
    } dt[] = {
        {kOct2013, "10/2/2013 10:51:58 PM"},       {kOct2013 + 999, "10/2/2013 10:51:58 PM"},
        {951782405000, "2/29/2000 12:00:05 AM"},    // midnight is 12 AM
        {1735649999000, "12/31/2024 12:59:59 PM"},  // noon hour is 12 PM
        {-1000, "12/31/1969 11:59:59 PM"},
    };
    for (const auto& c : dt) EXPECT_EQ(formatRowDateTime(c.ms), c.text) << c.ms;
}

TEST(ResultRowText, HeadWithAndWithoutDescription) {
    RowText row;
    RowWriter w = row.writer();
    BuildRowPrefix(w, 180371, kOct2013);
    EXPECT_EQ(row.text,
              "_RTime=\"1803.710\" _ATime=\"10/2/2013 10:51:58 PM\" _PTime=\"1803.710\" ");

    // The preamble of 16 chips of 52 us ended at sample 5: _PTime 50 - 832 us.
    const PrefixTiming timing{180371, 52, 16};
    w.clear();
    BuildRowPrefix(w, 180400, kOct2013, &timing);
    EXPECT_EQ(row.text,
              "_RTime=\"1804.000\" _ATime=\"10/2/2013 10:51:58 PM\" _PTime=\"1802.878\" ");
    const PrefixTiming early{5, 52, 16};
    w.clear();
    BuildRowPrefix(w, 5, kOct2013, &early);
    EXPECT_EQ(row.text, "_RTime=\"0.050\" _ATime=\"10/2/2013 10:51:58 PM\" _PTime=\"-0.782\" ");
    ASSERT_EQ(row.spans.size(), 3u);
    EXPECT_EQ(row.text.substr(row.spans[2].value, row.spans[2].end - row.spans[2].value), "-0.782");
}

TEST(ResultRowText, WriterSpansAndTruncate) {
    RowText row;
    RowWriter w = row.writer();
    w.attr("Desc", "ContentFrame");
    w.text(" <12> ");
    w.attr("Hex", "A0");
    const std::size_t hexEnd = w.size();
    w.attr("P", "U", "bar");
    w.lastAttr("ID", "x\" y");
    EXPECT_EQ(row.text, "Desc=\"ContentFrame\"  <12> Hex=\"A0\" PU=\"bar\" ID=\"x\" y\"");
    ASSERT_EQ(row.spans.size(), 5u);
    EXPECT_TRUE(row.spans[1].isText);
    w.truncate(hexEnd);
    EXPECT_EQ(row.text, "Desc=\"ContentFrame\"  <12> Hex=\"A0\" ");
    EXPECT_EQ(row.spans.size(), 3u);
}

// ---- The log ----

class ResultLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vornlfrf_rl_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        host.setWallClockOrigin(kOct2013);
        settings.sResultsBase = (dir / "bench").string();
        settings.rowLimitText = &rowLimitText;
        log.hooks.fullListChanged = [this] { ++fullListChanges; };
        log.hooks.idEntryUpdated = [this](std::size_t i, const ResultRow& r, bool isNew) {
            updates.push_back(std::to_string(i) + (isNew ? "+" : "=") + std::string(r.lastId));
        };
        log.start(settings);
    }
    void TearDown() override { fs::remove_all(dir); }

    // A frame row of channel 2 with the given ID and one more attribute.
    RowText frameRow(const std::string& id, const std::string& value = "1") {
        RowText row;
        RowWriter w = row.writer();
        log.BuildRowPrefix(w);
        w.attr("Channel", "2-RF 433.92MHz");
        w.attr("Desc", "TPMS");
        w.attr("Hex", "A01");
        w.attr("ID", id);
        w.attr("P", value);
        return row;
    }
    void append(int channel, const RowText& row, const std::string& id, bool accepted = true) {
        ResultRow r;
        r.rowText = row.text;
        r.spans = &row.spans;
        r.lastId = id;
        r.dataText = "P=\"1\" ";
        r.frameHex = "A01";
        log.AppendResultRow(channel, r, accepted);
    }
    std::string full(int n) { return readFile(FullLogPath(settings.sResultsBase, n)); }
    std::string perId(const std::string& id, int n) {
        return readFile(IdLogPath(settings.sResultsBase, id, n));
    }
    bool exists(const std::string& p) { return fs::exists(p); }

    SimHost host;
    std::int64_t samples = 5;
    ResultLog log{host, [this] { return samples; }};
    std::string rowLimitText = "1000";
    ResultLogSettings settings;
    fs::path dir;
    int fullListChanges = 0;
    std::vector<std::string> updates;
};

TEST_F(ResultLogTest, FirstRowCreatesFullFileOneAndPerIdFile) {
    const RowText row = frameRow("A01");
    append(2, row, "A01");
    const std::string line =
        "<ROW  _RTime=\"0.050\" _ATime=\"10/2/2013 10:51:58 PM\" _PTime=\"0.050\" "
        "Channel=\"2-RF 433.92MHz\" Desc=\"TPMS\" Hex=\"A01\" ID=\"A01\" P=\"1\"  />\r\n";
    EXPECT_EQ(full(1), kHead + line + kTail);
    EXPECT_EQ(readFile(dir / "bench_A01#000001.xml"), kHead + line + kTail);
    ASSERT_EQ(log.fullList().size(), 1u);
    EXPECT_EQ(log.fullList()[0].text, row.text);
    EXPECT_EQ(log.fullList()[0].channel, 2);
    ASSERT_EQ(log.idEntries().size(), 1u);
    EXPECT_EQ(log.idEntries()[0].displayText, "P=\"1\" ");
    EXPECT_EQ(updates, std::vector<std::string>{"0+A01"});
}

TEST_F(ResultLogTest, FullLogRotatesAtRowLimitAndPerIdFilesToo) {
    for (int i = 1; i <= 1001; ++i) {
        samples = i;
        append(1, frameRow("A01", std::to_string(i)), "A01");
    }
    for (const std::string& f : {full(1), perId("A01", 1)}) {
        std::string error;
        const auto rows = rowLines(f, error);
        EXPECT_EQ(error, "");
        ASSERT_EQ(rows.size(), 1000u);
        EXPECT_NE(rows.back().find("P=\"1000\""), std::string::npos);
    }
    for (const std::string& f : {full(2), perId("A01", 2)}) {
        std::string error;
        const auto rows = rowLines(f, error);
        EXPECT_EQ(error, "");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_NE(rows[0].find("P=\"1001\""), std::string::npos);
    }
    EXPECT_EQ(log.fullFileNumber(), 2);
    EXPECT_EQ(log.fullRowCounter(), 1);
    EXPECT_EQ(log.idEntries()[0].framesReceived, 1001);
    EXPECT_EQ(log.idEntries()[0].rows.size(), 100u);  // list length of the settings
    EXPECT_FALSE(exists(FullLogPath(settings.sResultsBase, 3)));
}

TEST_F(ResultLogTest, RowLimitIsReadAtEveryRowAndABadTextKeepsTheLastOne) {
    append(1, frameRow("A"), "");
    rowLimitText = "2";
    append(1, frameRow("A"), "");
    append(1, frameRow("A"), "");  // third row: above 2
    rowLimitText = "12x";
    append(1, frameRow("A"), "");
    append(1, frameRow("A"), "");  // still 2
    std::string error;
    EXPECT_EQ(rowLines(full(1), error).size(), 2u);
    EXPECT_EQ(rowLines(full(2), error).size(), 2u);
    EXPECT_EQ(rowLines(full(3), error).size(), 1u);
    EXPECT_EQ(error, "");
}

TEST_F(ResultLogTest, RowsNotAcceptedOrWithoutIdGoToTheFullLogOnly) {
    append(0, frameRow("A01"), "A01", false);
    append(3, frameRow(""), "");
    std::string error;
    EXPECT_EQ(rowLines(full(1), error).size(), 2u);
    EXPECT_EQ(log.fullList().size(), 2u);
    EXPECT_TRUE(log.idEntries().empty());
    EXPECT_FALSE(exists(IdLogPath(settings.sResultsBase, "A01", 1)));
}

TEST_F(ResultLogTest, InstrumentRowsEnterThePerIdTableOnlyWhenGraphical) {
    bool dtlg = false, druck = true;
    log.hooks.dtlgGraphical = [&] { return dtlg; };
    log.hooks.druckGraphical = [&] { return druck; };
    auto plugin = [&](const char* desc) {
        RowText row;
        RowWriter w = row.writer();
        log.BuildRowPrefix(w);
        w.attr("Channel", "Plugin");
        w.attr("Desc", desc);
        log.appendPluginRow(row, desc);
    };
    plugin("DtlgTemp");
    plugin("DruckP");
    dtlg = true;
    plugin("DtlgTemp");
    plugin("EMC");  // other plugin rows always
    std::vector<std::string> ids;
    for (const IdEntry& e : log.idEntries()) ids.push_back(e.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"DruckP", "DtlgTemp", "EMC"}));
    std::string error;
    EXPECT_EQ(rowLines(full(1), error).size(), 4u);
    EXPECT_EQ(log.fullList().back().channel, kPluginChannel);
}

TEST_F(ResultLogTest, HundredAndFirstIdReplacesTheEntryWithFewestFrames) {
    for (int i = 0; i < 100; ++i) {
        const std::string id = "ID" + std::to_string(i);
        append(1, frameRow(id), id);
        if (i != 7 && i != 9) append(1, frameRow(id), id);  // 7 and 9 tie with one frame
    }
    append(1, frameRow("NEW"), "NEW");
    ASSERT_EQ(log.idEntries().size(), 100u);
    EXPECT_EQ(log.idEntries()[7].id, "NEW");
    EXPECT_EQ(log.idEntries()[7].framesReceived, 1);
    EXPECT_EQ(log.idEntries()[7].rows.size(), 1u);
    EXPECT_EQ(log.idEntries()[9].id, "ID9");
    EXPECT_EQ(updates.back(), "7+NEW");

    // ID7 comes back: it takes the entry with fewest frames (now ID9) and continues its file.
    append(1, frameRow("NEW"), "NEW");
    append(2, frameRow("ID7", "late"), "ID7");
    EXPECT_EQ(log.idEntries()[9].id, "ID7");
    EXPECT_EQ(log.idEntries()[9].fileNumber, 1);
    EXPECT_EQ(log.idEntries()[9].rowCounter, 2);
    std::string error;
    const auto rows = rowLines(perId("ID7", 1), error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[1].find("P=\"late\""), std::string::npos);
    EXPECT_FALSE(exists(IdLogPath(settings.sResultsBase, "ID7", 2)));
}

TEST_F(ResultLogTest, ExistingFilesAreContinuedAndForeignOnesPassedOver) {
    // A run restarted into the same folder: the full log goes on in its last file.
    const std::string row1 = "<ROW  a=\"1\"  />\r\n";
    writeFile(FullLogPath(settings.sResultsBase, 1), kHead + row1 + row1 + kTail);
    writeFile(FullLogPath(settings.sResultsBase, 2), kHead + row1 + kTail);
    // A per-ID file that is not a result file is never written to.
    const std::string foreign = "<?xml version=\"1.0\"?>\r\n<other/>\r\n";
    writeFile(IdLogPath(settings.sResultsBase, "B", 1), foreign);
    rowLimitText = "2";
    log.start(settings);
    append(1, frameRow("B"), "B");
    append(1, frameRow("B"), "B");
    std::string error;
    EXPECT_EQ(rowLines(full(2), error).size(), 2u);
    EXPECT_EQ(rowLines(full(3), error).size(), 1u);
    EXPECT_EQ(error, "");
    EXPECT_EQ(perId("B", 1), foreign);
    EXPECT_EQ(rowLines(perId("B", 2), error).size(), 2u);
    EXPECT_EQ(error, "");
}

TEST_F(ResultLogTest, InsertLeavesAFileWithoutClosingLineUntouched) {
    const std::string path = FullLogPath(settings.sResultsBase, 1);
    const std::string cut = kHead + "<ROW  a=\"1\"  />\r\n</ROWD";
    writeFile(path, cut);
    EXPECT_FALSE(InsertResultRow(path, "<ROW  b=\"2\"  />"));
    EXPECT_EQ(readFile(path), cut);
    EXPECT_EQ(ProbeResultFile(path), ResultFileState::Unusable);
    EXPECT_FALSE(CreateResultFile(path));
    EXPECT_EQ(ProbeResultFile((dir / "none.xml").string()), ResultFileState::Missing);
}

TEST_F(ResultLogTest, HostileValuesNamesAndIdsStayWellFormed) {
    const std::string hostile = std::string("a\"b <c> & d' \t\r\n\x01\x1F\x7F\x81\x9D\xE9") +
                                std::string(1, '\0') + "\" x=\"y";
    const std::vector<std::string> ids = {"../../etc/passwd",
                                          "..",
                                          "a/b",
                                          "a%2Fb",
                                          "C:\\x?*",
                                          std::string("\x01\x7F\xFF", 3),
                                          std::string(300, 'Z'),
                                          std::string(300, 'Z') + "1",
                                          "~",
                                          hostile};
    for (const std::string& id : ids) {
        RowText row;
        RowWriter w = row.writer();
        log.BuildRowPrefix(w);
        w.attr("Desc", "ContentFrame");
        w.text(" <42> ");
        w.attr("Hex", hostile);
        w.attr("ID", id);
        w.attr("ID", "again");    // a field named like another one
        w.attr("9 <x>", "name");  // a field name XML cannot take
        w.attr("", "empty name");
        append(1, row, id);
    }
    ASSERT_EQ(log.idEntries().size(), ids.size());

    // Every file stays inside the folder, one per ID, and holds the one row well formed.
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
    EXPECT_EQ(names.size(), ids.size() + 1);
    for (const std::string& id : ids) {
        const std::string path = IdLogPath(settings.sResultsBase, id, 1);
        EXPECT_EQ(fs::path(path).parent_path(), dir) << path;
        EXPECT_LE(fs::path(path).filename().string().size(), 255u);
        std::string error;
        const auto rows = rowLines(readFile(path), error);
        EXPECT_EQ(error, "") << path;
        ASSERT_EQ(rows.size(), 1u);
        const Attrs attrs = parseRowLine(rows[0], error);
        ASSERT_EQ(attrs.size(), 10u) << rows[0];
        EXPECT_EQ(attrs[4], (std::pair<std::string, std::string>{"Interval", "42"}));
        EXPECT_EQ(attrs[5], (std::pair<std::string, std::string>{"Hex", hostile}));
        EXPECT_EQ(attrs[6], (std::pair<std::string, std::string>{"ID", id}));
        EXPECT_EQ(attrs[7], (std::pair<std::string, std::string>{"ID_2", "again"}));
        EXPECT_EQ(attrs[8].first, "_9__x_");
        EXPECT_EQ(attrs[9].first, "_");
    }
    std::string error;
    EXPECT_EQ(rowLines(full(1), error).size(), ids.size());
    EXPECT_EQ(error, "");
    // The list keeps the row as built.
    EXPECT_NE(log.fullList().back().text.find("Hex=\"" + hostile + "\""), std::string::npos);
}

TEST(ResultXml, EscapesAndNamesExactly) {
    const struct {
        std::string in, out;
    } values[] = {
        {"A01", "A01"},
        {"a&b<c>\"d'", "a&amp;b&lt;c&gt;&quot;d'"},
        {"\t\n\r", "&#9;&#10;&#13;"},
        {std::string("\x00\x01\x1F\x7F", 4), "&#x2400;&#x2401;&#x241F;&#x2421;"},
        {"\x81\x8D\x8F\x90\x9D", "&#x81;&#x8D;&#x8F;&#x90;&#x9D;"},
        {"\x80\xA0\xAC\x86\xE9\xFF", "\x80\xA0\xAC\x86\xE9\xFF"},  // defined bytes stay
    };
    for (const auto& c : values) {
        std::string s;
        appendEscapedValue(s, c.in);
        EXPECT_EQ(s, c.out);
    }
    const struct {
        std::string in, out;
    } names[] = {
        {"Pressure", "Pressure"}, {"T_1.a-b", "T_1.a-b"},     {"1st", "_1st"}, {"-x", "_-x"},
        {"a b:c", "a_b_c"},       {"\xE9t\xE9", "\xE9t\xE9"}, {"\xD7", "_"},   {"", "_"},
        {"<\"&>", "____"}};
    for (const auto& c : names) {
        std::string s;
        appendXmlName(s, c.in);
        EXPECT_EQ(s, c.out);
    }
}

TEST_F(ResultLogTest, RowsWithoutSpansAreParsed) {
    // Rows other code builds as plain text, one ending without a space.
    const std::string text = "_RTime=\"1.000\" Channel=\"Supervising\" Desc=\"Timeout\" ID=\"<&>\"";
    ResultRow r;
    r.rowText = text;
    r.lastId = "<&>";
    log.AppendResultRow(kPluginChannel, r, true);
    EXPECT_EQ(full(1), kHead +
                           "<ROW  _RTime=\"1.000\" Channel=\"Supervising\" Desc=\"Timeout\" "
                           "ID=\"&lt;&amp;&gt;\" />\r\n" +
                           kTail);
    std::vector<RowSpan> spans;
    ParseRowSpans("a=\"x\" y\" b=\"2\" <7> c=\"open", spans);
    // Without spans a quote followed by a space ends the value.
    ASSERT_EQ(spans.size(), 5u);
    EXPECT_FALSE(spans[0].isText);
    EXPECT_EQ(spans[0].end, 4u);
    EXPECT_TRUE(spans[1].isText);
    EXPECT_FALSE(spans[2].isText);
    EXPECT_TRUE(spans[3].isText);
    EXPECT_TRUE(spans[4].isText);  // unterminated
}

TEST_F(ResultLogTest, SafeIdNames) {
    const struct {
        std::string id;
        std::string name;
    } cases[] = {
        {"A45", "A45"},
        {"a/b", "a%2Fb"},
        {"a%2Fb", "a%252Fb"},
        {"..", ".."},
        {"../x", "..%2Fx"},
        {"C:\\d*?\"<>|", "C%3A%5Cd%2A%3F%22%3C%3E%7C"},
        {std::string("\x00\x1F\x7F\xE9~", 5), "%00%1F%7F%E9%7E"},
        {"", "~"},
    };
    for (const auto& c : cases) EXPECT_EQ(SafeIdForFileName(c.id), c.name) << c.id;
    const std::string a = SafeIdForFileName(std::string(200, '/'));
    const std::string b = SafeIdForFileName(std::string(199, '/') + "x");
    EXPECT_LE(a.size(), 100u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find("%2F%2F"), 0u);
    EXPECT_EQ(a[a.size() - 9], '~');
    EXPECT_EQ(a.substr(0, a.size() - 9).size() % 3, 0u);  // whole triples only
}

TEST_F(ResultLogTest, NoFilesKeepsListsAndTable) {
    settings.bNoFiles = true;
    log.start(settings);
    append(1, frameRow("A"), "A");
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_EQ(log.fullList().size(), 1u);
    EXPECT_EQ(log.idEntries().size(), 1u);
}

TEST_F(ResultLogTest, HandOverOrderAndLists) {
    std::vector<std::string> calls;
    settings.iRunMode = 4;
    settings.fullListLength = 10;
    settings.idListLength = 2;
    log.start(settings);
    log.hooks.emcFrameCheck = [&](int c, const ResultRow&, bool a) {
        calls.push_back("emc" + std::to_string(c) + (a ? "+" : "-"));
    };
    log.hooks.tstlfFrameCheck = [&](int, const ResultRow&, bool) { calls.push_back("tstlf"); };
    log.hooks.channelActivity = [&](int c) { calls.push_back("led" + std::to_string(c)); };
    bool supervising = false;
    log.hooks.supervisionActive = [&] { return supervising; };
    log.hooks.supervisionFrame = [&](const ResultRow& r) {
        calls.push_back("sup" + std::string(r.lastId));
    };
    log.sIdStart = "A";
    append(0, frameRow("B"), "B", false);
    EXPECT_FALSE(log.bIdReceived);
    supervising = true;
    append(3, frameRow("A"), "A");
    EXPECT_TRUE(log.bIdReceived);
    log.appendPluginRow(frameRow("A"), "A");  // plugin rows: no EMC check, no LED
    EXPECT_EQ(calls, (std::vector<std::string>{"emc0-", "led0", "emc3+", "led3", "supA", "supA"}));

    for (int i = 0; i < 11; ++i) append(1, frameRow("A", std::to_string(i)), "A");
    EXPECT_EQ(log.fullList().size(), 10u);
    EXPECT_EQ(log.fullList().front().text, frameRow("A", "1").text);
    ASSERT_EQ(log.idEntries()[0].rows.size(), 2u);
    EXPECT_EQ(log.idEntries()[0].rows.back().text, frameRow("A", "10").text);
    EXPECT_EQ(log.idEntries()[0].framesReceived, 13);
}

TEST_F(ResultLogTest, RemoteModeFeedsTheClientListsOnly) {
    settings.remoteMode = true;
    log.start(settings);
    log.received().setCapacity(3);
    log.sIdStart = "A";
    for (int i = 0; i < 5; ++i) append(1, frameRow("A", std::to_string(i)), "A");
    EXPECT_TRUE(log.bIdReceived);
    EXPECT_TRUE(log.fullList().empty());
    EXPECT_TRUE(log.idEntries().empty());
    EXPECT_FALSE(exists(IdLogPath(settings.sResultsBase, "A", 1)));
    std::string error;
    EXPECT_EQ(rowLines(full(1), error).size(), 5u);
    EXPECT_EQ(log.received().size(), 3u);
    EXPECT_EQ(log.received().dropped(), 2u);
    std::string row, hex;
    ASSERT_TRUE(log.received().pop(row, hex));
    EXPECT_EQ(row, frameRow("A", "2").text);
    EXPECT_EQ(hex, "A01");
}

TEST_F(ResultLogTest, LseRow) {
    samples = 100000;
    log.logLseRow('O', 1234.56);
    log.logLseRow('M', 7.0);
    ASSERT_EQ(log.fullList().size(), 2u);
    EXPECT_EQ(log.fullList()[0].text,
              "_RTime=\"1000.000\" _ATime=\"10/2/2013 10:51:58 PM\" _PTime=\"1000.000\" "
              "Channel=\"LSE\" Desc=\"Optical\" RotSpeed=\"1234.6\" RotSpeedU=\"rpm\"");
    EXPECT_EQ(log.fullList()[0].channel, kPluginChannel);
    EXPECT_NE(log.fullList()[1].text.find("Desc=\"Magnetic\" RotSpeed=\"7.0\""), std::string::npos);
    ASSERT_EQ(log.idEntries().size(), 1u);
    EXPECT_EQ(log.idEntries()[0].id, "LSE");
    EXPECT_EQ(log.idEntries()[0].displayText, "RotSpeed=\"7.0rpm\"");
    EXPECT_NE(full(1).find("RotSpeedU=\"rpm\" />\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vornlfrf::run
