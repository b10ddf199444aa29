#include "common/listeners.h"

#include <gtest/gtest.h>

namespace vornlfrf {
namespace {

TEST(Listeners, EveryLiveViewHearsAndDroppedOnesNeverDo) {
    Listeners listeners;
    std::vector<char> heard;
    auto a = listeners.subscribe([&] { heard.push_back('a'); });
    Listeners::Handle b;
    // a drops b during a notification: b is not called any more, even in that round.
    auto dropper = listeners.subscribe([&] {
        heard.push_back('d');
        b.reset();
    });
    b = listeners.subscribe([&] { heard.push_back('b'); });
    listeners.notify();
    EXPECT_EQ(heard, (std::vector<char>{'a', 'd'}));
    EXPECT_EQ(listeners.size(), 2u);

    heard.clear();
    a.reset();
    listeners.notify();
    EXPECT_EQ(heard, std::vector<char>{'d'});
}

}  // namespace
}  // namespace vornlfrf
