#include "bench.h"

#include <algorithm>
#include <map>
#include <set>

#include "channel_signal.h"
#include "controller.h"
#include "random.h"
#include "tables.h"
#include "test_site.h"

namespace vornlfrf::sim {

struct BenchState : LfListener, SampleSource {
    BenchState(const Scenario& s, Bench::Clock c, std::uint64_t seed);

    std::int64_t sync();
    std::int64_t nextActivity() const;
    void lfFrameEmitted(std::int64_t endUs, const LfFrame& frame) override;
    void lfCarrierStarted(std::int64_t startUs, std::uint8_t levelCode) override;
    std::uint8_t sample(std::int64_t tUs, unsigned poweredAntennas) override;
    void trace(std::int64_t t, const std::string& text) const {
        if (traceFn) traceFn(t, text);
    }

    Scenario scenario;
    Bench::Clock clock;
    std::int64_t last = 0;
    Timeline timeline;
    std::vector<ChannelSignal> channels;
    std::unique_ptr<TxController> tx;
    std::unique_ptr<RxController> rx;
    std::unique_ptr<TestSite> site;
    std::vector<std::unique_ptr<SilentEndpoint>> silent;
    std::vector<std::unique_ptr<Sensor>> sensors;
    std::map<int, Endpoint*> endpoints;
    std::set<int> open;
    std::vector<TransmissionRecord> transmissions;
    std::vector<std::string> problems;
    Bench::Trace traceFn;
    std::unique_ptr<hw::PortProvider> provider;
};

namespace {

class EmulatedPort : public hw::SerialPort {
  public:
    EmulatedPort(std::weak_ptr<BenchState> state, int number, Endpoint* endpoint)
        : state_(std::move(state)), number_(number), endpoint_(endpoint) {}

    ~EmulatedPort() override {
        if (auto s = state_.lock()) {
            endpoint_->detach(s->sync());
            s->open.erase(number_);
        }
    }

    std::size_t read(std::uint8_t* buffer, std::size_t max) override {
        auto s = state_.lock();
        if (!s) return 0;
        return endpoint_->deliver(s->sync(), buffer, max);
    }

    bool write(const std::uint8_t* data, std::size_t n) override {
        auto s = state_.lock();
        if (!s) return false;
        endpoint_->receive(s->sync(), data, n);
        return true;
    }

    bool setBaudRate(int rate) override {
        auto s = state_.lock();
        if (!s || rate <= 0) return false;
        return endpoint_->baudChanged(s->sync(), rate);
    }

    void setRts(bool on) override {
        auto s = state_.lock();
        if (!s || on == rts_) return;
        rts_ = on;
        endpoint_->rtsChanged(s->sync(), on);
    }

    void setDtr(bool on) override { dtr_ = on; }

    void purge() override {
        if (auto s = state_.lock()) endpoint_->purge(s->sync());
    }

  private:
    std::weak_ptr<BenchState> state_;
    int number_;
    Endpoint* endpoint_;
    bool rts_ = false;
    bool dtr_ = false;
};

bool LineHigh(hw::LineMode mode) {
    return mode == hw::LineMode::Enabled || mode == hw::LineMode::Handshake;
}

class BenchPorts : public hw::PortProvider {
  public:
    explicit BenchPorts(std::weak_ptr<BenchState> state) : state_(std::move(state)) {}

    std::unique_ptr<hw::SerialPort> OpenPort(int number, int baudRate, hw::LineMode rts,
                                             hw::LineMode dtr) override {
        auto s = state_.lock();
        if (!s || baudRate <= 0) return nullptr;
        auto it = s->endpoints.find(number);
        if (it == s->endpoints.end() || s->open.count(number)) return nullptr;
        s->open.insert(number);
        it->second->attach(s->sync(), baudRate);
        auto port = std::make_unique<EmulatedPort>(state_, number, it->second);
        if (LineHigh(rts)) port->setRts(true);
        if (LineHigh(dtr)) port->setDtr(true);
        return port;
    }

    std::vector<int> EnumeratePorts() override {
        std::vector<int> numbers;
        if (auto s = state_.lock())
            for (const auto& entry : s->endpoints) numbers.push_back(entry.first);
        return numbers;
    }

    int adapterChannelPort(int channel) override {
        auto s = state_.lock();
        if (!s) return 0;
        if (channel == 0) return s->scenario.txPort;
        if (channel == 1) return s->scenario.rxPort;
        return 0;
    }

