#include "hw/receiver_types.h"

namespace vornlfrf::hw {

const std::array<const char*, kReceiverTypeCount> ReceiverTypes = {
    "not connected", "LF 125.00kHz", "RF 315.00MHz", "RF 433.92MHz", "RF 434.42MHz", "RF 314.82MHz",
    "Specific1",     "Specific2",    "Specific3",    "Specific4",    "LSE Optical",  "LSE Magnetic",
    "not defined",   "not defined",  "not defined",  "not defined",
};

namespace {

// Upper bounds (exclusive) of the reading for indexes 0..14; anything higher is 15.
constexpr std::array<int, kReceiverTypeCount - 1> kUpperBounds = {
    32, 98, 162, 225, 288, 357, 420, 479, 537, 597, 664, 733, 805, 861, 915};

}  // namespace

int ClassifyReceiverCode(int value) {
    for (std::size_t i = 0; i < kUpperBounds.size(); ++i)
        if (value < kUpperBounds[i]) return static_cast<int>(i);
    return kReceiverTypeCount - 1;
}

}  // namespace vornlfrf::hw
