#pragma once
// Fixed tables of the emulated controllers: what a receiver plugged on a channel reads on the TX
// analog converter, the LF level codes, and the bit-time bytes of the LF frame command.

#include <cstdint>

namespace vornlfrf::sim {

// One reading per receiver type index 0..15, in the middle of the band the host classifies it
// into (bands end below 32, 98, 162, 225, 288, 357, 420, 479, 537, 597, 664, 733, 805, 861,
// 915, 1024).
constexpr int kReceiverTypeCount = 16;
constexpr int kReceiverReadings[kReceiverTypeCount] = {16,  65,  130, 193, 256, 322, 388, 449,
                                                       508, 567, 630, 698, 769, 833, 888, 969};
constexpr int kReceiverLseOptical = 10;
constexpr int kReceiverLseMagnetic = 11;

struct LfLevel {
    std::uint8_t code;
    int percent;
};

// LF power levels by index 0..18.
constexpr LfLevel kLfLevels[] = {{0x00, 0},  {0x15, 1},  {0x1B, 2},  {0x24, 4},  {0x29, 8},
                                 {0x2C, 10}, {0x2E, 15}, {0x31, 20}, {0x33, 25}, {0x35, 30},
                                 {0x36, 35}, {0x37, 40}, {0x38, 45}, {0x39, 50}, {0x3A, 60},
                                 {0x3C, 70}, {0x3D, 80}, {0x3E, 90}, {0x3F, 100}};

// Field strength of a level code; a code between two table entries counts as the lower one.
constexpr int LfLevelPercent(std::uint8_t code) {
    int percent = 0;
    for (const LfLevel& level : kLfLevels)
        if (level.code <= code) percent = level.percent;
    return percent;
}

// Bit-time bytes of the frame command for the four fixed slow rates, with their chip (half-bit)
// time. Any other pair carries the chip time in microseconds in its first byte.
struct BitTimeBytes {
    std::uint8_t first;
    std::uint8_t second;
    int chipUs;
};
constexpr BitTimeBytes kFixedBitTimes[] = {
    {0xE1, 0x04, 500}, {0x81, 0x14, 2500}, {0x09, 0x28, 5000}, {0x49, 0xC4, 25000}};

constexpr int LfChipTimeUs(std::uint8_t first, std::uint8_t second) {
    for (const BitTimeBytes& b : kFixedBitTimes)
        if (b.first == first && b.second == second) return b.chipUs;
    return first > 0 ? first : 1;
}

}  // namespace vornlfrf::sim
