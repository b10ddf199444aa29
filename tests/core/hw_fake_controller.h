#pragma once
// A scripted controller behind a fake port, for the link and hardware tests. It parses what
// the host writes and queues its replies at once; knobs make it answer fully, partly or not at
// all. Ports are handed out by FakePorts, which can also list busy and missing numbers.

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "common/host.h"
#include "hw/serial_port.h"

namespace vornlfrf::hw::testing {

struct FakeController {
    // Identity and versions.
    int boot = 4;
    int identity = 105;
    int major = 1;
    int minor = 1;
    // How much it answers: the boot loader, the identity request, and how many of the three
    // version bytes (F8, major, minor) come back.
    bool answersBoot = true;
    bool answersIdentity = true;
    int versionBytes = 3;
    int versionAck = 0xF8;
    bool answersStreaming = true;
    bool baudRateWorks = true;
    // Converter readings per channel (TX side).
    std::array<int, 4> receiverCodes{0, 0, 0, 0};
    // LF emission (TX side): the replies to a level, a frame (-1 none), a carrier, and the
    // bytes that follow a stop of a timed (FF) or continuous (00) emission.
    int levelReply = 0xEE;
    int frameReply = 0xFC;
    int cwReply = 0xED;
    std::vector<std::uint8_t> onStopTimed{0xFF};
    std::vector<std::uint8_t> onStopContinuous{0xFF};

    // What happened on the line.
    struct Write {
        std::int64_t atMs;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Write> writes;
    std::vector<std::pair<int, int>> registerWrites;  // (address, value)
    std::deque<std::uint8_t> pending;                 // replies not yet read
    std::vector<std::uint8_t> extraReplies;           // appended after every complete command
    int baudRate = 0;
    bool rts = false;
    bool dtr = false;
    int purges = 0;
    int rtsDrops = 0;
    std::vector<std::vector<std::uint8_t>> commands;  // LF commands (level, frame, CW, stops)
    bool open = false;
    int opens = 0;
    const Host* host = nullptr;

    std::vector<std::uint8_t> allWritten() const {
        std::vector<std::uint8_t> out;
        for (const Write& w : writes) out.insert(out.end(), w.bytes.begin(), w.bytes.end());
        return out;
    }

    void receive(const std::uint8_t* data, std::size_t n) {
        writes.push_back({host ? host->nowMs() : 0, {data, data + n}});
        inbox_.insert(inbox_.end(), data, data + n);
        while (step()) {
        }
    }

  private:
    void command(std::size_t n) {
        commands.emplace_back(inbox_.begin(), inbox_.begin() + static_cast<long>(n));
    }
    void reply(int b) { pending.push_back(static_cast<std::uint8_t>(b)); }
    void done(std::size_t consumed) {
        inbox_.erase(inbox_.begin(), inbox_.begin() + static_cast<long>(consumed));
        for (std::uint8_t b : extraReplies) reply(b);
    }

