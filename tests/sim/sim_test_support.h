#pragma once
// Drives an emulated bench from a test: a hand-moved clock and ports opened like real ones.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "hw/serial_port.h"
#include "scenario.h"

namespace vornlfrf::sim::testing {

using Bytes = std::vector<std::uint8_t>;

// Everything readable on a port now.
inline Bytes ReadAll(hw::SerialPort& port) {
    Bytes out;
    std::uint8_t buffer[4096];
    for (std::size_t n; (n = port.read(buffer, sizeof buffer)) > 0;)
        out.insert(out.end(), buffer, buffer + n);
    return out;
}

class BenchTest : public ::testing::Test {
  protected:
    void make(const Scenario& scenario, std::uint64_t seed = 1) {
        bench_ = std::make_unique<Bench>(
            scenario, [this] { return now_; }, seed);
    }

    // Open as the host does: lines low at open, then raised.
    std::unique_ptr<hw::SerialPort> open(int number) {
        auto port = bench_->ports().OpenPort(number, 115200, hw::LineMode::Disabled,
                                             hw::LineMode::Disabled);
        if (port) {
            port->setDtr(true);
            port->setRts(true);
        }
        return port;
    }

    static Bytes readAll(hw::SerialPort& port) { return ReadAll(port); }

    // Writes, lets waitUs of bench time pass, and returns what came back.
    Bytes exchange(hw::SerialPort& port, const Bytes& out, std::int64_t waitUs = 100000) {
        port.write(out.data(), out.size());
        now_ += waitUs;
        return readAll(port);
    }

    // Moves the clock in steps, noting the time at which each byte became readable.
    std::vector<std::pair<std::int64_t, std::uint8_t>> watch(hw::SerialPort& port,
                                                             std::int64_t durationUs,
                                                             std::int64_t stepUs = 1) {
        std::vector<std::pair<std::int64_t, std::uint8_t>> seen;
        for (std::int64_t end = now_ + durationUs; now_ < end;) {
            now_ += stepUs;
            for (std::uint8_t b : readAll(port)) seen.emplace_back(now_, b);
        }
        return seen;
    }

    std::int64_t now_ = 0;
    std::unique_ptr<Bench> bench_;
};

inline Bytes BootFrame(std::uint8_t command, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                       std::uint8_t d4) {
    Bytes f = {0xF5, command, d1, d2, d3, d4};
    unsigned sum = 0;
    for (std::uint8_t b : f) sum += b;
    f.push_back(static_cast<std::uint8_t>(0xFF - (sum & 0xFF)));
    return f;
}

// LF frame command for a chip text, run-length coded by nibbles (count 16 written as 0).
inline Bytes LfFrameCommand(const std::string& chips, std::uint8_t repetitions,
                            std::uint8_t interframeMs, std::uint8_t bitTime1 = 0x80,
                            std::uint8_t bitTime2 = 0x01) {
    std::string padded = chips;
    while (padded.size() % 4) padded += '0';
    Bytes pairs;
    int last = -1;
    int count = 0;
    auto flush = [&] {
        if (count) pairs.push_back(static_cast<std::uint8_t>(((count & 0x0F) << 4) | last));
    };
    for (std::size_t i = 0; i < padded.size(); i += 4) {
        int nibble = std::stoi(padded.substr(i, 4), nullptr, 2);
        if (nibble == last && count < 16) {
            ++count;
            continue;
        }
        flush();
        last = nibble;
        count = 1;
    }
    flush();
    Bytes cmd = {
        0x03,     0x05,        0x09,         0x05,     0x00,
        bitTime1, repetitions, interframeMs, bitTime2, static_cast<std::uint8_t>(pairs.size())};
    for (std::uint8_t pair : pairs) cmd.push_back(pair);
    return cmd;
}

// Levels of one channel (1..4) in a stream, one per 10 us sample.
inline std::vector<int> ChannelLevels(const Bytes& stream, int channel) {
    std::vector<int> levels;
    for (std::uint8_t b : stream) {
        levels.push_back((b >> (channel - 1)) & 1);
        levels.push_back((b >> (channel + 3)) & 1);
    }
    return levels;
}

}  // namespace vornlfrf::sim::testing
