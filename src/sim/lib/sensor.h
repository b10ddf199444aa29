#pragma once
// An emulated sensor: hears the LF the TX controller emits and answers on its channel with its
// RF frame after a delay; may also transmit on its own at a fixed period.

#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "channel_signal.h"
#include "scenario.h"
#include "sensor_frame.h"
#include "timeline.h"

namespace vornlfrf::sim {

struct TransmissionRecord {
    std::string sensor;
    int channel = 0;
    std::int64_t startUs = 0;
    std::int64_t endUs = 0;
    std::string hex;
    std::string cause;  // "lf", "cw" or "period"
};

class Sensor {
  public:
    using Recorder = std::function<void(const TransmissionRecord&)>;

    // frame must come from BuildSensorFrame(config).
    Sensor(const SensorConfig& config, SensorFrame frame, std::uint64_t seed, Timeline& timeline,
           ChannelSignal& channel, Recorder recorder);

    void start(std::int64_t t);
    void hearLfFrame(std::int64_t endUs, const std::string& chips, int levelPercent);
    void hearCarrier(std::int64_t startUs, int levelPercent);

    const SensorConfig& config() const { return config_; }
    const SensorFrame& frame() const { return frame_; }

  private:
    void wake(std::int64_t t, const char* cause);
    void transmit(std::int64_t t, const char* cause);
    void periodic(std::int64_t t);
    std::int64_t jitterUs();

    SensorConfig config_;
    SensorFrame frame_;
    std::string idChipsStandard_;
    std::string idChipsInverted_;
    std::mt19937_64 rng_;
    Timeline& timeline_;
    ChannelSignal& channel_;
    Recorder recorder_;
    std::int64_t busyUntil_ = 0;
    bool busy_ = false;
};

}  // namespace vornlfrf::sim
