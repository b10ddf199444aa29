#pragma once
// Compiled RF frame descriptions (TRXREC), the table the run copies them from, and the store of
// value tables that fields refer to by slot.
//
// A record is plain data: fixed arrays sized for the largest description, so the run can copy
// the records it uses with one assignment, and fields a compile does not write keep their
// previous values from one analysis to the next.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/checksum.h"

namespace vornlfrf::config {

constexpr int kMaxRfDescriptions = 300;
constexpr int kMaxRfFields = 50;
constexpr int kMaxComputedFields = 4;
constexpr int kMaxValueTables = 100;
constexpr int kChipThresholdCount = 8;

// Decoder and evaluation state of a working copy; the analysis only resets it.
struct RxDecoderState {
    std::int32_t huntState = 0;   // 0 hunting the preamble, 1 receiving a frame
    std::int32_t lastLevel = -1;  // '0' / '1', -1 before the first sample
    std::int32_t runLength = 0;   // samples at the current level after its first one
    std::string chipText;
    std::int32_t chipCount = 0;
    std::string frameBits;
    std::string frameHex;
    std::string rowText;
    std::string dataText;
    std::int32_t rowHexEnd = 0;
    std::string lastId;
    std::array<std::string, kMaxRfFields> fieldValues{};
    std::uint8_t frameAccepted = 0;
    std::uint64_t matchSample = 0;
    struct LseSnapshot {
        double angle = 0;
        double speed = 0;
        double avgSpeed = 0;
        std::uint8_t direction = 1;
    } lseSnapshot;

    // What the analysis resets at each run start; the rest belongs to the decoder.
    void resetForRun() {
        huntState = 0;
        lastLevel = -1;
        runLength = 0;
        chipText.clear();
        chipCount = 0;
    }
};

struct TRXREC {
    std::string Name;
    // Chip time in microseconds. Wider than a byte so that baud rates below 1961 (or 1308 in
    // PWM) keep their true chip time instead of a wrapped one.
    std::int32_t ChipTime = 0;
    std::uint8_t Coding = 0;
    std::string Preamble;  // coded preamble chips
    std::string Processing;
    std::int32_t PreambleLength = 0;

    std::int32_t FieldCount = 0;
    std::array<std::string, kMaxRfFields> FieldNames{};
    std::array<std::int32_t, kMaxRfFields> FieldSizes{};
    std::array<double, kMaxRfFields> FieldOffsets{};
    std::array<double, kMaxRfFields> FieldResolutions{};
    std::array<std::string, kMaxRfFields> FieldUnits{};
    std::array<std::uint8_t, kMaxRfFields> FieldDisplays{};  // 'P', 'Y' or 'N'
    std::uint8_t HasContentFilter = 0;
    std::array<std::string, kMaxRfFields> FieldContents{};
    std::array<std::int32_t, kMaxRfFields> FieldTables{};  // TableStore slot, -1 for none
    std::int32_t TotalSize = 0;

    std::uint8_t HasComputed = 0;
    std::int32_t ComputedCount = 0;
    std::array<std::string, kMaxComputedFields> ComputedNames{};
    std::array<std::string, kMaxComputedFields> ComputedFormulas{};
    std::array<std::string, kMaxComputedFields> ComputedUnits{};
    std::array<std::uint8_t, kMaxComputedFields> ComputedDisplays{};
    std::uint8_t HasComputedContentFilter = 0;
    std::array<std::string, kMaxComputedFields> ComputedContents{};

    // Level durations in samples at 0.5, 1.5, ..., 7.5 chip times.
    std::array<std::int32_t, kChipThresholdCount> ChipThresholds{};

    RxDecoderState state;

    // Frame verification (CheckEnabled, the masks, method and CRC parameters, and PreambleHex),
    // compiled when CKS is "1"; kept from an earlier analysis otherwise.
    FrameCheckSettings check;
};

// The compiled descriptions handed to the run; rebuilt at each run start.
struct RxDescriptionTable {
    RxDescriptionTable() : records(kMaxRfDescriptions) {}
    std::vector<TRXREC> records;  // always kMaxRfDescriptions entries
    std::int32_t count = 0;
};

// Value tables: line n of a slot is the text shown for the raw value n of its field.
struct TABLE_FIELD {
    std::array<std::vector<std::string>, kMaxValueTables> lists{};
    std::array<std::string, kMaxValueTables> names{};
    std::int32_t count = 0;
};
using TableStore = TABLE_FIELD;

}  // namespace vornlfrf::config
