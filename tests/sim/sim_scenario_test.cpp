#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "scenario.h"
#include "sensor_frame.h"

namespace vornlfrf::sim {
namespace {

TEST(Scenario, ExampleFileReads) {
    std::ifstream in(std::string(VORNLFRF_EXAMPLES) + "/bench.scenario", std::ios::binary);
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    Scenario s;
    Status st = ParseScenario(text.str(), s);
    ASSERT_TRUE(st.ok) << st.message;
    EXPECT_EQ(s.otherPorts, (std::vector<int>{3, 9}));
    EXPECT_EQ(s.channels[3].idleLevel, 1);
    ASSERT_EQ(s.sensors.size(), 3u);
    EXPECT_EQ(s.sensors[1].name, "rear-right");
    EXPECT_EQ(s.sensors[1].coding, config::CodingType::BiphaseS);
    EXPECT_EQ(s.sensors[1].temperature, 0x46);
    EXPECT_EQ(s.sensors[2].wake, WakeMode::Carrier);
    EXPECT_EQ(s.sensors[2].pressure, 0x70);
    ASSERT_EQ(s.siteLines.size(), 1u);
    EXPECT_EQ(s.siteLines[0].atMs, 2000);
    EXPECT_EQ(s.siteLines[0].text, "INIT");
}

TEST(Scenario, DefaultHasTwoSensorsWithDifferentCodings) {
    Scenario s = DefaultScenario();
    ASSERT_EQ(s.sensors.size(), 2u);
    EXPECT_NE(s.sensors[0].channel, s.sensors[1].channel);
    EXPECT_NE(s.sensors[0].coding, s.sensors[1].coding);
    EXPECT_EQ(s.txPort, 5);
    EXPECT_EQ(s.rxPort, 6);
    EXPECT_EQ(s.tx.identity, 105);
    EXPECT_EQ(s.rx.identity, 150);
    for (const SensorConfig& sensor : s.sensors) {
        SensorFrame frame;
        EXPECT_TRUE(BuildSensorFrame(sensor, frame).ok) << sensor.name;
    }
}

TEST(Scenario, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"[tx]\nfoo = 1\n", "line 2: unknown key 'foo'"},
        {"boot_version = 1\n", "line 1: key 'boot_version' outside a section"},
        {"[channel 5]\n", "line 1: channel must be 1 to 4"},
        {"# x\n[sensor a]\ncoding = nrz\n",
         "line 3: coding must be manchester, inverted, biphase or pwm"},
        {"[sensor a]\nid = 123\n", "line 1: sensor 'a': id must be an even number"},
        {"[sensor a]\npreamble = 12H\n", "line 1: sensor 'a': preamble: Error suffix with 12H"},
        {"[sensor a]\n[sensor a]\n", "line 2: sensor 'a' defined twice"},
        {"[bench]\nrx_port = 5\n", "tx_port and rx_port must differ"},
        {"[bench]\nother_ports = 6\n", "other_ports repeats port 6"},
        {"[channel 2]\nlse = optical\n", "line 2: an LSE sensor can only drive channel 1"},
        {"[rx]\ndrop_rate = 2\n", "line 2: drop_rate must be a number from 0 to 1"},
        {"[tx]\nfirmware = 4\n", "line 2: firmware must be major.minor"},
        {"[tx]\nstream = silent\n", "line 2: unknown key 'stream'"},
        {"[tx\n", "line 1: section header must end with ']'"},
    };
    for (const Case& c : cases) {
        Scenario s;
        s.txPort = 42;
        Status st = ParseScenario(c.text, s);
        EXPECT_FALSE(st.ok) << c.text;
        EXPECT_EQ(st.message.rfind(c.message, 0), 0u) << st.message;
        EXPECT_EQ(s.txPort, 42) << "a failed read leaves the scenario alone";
    }
}

TEST(Scenario, LseChannelDefaultsToItsReceiverType) {
    Scenario s;
    ASSERT_TRUE(ParseScenario("[channel 1]\nlse = magnetic\n", s).ok);
    EXPECT_EQ(s.channels[0].receiverType, 11);
    ASSERT_TRUE(ParseScenario("[channel 1]\nlse = optical\nreading = 20\n", s).ok);
    EXPECT_EQ(s.channels[0].effectiveReading(), 20);
}

}  // namespace
}  // namespace vornlfrf::sim
