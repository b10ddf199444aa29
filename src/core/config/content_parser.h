#pragma once
// Frame content expression parser: "FF00h 01b @ID(32)" -> line-coded chip text.

#include <string>

#include "config/coding.h"

namespace vornlfrf::config {

constexpr const char* kDefaultPwm0 = "100";
constexpr const char* kDefaultPwm1 = "110";

// Returns the coded chips ('0'/'1'), with each parameter token copied as " " + token + " ",
// or one of the texts "Error with ", "Error hexa with ", "Error binary with ",
// "Error suffix with " followed by the offending trimmed token. Never throws.
// pwm0/pwm1 are the chip patterns of a 0 and a 1 bit, used only by CodingType::Pwm.
// A coding value outside 0..3 codes the data symbols as nothing (raw binary groups and
// parameter tokens still pass).
std::string ParseContent(const std::string& expression, CodingType coding,
                         const std::string& pwm0 = kDefaultPwm0,
                         const std::string& pwm1 = kDefaultPwm1);

}  // namespace vornlfrf::config
