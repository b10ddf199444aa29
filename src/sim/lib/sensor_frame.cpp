#include "sensor_frame.h"

#include "config/content_parser.h"

namespace vornlfrf::sim {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::uint8_t Sum8(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return static_cast<std::uint8_t>(sum);
}

std::uint8_t Crc8(std::uint8_t poly, std::uint8_t init, const std::vector<std::uint8_t>& bytes) {
    std::uint8_t crc = init;
    for (std::uint8_t b : bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i)
            crc = static_cast<std::uint8_t>((crc & 0x80) ? (crc << 1) ^ poly : crc << 1);
    }
    return crc;
}

Status BuildSensorFrame(const SensorConfig& sensor, SensorFrame& out) {
    out = SensorFrame{};
    if (sensor.id.empty() || sensor.id.size() % 2 != 0)
        return Status::failure("id must be an even number of hexadecimal digits");
    for (std::size_t i = 0; i < sensor.id.size(); i += 2) {
        int hi = HexDigit(sensor.id[i]);
        int lo = HexDigit(sensor.id[i + 1]);
        if (hi < 0 || lo < 0) return Status::failure("id must be hexadecimal digits");
        out.bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    out.bytes.push_back(static_cast<std::uint8_t>(sensor.pressure));
    out.bytes.push_back(static_cast<std::uint8_t>(sensor.temperature));
    if (sensor.checksum == ChecksumKind::Sum8) out.bytes.push_back(Sum8(out.bytes));
    if (sensor.checksum == ChecksumKind::Crc8)
        out.bytes.push_back(Crc8(static_cast<std::uint8_t>(sensor.crcPoly),
                                 static_cast<std::uint8_t>(sensor.crcInit), out.bytes));

    for (std::uint8_t b : out.bytes) {
        out.hex += kHexDigits[b >> 4];
        out.hex += kHexDigits[b & 0x0F];
    }

    // One parser call for preamble and data: Biphase-S chips depend on what precedes them.
    std::string chips = config::ParseContent(sensor.preamble + " " + out.hex + "h", sensor.coding,
                                             sensor.pwm0, sensor.pwm1);
    if (chips.compare(0, 5, "Error") == 0) return Status::failure("preamble: " + chips);
    for (char c : chips)
        if (c != '0' && c != '1')
            return Status::failure("preamble must not hold parameters or other characters");
    out.chips = chips;
    if (sensor.baudRate <= 0) return Status::failure("baud must be positive");
    int chipsPerBit = sensor.coding == config::CodingType::Pwm ? 3 : 2;
    out.chipUs = 1e6 / (static_cast<double>(sensor.baudRate) * chipsPerBit);
    return Status::success();
}

}  // namespace vornlfrf::sim
