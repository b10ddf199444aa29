#include "scenario.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <sstream>

#include "sensor_frame.h"
#include "tables.h"

namespace vornlfrf::sim {

namespace {

constexpr int kTxIdentity = 105;
constexpr int kRxIdentity = 150;

std::string Trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A comment starts the line or follows a blank: "; ..." or "# ...".
std::string StripComment(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if ((line[i] == ';' || line[i] == '#') &&
            (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            return line.substr(0, i);
    return line;
}

// Decimal, "0x" hexadecimal or hexadecimal with a trailing 'h'.
bool ParseInt(const std::string& text, long& out) {
    std::string s = Trim(text);
    if (s.empty()) return false;
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s = s.substr(2);
    } else if (s.size() > 1 && (s.back() == 'h' || s.back() == 'H')) {
        base = 16;
        s.pop_back();
    }
    char* end = nullptr;
    out = std::strtol(s.c_str(), &end, base);
    return !s.empty() && end && *end == '\0';
}

bool ParseDouble(const std::string& text, double& out) {
    std::string s = Trim(text);
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return !s.empty() && end && *end == '\0';
}

bool ParseBool(const std::string& text, bool& out) {
    std::string s = Lower(Trim(text));
    if (s == "yes" || s == "true" || s == "1" || s == "on") return out = true, true;
    if (s == "no" || s == "false" || s == "0" || s == "off") return out = false, true;
    return false;
}

// "4.11" -> 4, 11.
bool ParseVersion(const std::string& text, int& major, int& minor) {
    std::string s = Trim(text);
    std::size_t dot = s.find('.');
    long a = 0;
    long b = 0;
    if (dot == std::string::npos || !ParseInt(s.substr(0, dot), a) ||
        !ParseInt(s.substr(dot + 1), b) || a < 0 || a > 255 || b < 0 || b > 255)
        return false;
    major = static_cast<int>(a);
    minor = static_cast<int>(b);
    return true;
}

class Parser {
  public:
    explicit Parser(Scenario& out) : s_(out) {}

    Status run(const std::string& text) {
        std::istringstream in(text);
        std::string raw;
        while (std::getline(in, raw)) {
            ++line_;
            std::string l = Trim(StripComment(raw));
            if (l.empty()) continue;
            Status st = l[0] == '[' ? section(l) : entry(l);
            if (!st) return st;
        }
        return finish();
    }

  private:
    enum class Kind { None, Bench, Tx, Rx, Channel, Sensor, Site };

    Status fail(const std::string& what) const {
        return Status::failure("line " + std::to_string(line_) + ": " + what);
    }

    Status section(const std::string& l) {
        if (l.back() != ']') return fail("section header must end with ']'");
        std::string inner = Trim(l.substr(1, l.size() - 2));
        std::size_t space = inner.find_first_of(" \t");
        std::string word = Lower(inner.substr(0, space));
        std::string arg = space == std::string::npos ? "" : Trim(inner.substr(space));
        if (word == "bench" && arg.empty()) return kind_ = Kind::Bench, Status::success();
        if (word == "tx" && arg.empty()) return kind_ = Kind::Tx, Status::success();
        if (word == "rx" && arg.empty()) return kind_ = Kind::Rx, Status::success();
        if (word == "site" && arg.empty()) return kind_ = Kind::Site, Status::success();
        if (word == "channel") {
            long n = 0;
            if (!ParseInt(arg, n) || n < 1 || n > 4) return fail("channel must be 1 to 4");
            channel_ = static_cast<int>(n) - 1;
            return kind_ = Kind::Channel, Status::success();
        }
        if (word == "sensor") {
            if (arg.empty()) return fail("a sensor needs a name: [sensor NAME]");
            if (!names_.insert(arg).second) return fail("sensor '" + arg + "' defined twice");
            s_.sensors.emplace_back();
            s_.sensors.back().name = arg;
            sensorLines_.push_back(line_);
            return kind_ = Kind::Sensor, Status::success();
        }
        return fail("unknown section [" + inner + "]");
    }

    Status entry(const std::string& l) {
        std::size_t eq = l.find('=');
        if (eq == std::string::npos) return fail("expected key = value");
        key_ = Lower(Trim(l.substr(0, eq)));
        value_ = Trim(l.substr(eq + 1));
        switch (kind_) {
            case Kind::None:
                return fail("key '" + key_ + "' outside a section");
            case Kind::Bench:
                return bench();
            case Kind::Tx:
                return controller(s_.tx, false);
            case Kind::Rx:
                return controller(s_.rx, true);
            case Kind::Channel:
                return channel(s_.channels[channel_]);
            case Kind::Sensor:
                return sensor(s_.sensors.back());
            case Kind::Site:
                return site();
        }
        return fail("unexpected key");
    }

    Status unknown() const { return fail("unknown key '" + key_ + "'"); }

    Status integer(int& out, long lo, long hi) {
        long v = 0;
        if (!ParseInt(value_, v) || v < lo || v > hi)
            return fail(key_ + " must be an integer from " + std::to_string(lo) + " to " +
                        std::to_string(hi));
        out = static_cast<int>(v);
        return Status::success();
    }

    Status real(double& out, double lo, double hi) {
        double v = 0;
        if (!ParseDouble(value_, v) || v < lo || v > hi)
            return fail(key_ + " must be a number from " + Format(lo) + " to " + Format(hi));
        out = v;
        return Status::success();
    }

    static std::string Format(double v) {
        std::ostringstream os;
        os << v;
        return os.str();
    }

    Status boolean(bool& out) {
        if (!ParseBool(value_, out)) return fail(key_ + " must be yes or no");
        return Status::success();
    }

    Status bench() {
        if (key_ == "tx_port") return integer(s_.txPort, 1, 127);
        if (key_ == "rx_port") return integer(s_.rxPort, 1, 127);
        if (key_ == "site_port") return integer(s_.sitePort, 0, 127);
        if (key_ == "other_ports") {
            s_.otherPorts.clear();
            std::string list = value_;
            std::replace(list.begin(), list.end(), ',', ' ');
            std::istringstream in(list);
            std::string item;
            while (in >> item) {
                long n = 0;
                if (!ParseInt(item, n) || n < 1 || n > 127)
                    return fail("other_ports must list port numbers 1 to 127");
                s_.otherPorts.push_back(static_cast<int>(n));
            }
            return Status::success();
        }
        return unknown();
    }

    Status controller(ControllerConfig& c, bool isRx) {
        if (key_ == "boot_version") return integer(c.bootVersion, 0, 255);
        if (key_ == "firmware") {
            if (!ParseVersion(value_, c.fwMajor, c.fwMinor))
                return fail("firmware must be major.minor, each 0 to 255");
            return Status::success();
        }
        if (key_ == "flashed_firmware") {
            if (!ParseVersion(value_, c.flashedMajor, c.flashedMinor))
                return fail("flashed_firmware must be major.minor, each 0 to 255");
            return Status::success();
        }
        if (key_ == "identity") return integer(c.identity, 0, 255);
        if (key_ == "identity_written") return boolean(c.identityWritten);
        if (key_ == "reply_delay_us") return integer(c.replyDelayUs, 0, 10000000);
        if (key_ == "partial_bytes") return integer(c.partialBytes, 0, 255);
        if (key_ == "flash_reply") return integer(c.flashReply, 0, 255);
        if (key_ == "answer") {
            std::string v = Lower(value_);
            if (v == "full")
                c.answer = AnswerMode::Full;
            else if (v == "none")
                c.answer = AnswerMode::None;
            else if (v == "partial")
                c.answer = AnswerMode::Partial;
            else
                return fail("answer must be full, none or partial");
            return Status::success();
        }
        if (!isRx && key_ == "ignore_stop") return boolean(c.ignoreStop);
        if (isRx && key_ == "stream") {
            std::string v = Lower(value_);
            if (v != "normal" && v != "silent") return fail("stream must be normal or silent");
            c.streamSilent = v == "silent";
            return Status::success();
        }
        if (isRx && key_ == "drop_rate") return real(c.dropRate, 0, 1);
        if (isRx && key_ == "antennas_need_power") return boolean(c.antennasNeedPower);
        return unknown();
    }

    Status channel(ChannelConfig& c) {
        if (key_ == "receiver" || key_ == "reading") {
            if (channel_ == 0) receiverGiven_ = true;
            return key_ == "receiver" ? integer(c.receiverType, 0, kReceiverTypeCount - 1)
                                      : integer(c.reading, 0, 1023);
        }
        if (key_ == "idle") return integer(c.idleLevel, 0, 1);
        if (key_ == "noise") return real(c.noise, 0, 1);
        if (key_ == "glitch_rate") return real(c.glitchRate, 0, 100000);
        if (key_ == "glitch_us") return integer(c.glitchUs, 10, 100000);
        if (key_ == "lse") {
            std::string v = Lower(value_);
            if (v == "none") {
                c.lse = LseKind::None;
                return Status::success();
            }
            if (channel_ != 0) return fail("an LSE sensor can only drive channel 1");
            if (v == "optical")
                c.lse = LseKind::Optical;
            else if (v == "magnetic")
                c.lse = LseKind::Magnetic;
            else
                return fail("lse must be none, optical or magnetic");
            lseSet_ = true;
            return Status::success();
        }
        // Optical marks need at least nine samples per step: 3000 rpm is the ceiling.
        if (key_ == "lse_rpm") return real(c.lseRpm, 1, 3000);
        if (key_ == "lse_direction") {
            std::string v = Lower(value_);
            if (v != "forward" && v != "backward")
                return fail("lse_direction must be forward or backward");
            c.lseForward = v == "forward";
            return Status::success();
        }
        return unknown();
    }

    Status sensor(SensorConfig& c) {
        if (key_ == "channel") return integer(c.channel, 1, 4);
        if (key_ == "coding") {
            std::string v = Lower(value_);
            if (v == "manchester" || v == "0")
                c.coding = config::CodingType::ManchesterStandard;
            else if (v == "inverted" || v == "1")
                c.coding = config::CodingType::ManchesterInverted;
            else if (v == "biphase" || v == "2")
                c.coding = config::CodingType::BiphaseS;
            else if (v == "pwm" || v == "3")
                c.coding = config::CodingType::Pwm;
            else
                return fail("coding must be manchester, inverted, biphase or pwm");
            return Status::success();
        }
        if (key_ == "baud") return integer(c.baudRate, 500, 50000);
        if (key_ == "preamble") return c.preamble = value_, Status::success();
        if (key_ == "id") return c.id = value_, Status::success();
        if (key_ == "pressure") return integer(c.pressure, 0, 255);
        if (key_ == "temperature") return integer(c.temperature, 0, 255);
        if (key_ == "checksum") {
            std::string v = Lower(value_);
            if (v == "sum")
                c.checksum = ChecksumKind::Sum8;
            else if (v == "crc8")
                c.checksum = ChecksumKind::Crc8;
            else if (v == "none")
                c.checksum = ChecksumKind::None;
            else
                return fail("checksum must be sum, crc8 or none");
            return Status::success();
        }
        if (key_ == "crc_poly") return integer(c.crcPoly, 0, 255);
        if (key_ == "crc_init") return integer(c.crcInit, 0, 255);
        if (key_ == "pwm0" || key_ == "pwm1") {
            if (value_.size() != 3 || value_.find_first_not_of("01") != std::string::npos)
                return fail(key_ + " must be three chips such as 100");
            (key_ == "pwm0" ? c.pwm0 : c.pwm1) = value_;
            return Status::success();
        }
        if (key_ == "wake") {
            std::string v = Lower(value_);
            if (v == "any")
                c.wake = WakeMode::Any;
            else if (v == "id")
                c.wake = WakeMode::Id;
            else if (v == "cw")
                c.wake = WakeMode::Carrier;
            else if (v == "none")
                c.wake = WakeMode::Never;
            else
                return fail("wake must be any, id, cw or none");
            return Status::success();
        }
        if (key_ == "wake_delay_ms") return integer(c.wakeDelayMs, 0, 3600000);
        if (key_ == "min_level") return integer(c.minLevelPercent, 0, 100);
        if (key_ == "period_ms") return integer(c.periodMs, 0, 3600000);
        if (key_ == "phase_ms") return integer(c.phaseMs, 0, 3600000);
        if (key_ == "jitter_ms") return integer(c.jitterMs, 0, 3600000);
        if (key_ == "repeat") return integer(c.repeat, 1, 100);
        if (key_ == "repeat_gap_ms") return integer(c.repeatGapMs, 0, 3600000);
        return unknown();
    }

    Status site() {
        if (key_ == "auto_answer") return boolean(s_.siteAutoAnswer);
        if (key_ == "line") {
            std::size_t space = value_.find_first_of(" \t");
            long ms = 0;
            if (space == std::string::npos || !ParseInt(value_.substr(0, space), ms) || ms < 0)
                return fail("line must be: milliseconds text");
            s_.siteLines.push_back(SiteLine{ms, Trim(value_.substr(space))});
            return Status::success();
        }
        return unknown();
    }

    Status finish() {
        std::set<int> ports = {s_.txPort, s_.rxPort};
        if (ports.size() != 2) return Status::failure("tx_port and rx_port must differ");
        if (s_.sitePort > 0 && !ports.insert(s_.sitePort).second)
            return Status::failure("site_port must differ from the controller ports");
        for (int n : s_.otherPorts)
            if (!ports.insert(n).second)
                return Status::failure("other_ports repeats port " + std::to_string(n));
        if (lseSet_ && !receiverGiven_) {
            ChannelConfig& c = s_.channels[0];
            c.receiverType = c.lse == LseKind::Optical ? kReceiverLseOptical : kReceiverLseMagnetic;
        }
        for (std::size_t i = 0; i < s_.sensors.size(); ++i) {
            SensorFrame frame;
            Status st = BuildSensorFrame(s_.sensors[i], frame);
            if (!st)
                return Status::failure("line " + std::to_string(sensorLines_[i]) + ": sensor '" +
                                       s_.sensors[i].name + "': " + st.message);
        }
        return Status::success();
    }

    Scenario& s_;
    int line_ = 0;
    Kind kind_ = Kind::None;
    int channel_ = 0;
    std::string key_;
    std::string value_;
    std::set<std::string> names_;
    std::vector<int> sensorLines_;
    bool lseSet_ = false;
    bool receiverGiven_ = false;
};

}  // namespace

int ChannelConfig::effectiveReading() const {
    if (reading >= 0) return reading;
    return kReceiverReadings[std::clamp(receiverType, 0, kReceiverTypeCount - 1)];
}

Scenario::Scenario() {
    tx.identity = kTxIdentity;
    rx.identity = kRxIdentity;
}

Status ParseScenario(const std::string& text, Scenario& out) {
    Scenario parsed;
    Status st = Parser(parsed).run(text);
    if (st) out = parsed;
    return st;
}

Scenario DefaultScenario() {
    Scenario s;
    s.channels[1].receiverType = 3;  // RF 433.92MHz
    s.channels[2].receiverType = 2;  // RF 315.00MHz

    SensorConfig a;
    a.name = "front-left";
    a.channel = 2;
    a.coding = config::CodingType::ManchesterStandard;
    a.baudRate = 9600;
    a.preamble = "FFFh";
    a.id = "1A2B3C4D";
    a.pressure = 0x9A;
    a.temperature = 0x41;
    a.checksum = ChecksumKind::Sum8;
    a.wake = WakeMode::Any;
    a.wakeDelayMs = 20;
    s.sensors.push_back(a);

    SensorConfig b;
    b.name = "rear-right";
    b.channel = 3;
    b.coding = config::CodingType::BiphaseS;
    b.baudRate = 4800;
    b.preamble = "0000h";
    b.id = "00C0FFEE";
    b.pressure = 0x80;
    b.temperature = 0x46;
    b.checksum = ChecksumKind::Crc8;
    b.crcPoly = 0x07;
    b.crcInit = 0x00;
    b.wake = WakeMode::Id;
    b.wakeDelayMs = 35;
    b.periodMs = 5000;
    s.sensors.push_back(b);
    return s;
}

}  // namespace vornlfrf::sim
