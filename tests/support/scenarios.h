#pragma once
// Emulated benches shared by the whole-program tests: the demo's two sensors (Manchester 9600 on
// antenna 1, Biphase-S 4800 with CRC-8 on antenna 2) transmitting on their own.

#include <string>

namespace vornlfrf::testsupport {

// rearPhaseMs 0 keeps the emulator's default (one period); rearNoise is the flip probability.
inline std::string twoSensorScenario(int frontPeriodMs, int rearPeriodMs, int rearPhaseMs = 0,
                                     const std::string& rearNoise = "0") {
    return "[channel 2]\nreceiver = 3\n[channel 3]\nreceiver = 2\nnoise = " + rearNoise +
           "\n[sensor front]\nchannel = 2\ncoding = manchester\nbaud = 9600\npreamble = FFFh\n"
           "id = 1A2B3C4D\npressure = 9Ah\ntemperature = 41h\nchecksum = sum\nwake = none\n"
           "period_ms = " +
           std::to_string(frontPeriodMs) +
           "\n[sensor rear]\nchannel = 3\ncoding = biphase\nbaud = 4800\npreamble = 000Fh\n"
           "id = 00C0FFEE\npressure = 80h\ntemperature = 46h\nchecksum = crc8\nwake = none\n"
           "period_ms = " +
           std::to_string(rearPeriodMs) + "\n" +
           (rearPhaseMs > 0 ? "phase_ms = " + std::to_string(rearPhaseMs) + "\n" : std::string());
}

}  // namespace vornlfrf::testsupport
