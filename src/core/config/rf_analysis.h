#pragma once
// "Rx descriptions analysis": compiles the RF description items into the RxDescriptionTable
// at run start, with their field rows, value tables, computed fields, frame verification and
// processing code. Stops at the first error with one AnalysisLog line.

#include <string>
#include <vector>

#include "common/host.h"
#include "common/result.h"
#include "config/analysis_log.h"
#include "config/configuration_document.h"
#include "config/rf_description.h"

namespace vornlfrf::config {

class RfConf;

// Reads value-table files: Windows-1252 text, one entry per line.
class TableFileReader {
  public:
    virtual ~TableFileReader() = default;
    virtual bool exists(const std::string& path) const = 0;
    // Lines ended by CR, LF or CR LF, bytes unchanged; false when the file cannot be read.
    virtual bool readLines(const std::string& path, std::vector<std::string>& lines) const = 0;
};

// Files on disk through the standard library. Backslashes of paths written on Windows are read
// as '/'.
class StdTableFileReader : public TableFileReader {
  public:
    bool exists(const std::string& path) const override;
    bool readLines(const std::string& path, std::vector<std::string>& lines) const override;
};

const TableFileReader& DefaultTableFileReader();

namespace rftext {
inline constexpr char kAnalysisHeading[] = "----- Rx descriptions analysis -----";
inline constexpr char kTooManyDescriptions[] =
    "ERROR in RF Config : Number of RF descriptions must be <=";
inline constexpr char kNameNullLog[] = "Name field is NULL";
inline constexpr char kPreambleNull[] = "Preamble field is NULL";
inline constexpr char kPreambleSyntax[] = "Syntax error in Preamble field";
inline constexpr char kFieldsNull[] = "Fields are NULL";
inline constexpr char kFieldSyntax[] = "Syntax error in field ";
inline constexpr char kFieldFile[] = "Error file in field ";
inline constexpr char kMaxTables[] = "Max Table fields reached : ";
// Refusals of values the decoder cannot work with safely.
inline constexpr char kTooManyFields[] = "Number of fields must be <=50";
inline constexpr char kBaudrateSyntax[] = "Syntax error in Baudrate field";
inline constexpr char kCodingSyntax[] = "Syntax error in Coding field";
}  // namespace rftext

// Field rows of one description (Fields value, rows joined by 0x86). The message of a failure
// is the text after "frame '<name>' : ". Table slots are taken from tables.count on.
Status CompileFieldRows(TRXREC& rec, const std::string& fields, TableStore& tables,
                        const TableFileReader& files = DefaultTableFileReader());
// Computed rows (FieldsComp value): at most four, never an error.
void CompileComputedRows(TRXREC& rec, const std::string& fieldsComp);

// Compiles items into table; pwm0/pwm1 are the section's PWM chip patterns for the preambles.
// host shows the message boxes of unreadable CRC values (the compile goes on with 0); none
// when null.
bool AnalyseRfDescriptions(const std::vector<std::string>& items, const std::string& pwm0,
                           const std::string& pwm1, AnalysisLog& log, RxDescriptionTable& table,
                           TableStore& tables, Host* host = nullptr,
                           const TableFileReader& files = DefaultTableFileReader());
// The descriptions, PWM patterns and host of the RF configuration.
bool AnalyseRfDescriptions(const RfConf& conf, AnalysisLog& log, RxDescriptionTable& table,
                           TableStore& tables,
                           const TableFileReader& files = DefaultTableFileReader());

// The RF link of the analysis chain (AnalysisStep::RfDescriptions). conf, table, tables and
// files must outlive the returned function.
Analyser makeRfAnalyser(const RfConf& conf, RxDescriptionTable& table, TableStore& tables,
                        const TableFileReader& files = DefaultTableFileReader());

}  // namespace vornlfrf::config
