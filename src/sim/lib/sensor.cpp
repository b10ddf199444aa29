#include "sensor.h"

#include <cmath>

#include "config/content_parser.h"

namespace vornlfrf::sim {

Sensor::Sensor(const SensorConfig& config, SensorFrame frame, std::uint64_t seed,
               Timeline& timeline, ChannelSignal& channel, Recorder recorder)
    : config_(config),
      frame_(std::move(frame)),
      idChipsStandard_(
          config::ParseContent(config.id + "h", config::CodingType::ManchesterStandard)),
      idChipsInverted_(
          config::ParseContent(config.id + "h", config::CodingType::ManchesterInverted)),
      rng_(seed),
      timeline_(timeline),
      channel_(channel),
      recorder_(std::move(recorder)) {}

void Sensor::start(std::int64_t t) {
    if (config_.periodMs <= 0) return;
    std::int64_t first = config_.phaseMs >= 0 ? config_.phaseMs : config_.periodMs;
    timeline_.at(t + first * 1000, [this](std::int64_t when) { periodic(when); });
}

void Sensor::periodic(std::int64_t t) {
    wake(t, "period");
    timeline_.at(t + std::int64_t{config_.periodMs} * 1000,
                 [this](std::int64_t when) { periodic(when); });
}

void Sensor::hearLfFrame(std::int64_t endUs, const std::string& chips, int levelPercent) {
    if (levelPercent <= 0 || levelPercent < config_.minLevelPercent) return;
    if (config_.wake == WakeMode::Any) {
        wake(endUs + std::int64_t{config_.wakeDelayMs} * 1000, "lf");
    } else if (config_.wake == WakeMode::Id) {
        // The host codes LF content in standard or inverted Manchester.
        if (chips.find(idChipsStandard_) != std::string::npos ||
            chips.find(idChipsInverted_) != std::string::npos)
            wake(endUs + std::int64_t{config_.wakeDelayMs} * 1000, "lf");
    }
}

void Sensor::hearCarrier(std::int64_t startUs, int levelPercent) {
    if (config_.wake != WakeMode::Carrier) return;
    if (levelPercent <= 0 || levelPercent < config_.minLevelPercent) return;
    wake(startUs + std::int64_t{config_.wakeDelayMs} * 1000, "cw");
}

std::int64_t Sensor::jitterUs() {
    if (config_.jitterMs <= 0) return 0;
    return static_cast<std::int64_t>(rng_() %
                                     (static_cast<std::uint64_t>(config_.jitterMs) * 1000 + 1));
}

void Sensor::wake(std::int64_t t, const char* cause) {
    // A sensor that is still answering an earlier wake-up ignores this one.
    if (busy_ && t < busyUntil_) return;
    transmit(t + jitterUs(), cause);
}

void Sensor::transmit(std::int64_t t, const char* cause) {
    auto frameUs = static_cast<std::int64_t>(std::ceil(frame_.chipUs * frame_.chips.size()));
    std::int64_t start = t;
    for (int i = 0; i < std::max(config_.repeat, 1); ++i) {
        channel_.add(Transmission{start, frame_.chipUs, frame_.chips});
        if (recorder_)
            recorder_(TransmissionRecord{config_.name, config_.channel, start, start + frameUs,
                                         frame_.hex, cause});
        busyUntil_ = start + frameUs;
        start += frameUs + std::int64_t{config_.repeatGapMs} * 1000;
    }
    busy_ = true;
}

}  // namespace vornlfrf::sim