  private:
    std::weak_ptr<BenchState> state_;
};

}  // namespace

BenchState::BenchState(const Scenario& s, Bench::Clock c, std::uint64_t seed)
    : scenario(s), clock(std::move(c)) {
    last = clock();
    for (int i = 0; i < 4; ++i) channels.emplace_back(scenario.channels[i], i, seed);
    std::array<int, 4> readings{};
    for (int i = 0; i < 4; ++i) readings[i] = scenario.channels[i].effectiveReading();
    tx = std::make_unique<TxController>(scenario.tx, timeline, readings, *this);
    rx = std::make_unique<RxController>(scenario.rx, timeline, *this, seed);
    auto traceController = [this](std::int64_t t, const std::string& text) { trace(t, text); };
    tx->setTrace("TX", traceController);
    rx->setTrace("RX", traceController);
    endpoints[scenario.txPort] = tx.get();
    endpoints[scenario.rxPort] = rx.get();
    if (scenario.sitePort > 0) {
        site = std::make_unique<TestSite>(scenario.siteAutoAnswer);
        site->onLine([this](const std::string& line) { trace(last, "site received: " + line); });
        endpoints[scenario.sitePort] = site.get();
        for (const SiteLine& line : scenario.siteLines)
            timeline.at(last + line.atMs * 1000,
                        [this, text = line.text](std::int64_t t) { site->sendLine(t, text); });
    }
    for (int number : scenario.otherPorts) {
        if (endpoints.count(number)) continue;
        silent.push_back(std::make_unique<SilentEndpoint>());
        endpoints[number] = silent.back().get();
    }
    for (std::size_t i = 0; i < scenario.sensors.size(); ++i) {
        const SensorConfig& config = scenario.sensors[i];
        SensorFrame frame;
        Status built = BuildSensorFrame(config, frame);
        if (built && (config.channel < 1 || config.channel > 4))
            built = Status::failure("channel must be 1 to 4");
        if (!built) {
            problems.push_back("sensor '" + config.name + "' left out: " + built.message);
            continue;
        }
        auto recorder = [this](const TransmissionRecord& r) {
            transmissions.push_back(r);
            trace(r.startUs, "sensor " + r.sensor + " on channel " + std::to_string(r.channel) +
                                 " (" + r.cause + "): " + r.hex);
        };
        sensors.push_back(std::make_unique<Sensor>(config, std::move(frame),
                                                   Mix64(seed ^ (kSensorStream + i)), timeline,
                                                   channels[config.channel - 1], recorder));
        sensors.back()->start(last);
    }
}

std::int64_t BenchState::sync() {
    last = std::max(last, clock());
    timeline.runUntil(last);
    for (auto& entry : endpoints) entry.second->advance(last);
    return last;
}

std::int64_t BenchState::nextActivity() const {
    std::int64_t next = timeline.nextDue();
    for (const auto& entry : endpoints) next = std::min(next, entry.second->nextActivity());
    return next;
}

void BenchState::lfFrameEmitted(std::int64_t endUs, const LfFrame& frame) {
    int percent = LfLevelPercent(frame.levelCode);
    for (auto& sensor : sensors) sensor->hearLfFrame(endUs, frame.chips, percent);
}

void BenchState::lfCarrierStarted(std::int64_t startUs, std::uint8_t levelCode) {
    int percent = LfLevelPercent(levelCode);
    for (auto& sensor : sensors) sensor->hearCarrier(startUs, percent);
}

std::uint8_t BenchState::sample(std::int64_t tUs, unsigned poweredAntennas) {
    std::uint8_t nibble = 0;
    for (int c = 0; c < 4; ++c) {
        int level = channels[c].level(tUs);
        // An antenna receiver without power gives no signal.
        if (c > 0 && !(poweredAntennas & (1u << (c - 1)))) level = 0;
        nibble |= static_cast<std::uint8_t>(level << c);
    }
    return nibble;
}

Bench::Bench(const Scenario& scenario, Clock clock, std::uint64_t seed)
    : state_(std::make_shared<BenchState>(scenario, std::move(clock), seed)) {
    state_->provider = std::make_unique<BenchPorts>(state_);
}

Bench::~Bench() = default;

hw::PortProvider& Bench::ports() {
    return *state_->provider;
}
std::int64_t Bench::sync() {
    return state_->sync();
}
std::int64_t Bench::nextActivity() const {
    return state_->nextActivity();
}
TxController& Bench::tx() {
    return *state_->tx;
}
RxController& Bench::rx() {
    return *state_->rx;
}
TestSite* Bench::testSite() {
    return state_->site.get();
}
const Scenario& Bench::scenario() const {
    return state_->scenario;
}
const std::vector<TransmissionRecord>& Bench::transmissions() const {
    return state_->transmissions;
}
void Bench::setTrace(Trace trace) {
    state_->traceFn = std::move(trace);
}

bool Bench::siteSend(const std::string& text) {
    if (!state_->site) return false;
    state_->site->sendLine(state_->sync(), text);
    return true;
}

const std::vector<std::string>& Bench::problems() const {
    return state_->problems;
}

}  // namespace vornlfrf::sim
