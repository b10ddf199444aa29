#include "run/attribution.h"

#include <gtest/gtest.h>

namespace vornlfrf::run {
namespace {

const std::array<std::string, 4> kTypes = {"not connected", "RF 433.92MHz", "RF 315.00MHz",
                                           "RF 433.92MHz"};

ReceiverSlot slot(const std::string& type, std::vector<std::string> names,
                  const std::string& modulation = "ASK") {
    return {true, type, modulation, std::move(names)};
}

TEST(Attribution, SlotsClaimChannelsInOrderAndSkipRepeatedNames) {
    config::AnalysisLog log;
    Attribution a;
    const std::array<ReceiverSlot, 4> slots = {slot("RF 433.92MHz", {"A", " B ", "A"}, "FSK"),
                                               slot("RF 433.92MHz", {}),
                                               slot("RF 315.00MHz", {"B"}), ReceiverSlot{}};
    ASSERT_TRUE(AttributeDescriptions(slots, kTypes, {"A", "B"}, log, a));
    EXPECT_EQ(a.channels[1].descriptions, (std::vector<int>{0, 1}));
    EXPECT_TRUE(a.channels[1].fsk);
    EXPECT_TRUE(a.channels[3].descriptions.empty());  // claimed by the empty slot
    EXPECT_EQ(a.channels[2].descriptions, (std::vector<int>{2}));
    EXPECT_EQ(a.working, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{
                  "----- Attribution for 'RF 433.92MHz' (FSK)-----", "Receiver found on channel 1",
                  "A", " B ", "----- Attribution for 'RF 433.92MHz' (ASK)-----",
                  "Receiver found on channel 3", "----- Attribution for 'RF 315.00MHz' (ASK)-----",
                  "Receiver found on channel 2", "B"}));
    EXPECT_EQ(antennaOutputs(a), 0x03);    // antennas 1 and 2 have descriptions
    EXPECT_EQ(antennaDirection(a), 0xF0);  // antenna 1 FSK clears bit 3
}

TEST(Attribution, FailuresStopWithTheirLine) {
    struct Case {
        std::array<ReceiverSlot, 4> slots;
        std::string last;
    } cases[] = {
        {{slot("RF 315.00MHz", {}), slot("RF 315.00MHz", {})},
         "ERROR : the corresponding receiver is missing."},
        {{slot("not connected", {})}, "ERROR : the corresponding receiver is missing."},
        {{slot("RF 315.00MHz", {"Nope"})}, "ERROR : 'Nope ' description not found !"},
    };
    for (const Case& c : cases) {
        config::AnalysisLog log;
        Attribution a;
        EXPECT_FALSE(AttributeDescriptions(c.slots, kTypes, {"A"}, log, a));
        EXPECT_EQ(log.lines().back(), c.last);
    }
    std::vector<std::string> names;
    for (int i = 0; i < 17; ++i) names.push_back("D" + std::to_string(i));
    config::AnalysisLog log;
    Attribution a;
    EXPECT_FALSE(AttributeDescriptions({slot("RF 315.00MHz", names)}, kTypes, names, log, a));
    EXPECT_EQ(log.lines().back(), "ERROR : the maximum of Frame Descriptions is 16");
}

}  // namespace
}  // namespace vornlfrf::run
