#include "config/rf_analysis.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/content_parser.h"
#include "config/ini_document.h"
#include "config/item_text.h"
#include "config/processing.h"
#include "config/rf_conf.h"
#include "config/rf_field_rows.h"

namespace vornlfrf::config {

namespace {

std::string localPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// 'P', 'Y' or 'N' from a stored letter of either case. Anything else is not displayed: a
// stale letter from whichever description held this slot before would be arbitrary.
std::uint8_t displayLetter(const std::string& text) {
    if (text == "P" || text == "p") return 'P';
    if (text == "Y" || text == "y") return 'Y';
    return 'N';
}

}  // namespace

bool StdTableFileReader::exists(const std::string& path) const {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(localPath(path), ec);
}

bool StdTableFileReader::readLines(const std::string& path, std::vector<std::string>& lines) const {
    std::ifstream in(localPath(path), std::ios::binary);
    if (!in) return false;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    lines = SplitList(text, '\n');
    return true;
}

const TableFileReader& DefaultTableFileReader() {
    static const StdTableFileReader reader;
    return reader;
}

Status CompileFieldRows(TRXREC& rec, const std::string& fields, TableStore& tables,
                        const TableFileReader& files) {
    const std::vector<std::string> rows = SplitList(fields, kRowSeparator);
    if (rows.size() > static_cast<std::size_t>(kMaxRfFields))
        return Status::failure(rftext::kTooManyFields);
    rec.FieldCount = static_cast<std::int32_t>(rows.size());
    rec.HasContentFilter = 0;
    rec.TotalSize = 0;

    for (std::size_t j = 0; j < rows.size(); ++j) {
        const std::string& row = rows[j];
        std::vector<std::string> p = SplitList(row, ';');
        if (p.empty()) return Status::failure(rftext::kFieldSyntax + row);
        p.resize(std::max<std::size_t>(p.size(), 8));
        const std::string tableFile = TrimControl(p[7]);

        rec.FieldNames[j] = p[0];
        // A size outside 1..64 would cut every later field at the wrong bit.
        int size = 0;
        if (!parseInt(TrimControl(p[1]), size) || size < 1 || size > 64)
            return Status::failure(rftext::kFieldSyntax + row);
        rec.FieldSizes[j] = size;
        rec.TotalSize += size;

        // Scaling is unused with a value table; without one an empty value means no scaling
        // and a text that is no number is refused rather than read as 0.
        double offset = 0, resolution = 1;
        if (tableFile.empty()) {
            if (!TrimControl(p[2]).empty() && !ParseDecimal(p[2], offset))
                return Status::failure(rftext::kFieldSyntax + row);
            if (!TrimControl(p[3]).empty() && !ParseDecimal(p[3], resolution))
                return Status::failure(rftext::kFieldSyntax + row);
        } else {
            if (!ParseDecimal(p[2], offset)) offset = 0;
            if (!ParseDecimal(p[3], resolution)) resolution = 1;
        }
        rec.FieldOffsets[j] = offset;
        rec.FieldResolutions[j] = resolution;
        rec.FieldUnits[j] = p[4];
        rec.FieldDisplays[j] = displayLetter(p[5]);
        rec.FieldContents[j] = p[6];
        if (!p[6].empty()) rec.HasContentFilter = 1;

        if (tableFile.empty()) {
            rec.FieldTables[j] = -1;
            continue;
        }
        if (!files.exists(tableFile)) return Status::failure(rftext::kFieldFile + row);
        if (tables.count < 0 || tables.count >= kMaxValueTables)
            return Status::failure(rftext::kMaxTables + row);
        const std::size_t s = static_cast<std::size_t>(tables.count);
        tables.names[s] = tableFile;
        tables.lists[s].clear();
        if (!files.readLines(tableFile, tables.lists[s]))
            return Status::failure(rftext::kFieldFile + row);
        rec.FieldTables[j] = tables.count;
        ++tables.count;
    }
    return Status::success();
}

void CompileComputedRows(TRXREC& rec, const std::string& fieldsComp) {
    if (fieldsComp.empty()) {
        rec.HasComputed = 0;
        rec.ComputedCount = 0;
        return;
    }
    const std::vector<std::string> rows = SplitList(fieldsComp, kRowSeparator);
    const std::size_t n = std::min<std::size_t>(rows.size(), kMaxComputedFields);
    rec.HasComputed = n > 0 ? 1 : 0;
    rec.ComputedCount = static_cast<std::int32_t>(n);
    rec.HasComputedContentFilter = 0;
    for (std::size_t j = 0; j < n; ++j) {
        std::vector<std::string> p = SplitList(rows[j], ';');
        p.resize(std::max<std::size_t>(p.size(), 5));
        rec.ComputedNames[j] = p[0];
        rec.ComputedFormulas[j] = p[1];
        rec.ComputedUnits[j] = p[2];
        rec.ComputedDisplays[j] = displayLetter(p[3]);
        rec.ComputedContents[j] = p[4];
        if (!p[4].empty()) rec.HasComputedContentFilter = 1;
    }
}

bool AnalyseRfDescriptions(const std::vector<std::string>& items, const std::string& pwm0,
                           const std::string& pwm1, AnalysisLog& log, RxDescriptionTable& table,
                           TableStore& tables, Host* host, const TableFileReader& files) {
    log.LogLine(rftext::kAnalysisHeading);
    if (items.size() > static_cast<std::size_t>(kMaxRfDescriptions)) {
        log.LogLine(rftext::kTooManyDescriptions + std::to_string(kMaxRfDescriptions));
        return false;
    }
    table.records.resize(kMaxRfDescriptions);
    tables.count = 0;

    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        TRXREC& rec = table.records[i];
        const std::string baudrate = ItemGetValue(item, "Baudrate");
        const std::string coding = ItemGetValue(item, "Coding");
        const std::string fields = ItemGetValue(item, "Fields");
        const std::string fieldsComp = ItemGetValue(item, "FieldsComp");
        const std::string name = ItemGetValue(item, "Name");
        const std::string preamble = ItemGetValue(item, "Preamble");
        auto fail = [&](const std::string& message) {
            log.LogLine("ERROR in RF Config, frame '" + name + "' : " + message);
            return false;
        };

        if (name.empty()) return fail(rftext::kNameNullLog);
        rec.Name = name;

        if (preamble.empty()) return fail(rftext::kPreambleNull);
        // The coding picks the preamble's chips, so it must be known before they are made.
        if (coding.size() != 1 || coding[0] < '0' || coding[0] > '3')
            return fail(rftext::kCodingSyntax);
        const int codingValue = coding[0] - '0';
        const std::string coded =
            ParseContent(preamble, static_cast<CodingType>(codingValue), pwm0, pwm1);
        // Only chips can match the received stream: an empty result or a parameter token
        // would make a preamble that matches nothing (or everything).
        if (coded.empty() || coded.find_first_not_of("01") != std::string::npos)
            return fail(rftext::kPreambleSyntax);
        rec.Preamble = coded;

        const std::string processing = ItemGetValue(item, "Processing");
        const Status processingOk = CheckProcessingCode(processing);
        if (!processingOk) return fail(processingOk.message);
        rec.Processing = NormaliseProcessing(processing);

        rec.Coding = static_cast<std::uint8_t>(codingValue);

        if (fields.empty() || SplitList(fields, kRowSeparator).empty())
            return fail(rftext::kFieldsNull);
        const Status fieldsOk = CompileFieldRows(rec, fields, tables, files);
        if (!fieldsOk) return fail(fieldsOk.message);
        CompileComputedRows(rec, fieldsComp);

        int baud = 0;
        if (!parseInt(TrimControl(baudrate), baud) || baud <= 0)
            return fail(rftext::kBaudrateSyntax);
        const int t = (codingValue == 3 ? 333333 : 500000) / baud;
        if (t <= 0) return fail(rftext::kBaudrateSyntax);
        rec.ChipTime = t;
        for (int k = 0; k < kChipThresholdCount; ++k)
            rec.ChipThresholds[static_cast<std::size_t>(k)] =
                static_cast<std::int32_t>(t * 10 * 0.01 * (k + 0.5) + 0.5);

        std::vector<std::string> valueErrors;
        const Status checkOk =
            CompileFrameCheck(item, preamble, coded.size(), rec.check, valueErrors);
        if (host)
            for (const std::string& e : valueErrors)
                host->messageBox(e, kCheckValueErrorCaption, MsgIcon::Error, MsgButtons::Ok);
        if (!checkOk) return fail(checkOk.message);

        rec.state.resetForRun();
        rec.PreambleLength = static_cast<std::int32_t>(rec.Preamble.size());
    }
    table.count = static_cast<std::int32_t>(items.size());
    return true;
}

bool AnalyseRfDescriptions(const RfConf& conf, AnalysisLog& log, RxDescriptionTable& table,
                           TableStore& tables, const TableFileReader& files) {
    return AnalyseRfDescriptions(conf.items(), conf.txtPWM0, conf.txtPWM1, log, table, tables,
                                 &conf.host(), files);
}

Analyser makeRfAnalyser(const RfConf& conf, RxDescriptionTable& table, TableStore& tables,
                        const TableFileReader& files) {
    return [&conf, &table, &tables, &files](AnalysisLog& log) {
        return AnalyseRfDescriptions(conf, log, table, tables, files);
    };
}

}  // namespace vornlfrf::config
