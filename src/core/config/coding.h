#pragma once
// Line coding of frame chips, shared by the LF frames (0/1), the RF descriptions (0..3), the
// content parser and the decoder.

namespace vornlfrf::config {

enum class CodingType : int {
    ManchesterStandard = 0,  // 0 -> "01", 1 -> "10"
    ManchesterInverted = 1,  // 0 -> "10", 1 -> "01"
    BiphaseS = 2,            // chips depend on the last output character
    Pwm = 3,                 // the PWM0 / PWM1 chip patterns
};

constexpr int kCodingTypeCount = 4;

// True for the four defined values 0..3.
constexpr bool IsValidCoding(int value) { return value >= 0 && value < kCodingTypeCount; }

}  // namespace vornlfrf::config
