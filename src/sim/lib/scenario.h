#pragma once
// What an emulated bench holds: ports, the two controllers, the four receiver channels, the
// sensors and the test-site controller. ParseScenario reads the INI-like text described in
// src/sim/README.md.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"
#include "config/coding.h"

namespace vornlfrf::sim {

enum class AnswerMode { Full, None, Partial };

struct ControllerConfig {
    int bootVersion = 4;
    int fwMajor = 1;
    int fwMinor = 1;
    int identity = 0;  // 105 TX, 150 RX unless set
    bool identityWritten = true;
    int replyDelayUs = 300;
    AnswerMode answer = AnswerMode::Full;
    int partialBytes = 1;  // bytes of each reply sent in Partial mode
    int flashReply = 1;    // reply to a firmware line
    // Version reported once a firmware line was programmed; negative keeps the version.
    int flashedMajor = -1;
    int flashedMinor = -1;
    // TX only: stop bytes are taken but ignored, so the emission runs on and no FF confirms it.
    bool ignoreStop = false;
    // RX only.
    bool streamSilent = false;       // accepts streaming but sends no sample
    double dropRate = 0.0;           // probability that a stream byte is lost
    bool antennasNeedPower = false;  // antenna channels read 0 until the registers power them
};

enum class LseKind { None, Optical, Magnetic };

struct ChannelConfig {
    int receiverType = 0;  // index of the receiver type the TX reads for this channel
    int reading = -1;      // raw 10-bit reading; negative: the middle of the type's band
    int idleLevel = 0;
    double noise = 0.0;           // probability per sample of a flipped level
    double glitchRate = 0.0;      // glitches per second
    int glitchUs = 20;            // length of one glitch, whole samples
    LseKind lse = LseKind::None;  // channel 1 only
    double lseRpm = 600.0;
    bool lseForward = true;

    int effectiveReading() const;
};

enum class ChecksumKind { None, Sum8, Crc8 };
enum class WakeMode { Any, Id, Carrier, Never };

struct SensorConfig {
    std::string name;
    int channel = 2;  // 1..4
    config::CodingType coding = config::CodingType::ManchesterStandard;
    int baudRate = 9600;
    std::string preamble = "FFFh";  // content expression
    std::string id = "00000000";    // hexadecimal digits, an even number of them
    int pressure = 0;
    int temperature = 0;
    ChecksumKind checksum = ChecksumKind::Sum8;
    int crcPoly = 0x07;
    int crcInit = 0x00;
    std::string pwm0 = "100";
    std::string pwm1 = "110";
    WakeMode wake = WakeMode::Any;
    int wakeDelayMs = 20;
    int minLevelPercent = 1;  // weaker LF fields do not wake the sensor
    int periodMs = 0;         // own transmissions; 0: none
    int phaseMs = -1;         // first own transmission; negative: one period after start
    int jitterMs = 0;         // random extra delay 0..jitter on every transmission
    int repeat = 1;           // RF frames per transmission
    int repeatGapMs = 10;
};

struct SiteLine {
    std::int64_t atMs = 0;
    std::string text;
};

struct Scenario {
    int txPort = 5;
    int rxPort = 6;
    int sitePort = 7;             // 0: no test-site port
    std::vector<int> otherPorts;  // ports that open but never answer
    ControllerConfig tx;
    ControllerConfig rx;
    std::array<ChannelConfig, 4> channels;
    std::vector<SensorConfig> sensors;
    bool siteAutoAnswer = true;  // answers RFON / RFOFF
    std::vector<SiteLine> siteLines;

    Scenario();
};

// Reads a scenario text over the built-in base (ports 5, 6, 7, default controllers, channels
// not connected, no sensor). The failure message names the line.
Status ParseScenario(const std::string& text, Scenario& out);

// Used when no scenario is given: two sensors on two channels with different codings.
Scenario DefaultScenario();

}  // namespace vornlfrf::sim
