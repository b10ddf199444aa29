#pragma once
// Field rows of an RF description and the two dialogs that edit them.
//
// Field row:          Name;Size;Offset;Resolution;Unite;Display;Must content;[Table file;]
// Computed field row: Name;Formula;Unite;Display;Must content;
// Rows of a description are joined by 0x86 into its Fields / FieldsComp values.

#include <string>
#include <vector>

#include "common/result.h"

namespace vornlfrf::config {

constexpr char kDegreeSign = '\xB0';  // Windows-1252 degree sign, refused in units
constexpr char kBackspace = '\b';

// Removes the bytes that would cut a stored value apart: 0xAC (item pairs), CR and LF (INI
// lines and the copy buffer). extraSeparators names further bytes to remove.
std::string StripSeparators(const std::string& text, const std::string& extraSeparators = "");

// Bytes that cut a row value apart: ';' (pieces) and 0x86 (rows), plus those above.
std::string StripRowSeparators(const std::string& text);

// Decimal number with '.' as separator and an optional exponent, surrounding spaces allowed.
bool ParseDecimal(const std::string& text, double& out);
// Shortest general form with up to 15 significant digits ("1.5", "1000", "1E-6").
std::string FormatDecimal(double value);

// Key filters of both dialogs: the byte that goes into the edit for a typed byte, or 0 when the
// key is dropped. Separator bytes are dropped as well, so a name can never split its row.
char FilterNameKey(char key);
char FilterUniteKey(char key);
// Only Y, N or P (lower case raised) and only while the edit is still empty; every other key,
// backspace included, is dropped.
char FilterDisplayKey(char key, const std::string& current);

// Field dialog (TfrmRFParameter, "Field description").
struct RfFieldDialog {
    std::string txtName = "NewField";
    std::string txtSize = "8";
    std::string txtOffset = "0";
    std::string txtResolution = "1";
    std::string txtUnite;
    std::string txtDisplay = "N";
    std::string txtContent;  // "Must content"
    bool chkTableUsed = false;
    std::string txtFile;

    // Turning the table off empties the unit.
    void setTableUsed(bool on);

    // Checks the edits in order and normalises them (Size and, without a table, Offset and
    // Resolution rewritten as numbers, Must content trimmed, separator bytes removed, and the
    // bytes the key filters drop removed from pasted text). A failure carries the message box
    // text; the dialog then stays open.
    Status butSaveClick();

    // Row as Add appends it: seven values, plus the file when the table is used.
    std::string addRow() const;
    // Row as Modify writes it: eight values, the file or an empty one.
    std::string modifyRow() const;

    // Dialog filled from a stored row for Modify: 6 or 7 pieces are padded to 8; any other
    // number of pieces opens no dialog (false).
    bool fillFromRow(const std::string& row);
};

// Computed field dialog (TfrmRFParameterComp, "Computed Field description").
struct RfComputedFieldDialog {
    std::string txtName = "NewField";
    std::string txtFormula;
    std::string txtUnite;
    std::string txtDisplay = "N";
    std::string txtContent;

    Status butSaveClick();
    std::string row() const;
    // Pieces 0 to 4 of the row; missing pieces are empty.
    void fillFromRow(const std::string& row);
};

namespace rftext {
inline constexpr char kFieldCaption[] = "Field description";
inline constexpr char kComputedCaption[] = "Computed Field description";
inline constexpr char kNameNull[] = "Error with 'Name' field (mustn't be NULL)";
inline constexpr char kSizeValue[] = "Error with 'Size' field (must be a value)";
inline constexpr char kSizeRange[] = "Error with 'Size' field";
inline constexpr char kOffsetValue[] = "Error with 'Offset' field (must be a value)";
inline constexpr char kResolutionValue[] = "Error with 'Resolution' field (must be a value)";
inline constexpr char kDisplayLetter[] = "Error with 'Display' field (Y, N or P)";
inline constexpr char kCompNameNull[] = "Error with 'Name' field (must not be NULL)";
inline constexpr char kFormulaEmpty[] = "Error with 'Formula' field (must not be empty)";
inline constexpr char kMaxComputed[] = "Maximum 4 computed fields !";
inline constexpr char kConfirmDelete[] = "Are you sure to delete ?";
inline constexpr char kWarning[] = "Warning";
}  // namespace rftext

}  // namespace vornlfrf::config
