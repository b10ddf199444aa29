#pragma once
// Receiver types plugged on the four channels, identified by the voltage divider each receiver
// carries: the TX controller's converter reads it as 0..1023.

#include <array>

namespace vornlfrf::hw {

inline constexpr int kReceiverTypeCount = 16;
inline constexpr int kReceiverNotConnected = 0;
inline constexpr int kReceiverLseOptical = 10;
inline constexpr int kReceiverLseMagnetic = 11;

extern const std::array<const char*, kReceiverTypeCount> ReceiverTypes;

// Index into ReceiverTypes of a converter reading; a missing reading (negative) counts as no
// receiver.
int ClassifyReceiverCode(int value);

}  // namespace vornlfrf::hw
