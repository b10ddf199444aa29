#pragma once
// RF frame of an emulated sensor:
//   preamble (content expression) | ID bytes | pressure | temperature | checksum (when any)
// The data bytes are written as hexadecimal digits after the preamble and the whole expression
// is line-coded by the content parser, so the chips are exactly what a description with the
// same preamble and coding hunts for. The checksum covers ID, pressure and temperature.

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"
#include "scenario.h"

namespace vornlfrf::sim {

struct SensorFrame {
    std::vector<std::uint8_t> bytes;  // data bytes after the preamble
    std::string hex;                  // the same as upper-case hexadecimal digits
    std::string chips;                // '0'/'1' levels, one per chip time
    double chipUs = 0;                // half a bit (a third of a bit in PWM)
};

Status BuildSensorFrame(const SensorConfig& sensor, SensorFrame& out);

std::uint8_t Sum8(const std::vector<std::uint8_t>& bytes);
// MSB first, no reflection.
std::uint8_t Crc8(std::uint8_t poly, std::uint8_t init, const std::vector<std::uint8_t>& bytes);

}  // namespace vornlfrf::sim
