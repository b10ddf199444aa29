#pragma once
// Counter-based randomness: a draw is a pure function of (seed, stream, index), so the noise a
// sample gets depends on its time only, never on how the host chunks its reads.

#include <cstdint>

namespace vornlfrf::sim {

constexpr std::uint64_t Mix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Uniform in [0, 1).
constexpr double Uniform(std::uint64_t seed, std::uint64_t stream, std::uint64_t index) {
    return static_cast<double>(Mix64(seed ^ Mix64(stream ^ Mix64(index))) >> 11) *
           (1.0 / 9007199254740992.0);
}

// Streams of the bench's draws.
constexpr std::uint64_t kNoiseStream = 0x100;   // + channel index
constexpr std::uint64_t kGlitchStream = 0x200;  // + channel index
constexpr std::uint64_t kDropStream = 0x300;
constexpr std::uint64_t kSensorStream = 0x400;  // + sensor index, seeds the sensor's generator

}  // namespace vornlfrf::sim