    // Handles one complete command at the head of the inbox; false when it needs more bytes.
    bool step() {
        if (inbox_.empty()) return false;
        const std::uint8_t c = inbox_[0];
        if (c == 0xF5) {
            if (inbox_.size() < 7) return false;
            unsigned sum = 0;
            for (int i = 0; i < 6; ++i) sum += inbox_[i];
            const bool good = static_cast<std::uint8_t>(0xFF - (sum & 0xFF)) == inbox_[6];
            if (good && answersBoot && inbox_[1] == 0xB2) reply(boot);
            if (good && answersBoot && answersIdentity && inbox_[1] == 0xB8) reply(identity);
            done(7);
            return true;
        }
        if (c == 0x07) {
            if (inbox_.size() < 2) return false;
            const int bytes[] = {versionAck, major, minor};
            for (int i = 0; i < versionBytes && i < 3; ++i) reply(bytes[i]);
            done(2);
            return true;
        }
        if (c == 0x0C) {
            if (inbox_.size() < 4) return false;
            const int address = inbox_[2];
            const int value = inbox_[3];
            if (inbox_[1] == 0x80) {
                registerWrites.emplace_back(address, value);
                if (address == 0x1F) channel_ = (value - 0x81) / 8;
                reply(0xF3);
                reply(0x00);
            } else {
                const int code = receiverCodes[static_cast<std::size_t>(channel_ & 3)];
                reply(0xF3);
                reply(address == 0x1E ? (code >> 8) & 0xFF : code & 0xFF);
            }
            done(4);
            return true;
        }
        if (c == 0x04) {
            if (inbox_.size() < 2) return false;
            if (answersStreaming) reply(0xFB);
            done(2);
            return true;
        }
        if (c == 0x11) {
            if (inbox_.size() < 2) return false;
            command(2);
            if (levelReply >= 0) reply(levelReply);
            done(2);
            return true;
        }
        if (c == 0x03) {  // with its four frequency bytes: the pair count is byte 10
            if (inbox_.size() < 10 || inbox_.size() < 10u + inbox_[9]) return false;
            const std::size_t n = 10u + inbox_[9];
            command(n);
            if (frameReply >= 0) reply(frameReply);
            done(n);
            return true;
        }
        if (c == 0x12) {
            if (inbox_.size() < 9) return false;
            command(9);
            if (cwReply >= 0) reply(cwReply);
            done(9);
            return true;
        }
        if (c == 0xFF || c == 0x00) {
            command(1);
            for (std::uint8_t b : c == 0xFF ? onStopTimed : onStopContinuous) reply(b);
            done(1);
            return true;
        }
        inbox_.erase(inbox_.begin());  // not a command this fake knows
        return true;
    }

    std::vector<std::uint8_t> inbox_;
    int channel_ = 0;
};

class FakePort : public SerialPort {
  public:
    explicit FakePort(FakeController& c) : c_(c) {
        c_.open = true;
        ++c_.opens;
    }
    ~FakePort() override { c_.open = false; }
    std::size_t read(std::uint8_t* buffer, std::size_t max) override {
        std::size_t n = 0;
        while (n < max && !c_.pending.empty()) {
            buffer[n++] = c_.pending.front();
            c_.pending.pop_front();
        }
        return n;
    }
    bool write(const std::uint8_t* data, std::size_t n) override {
        c_.receive(data, n);
        return true;
    }
    bool setBaudRate(int rate) override {
        if (!c_.baudRateWorks) return false;
        c_.baudRate = rate;
        return true;
    }
    void setRts(bool on) override {
        if (c_.rts && !on) ++c_.rtsDrops;
        c_.rts = on;
    }
    void setDtr(bool on) override { c_.dtr = on; }
    void purge() override {
        ++c_.purges;
        c_.pending.clear();
    }

  private:
    FakeController& c_;
};

class FakePorts : public PortProvider {
  public:
    // Listed ports with a controller behind them; busy ones are listed but never open; an
    // empty port is listed and opens but nothing answers.
    std::map<int, FakeController*> controllers;
    std::set<int> busy;
    std::vector<int> extraListed;  // listed as given, for the listing tests
    std::vector<int> opened;       // every successful open, in order

    std::unique_ptr<SerialPort> OpenPort(int number, int baudRate, LineMode, LineMode) override {
        if (busy.count(number)) return nullptr;
        auto it = controllers.find(number);
        if (it == controllers.end()) return nullptr;
        if (it->second->open) return nullptr;  // exclusive
        opened.push_back(number);
        it->second->baudRate = baudRate;
        return std::make_unique<FakePort>(*it->second);
    }
    std::vector<int> EnumeratePorts() override {
        std::set<int> all(busy.begin(), busy.end());
        for (const auto& [n, c] : controllers) all.insert(n);
        std::vector<int> out(all.begin(), all.end());
        out.insert(out.end(), extraListed.begin(), extraListed.end());
        return out;
    }
    int adapterChannelPort(int) override { return 0; }
};

}  // namespace vornlfrf::hw::testing
