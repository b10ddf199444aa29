#pragma once
// XML result files. Windows-1252 text, every line ending with CR LF:
//
//   <?xml version="1.0" encoding="windows-1252"?>
//   <ROWDATA>
//   <ROW  _RTime="0.050" ... Hex="A0150B3"  />      one line per row
//   </ROWDATA>
//
// A row is inserted by overwriting the last 12 bytes ("</ROWDATA>" CR LF) with the row line and
// the closing line again, so a file is complete after every row. The row text of a list becomes
// a well-formed start tag here: values are escaped, names that XML cannot take are mended, a
// repeated name gets a suffix, and text outside attributes becomes an attribute.

#include <string>
#include <string_view>
#include <vector>

#include "run/result_log_row.h"

namespace vornlfrf::run {

namespace xmlfile {
inline constexpr char kHeader[] = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>";
inline constexpr char kOpen[] = "<ROWDATA>";
inline constexpr char kClose[] = "</ROWDATA>";
inline constexpr char kEol[] = "\r\n";
inline constexpr std::size_t kCloseLineLength = 12;  // "</ROWDATA>" CR LF
inline constexpr char kRowStart[] = "<ROW  ";
inline constexpr char kRowEnd[] = " />";
// Name given to text outside attributes: the interval of "ContentFrame" rows (" <12> ") and
// anything else.
inline constexpr char kIntervalName[] = "Interval";
inline constexpr char kTextName[] = "_Text";
}  // namespace xmlfile

// Attribute layout of a row text whose spans are not known: name="value" pairs, a value ending
// at the first '"' that is followed by a space or ends the text; other words are text.
void ParseRowSpans(std::string_view rowText, std::vector<RowSpan>& spans);

// Renders row texts as the attribute part of a file line. Keeps its buffers between rows.
class XmlRowRenderer {
  public:
    // The row line without its line end: "<ROW  " + attributes + " />". spans may be null or
    // empty (then the text is parsed).
    const std::string& rowLine(std::string_view rowText, const std::vector<RowSpan>* spans);

  private:
    void appendAttribute(std::string_view name, std::string_view value);
    std::string line_;
    std::string name_;
    std::vector<RowSpan> parsed_;
    std::vector<std::string> names_;
    std::size_t used_ = 0;
};

// The value escaped for a double-quoted attribute: & < > " as entities, tab, LF and CR as
// character references, the other control bytes as their visible control pictures (U+2400 +
// byte, U+2421 for DEL), and the five bytes Windows-1252 leaves undefined as references to the
// code points of the same number.
void appendEscapedValue(std::string& out, std::string_view value);
// A name XML accepts: bytes that cannot be in a name become '_', and one that cannot start a
// name gets a '_' in front; an empty name becomes "_".
void appendXmlName(std::string& out, std::string_view name);

// The ID as it appears in per-ID file names: '%' followed by two upper-case hexadecimal digits
// for control bytes, bytes from 0x7F, and / \ : * ? " < > | % ~ (so no ID can leave the results
// folder or name a device, and different IDs give different names). An empty ID becomes "~",
// and one whose encoding exceeds 100 bytes is cut and ends with "~" and eight hexadecimal
// digits of a hash of the whole ID.
std::string SafeIdForFileName(std::string_view id);

// base + "_Full#" + six-digit number + ".xml"
std::string FullLogPath(const std::string& base, int number);
// base + "_" + safe ID + "#" + six-digit number + ".xml"
std::string IdLogPath(const std::string& base, std::string_view id, int number);

enum class ResultFileState {
    Missing,      // no such file
    Continuable,  // a result file ending with its closing line
    Unusable,     // something else: never written to
};

// State of a file and, when continuable, the number of rows it holds.
ResultFileState ProbeResultFile(const std::string& path, int* rows = nullptr);
// Writes a new file: header, "<ROWDATA>", the row line when not empty, "</ROWDATA>". Fails
// without writing when the file exists.
bool CreateResultFile(const std::string& path, std::string_view rowLine = {});
// Inserts a row line before the closing line; fails without writing unless the file ends with
// that line.
bool InsertResultRow(const std::string& path, std::string_view rowLine);

}  // namespace vornlfrf::run
