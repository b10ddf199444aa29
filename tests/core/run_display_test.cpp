#include "run/run_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vornlfrf::run {
namespace {

TEST(RunDisplay, TimeDifferenceOfClickedRows) {
    std::int64_t t = 0;
    ASSERT_TRUE(rowTimeTenths(R"(_RTime="1803.712" _ATime="x" _PTime="1.000" ID="1")", t));
    EXPECT_EQ(t, 18037);
    ASSERT_TRUE(rowTimeTenths(R"(_PTime="9.9" _RTime="-0.050" ID="1")", t));
    EXPECT_EQ(t, 0);
    ASSERT_TRUE(rowTimeTenths(R"(_RTime="12")", t));
    EXPECT_EQ(t, 120);
    // Only the attribute itself counts, not a name that ends the same way or a value.
    EXPECT_FALSE(rowTimeTenths(R"(X_RTime="5.0" Desc="_RTime=")", t));
    EXPECT_FALSE(rowTimeTenths(R"(_RTime="abc")", t));
    EXPECT_FALSE(rowTimeTenths(R"(_RTime="12345678901234567890.1")", t));

    EXPECT_EQ(deltaTimeText(18037, 18049), "1.2ms");
    EXPECT_EQ(deltaTimeText(18049, 18037), "1.2ms");
    EXPECT_EQ(deltaTimeText(0, 5), "0.5ms");
    EXPECT_EQ(deltaTimeText(7, 7), "0.0ms");
    EXPECT_EQ(deltaTimeText(0, 123), "12.3ms");

    TimeDelta delta;
    EXPECT_EQ(delta.click(R"(_RTime="1803.712" ID="A")"), "-");
    EXPECT_EQ(delta.click(R"(_RTime="1804.937" ID="B")"), "1.2ms");
    EXPECT_EQ(delta.click(R"(_RTime="1804.400" ID="B")"), "0.5ms");
    // A row without a time is no reference: the next click starts again.
    EXPECT_EQ(delta.click("ID=\"C\""), "-");
    EXPECT_EQ(delta.click(R"(_RTime="1.000")"), "-");
    delta.reset();
    EXPECT_EQ(delta.click(R"(_RTime="2.000")"), "-");
}

TEST(RunDisplay, BarGraphScaleGrowsWhenACountReachesIt) {
    BarScale scale;
    EXPECT_FALSE(scale.update(99));
    EXPECT_EQ(scale.value(), 100);
    EXPECT_EQ(barLength(99, scale.value()), 99);
    EXPECT_TRUE(scale.update(100));
    EXPECT_EQ(scale.value(), 200);
    EXPECT_EQ(barLength(100, scale.value()), 50);
    EXPECT_EQ(barLength(1, scale.value()), 1);  // at least one pixel
    EXPECT_EQ(barLength(0, scale.value()), 1);
    EXPECT_TRUE(scale.update(450));  // an entry that jumps in grows it past its count
    EXPECT_EQ(scale.value(), 500);
    scale.reset();
    EXPECT_EQ(scale.value(), 100);
}

TEST(RunDisplay, MeterPositionIsClippedAndMarked) {
    // min 0, max 10: factor 10.
    const struct {
        double v;
        int p;
        bool clipped;
    } cases[] = {
        {12.5, 100, true},
        {5, 50, false},
        {10, 100, false},
        {-0.05, 0, false},  // truncated toward zero before the clip
        {-3, 0, true},
        {1e300, 100, true},
        {std::numeric_limits<double>::quiet_NaN(), 0, false},  // no number counts as 0
    };
    for (const auto& c : cases) {
        const MeterPosition m = meterPosition(c.v, 0, 10);
        EXPECT_EQ(m.p, c.p) << c.v;
        EXPECT_EQ(m.clipped, c.clipped) << c.v;
    }
    EXPECT_TRUE(meterPosition(5, 5, std::numeric_limits<double>::infinity()).clipped);
    EXPECT_EQ(meterValue("12.5"), 12.5);
    EXPECT_EQ(meterValue(" 3.25 "), 3.25);
    EXPECT_EQ(meterValue("12.5kPa"), 0);
    EXPECT_EQ(meterValue(""), 0);
    EXPECT_EQ(needleAngle(0), -157.5);
    EXPECT_EQ(needleAngle(100), -382.5);
    EXPECT_EQ(meterScaleLabel(0, 1, 0), "0.0");
    EXPECT_EQ(meterScaleLabel(-50, 15, 10), "100.0");
    EXPECT_EQ(meterScaleLabel(0, 0.25, 3), "0.8");
}

TEST(RunDisplay, LedStaysLitFourTicksAfterTheLastActivity) {
    ChannelLeds leds;
    leds.activity(2);
    leds.activity(7);  // no such channel
    EXPECT_EQ(leds.tick(), (std::array<bool, 4>{false, false, true, false}));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(leds.tick()[2]) << i;
    EXPECT_FALSE(leds.tick()[2]);
    // Activity while lit starts the hold again.
    leds.activity(0);
    leds.tick();
    leds.tick();
    leds.activity(0);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(leds.tick()[0]) << i;
    EXPECT_FALSE(leds.tick()[0]);
    leds.activity(1);
    leds.tick();
    leds.reset();
    EXPECT_FALSE(leds.lit()[1]);
    EXPECT_FALSE(leds.tick()[1]);
}

TEST(RunDisplay, RowTintAndAttributeRuns) {
    EXPECT_EQ(rowTint("ID=\"1\"", 2), RowTint::Channel2);
    EXPECT_EQ(rowTint("ID=\"1\"", 4), RowTint::Plain);
    EXPECT_EQ(rowTint(R"(ID="1" CKSGood="0" X="1")", 1), RowTint::BadCheck);
    EXPECT_EQ(rowTint(R"(ID="1" CKSGood="01")", 1), RowTint::Channel1);

    const std::string row = R"(_RTime="1.0" Desc="a "b" c" X="" tail)";
    std::string drawn;
    std::vector<std::pair<RowRun::Kind, std::string>> pieces;
    for (const RowRun& r : rowRuns(row)) {
        pieces.emplace_back(r.kind, row.substr(r.start, r.length));
        drawn += row.substr(r.start, r.length);
    }
    EXPECT_EQ(drawn, row);  // every byte drawn once
    using K = RowRun::Kind;
    const std::vector<std::pair<RowRun::Kind, std::string>> expected = {
        {K::Name, "_RTime"}, {K::Text, "=\""},       {K::Value, "1.0"},       {K::Text, "\" "},
        {K::Name, "Desc"},   {K::Text, "=\""},       {K::Value, "a \"b\" c"}, {K::Text, "\" "},
        {K::Name, "X"},      {K::Text, "=\"\" tail"}};
    EXPECT_EQ(pieces, expected);
    EXPECT_TRUE(rowRuns("").empty());
    EXPECT_EQ(rowRuns("no attributes").size(), 1u);
}

TEST(RunDisplay, ElapsedText) {
    EXPECT_EQ(elapsedText(0), "00h 00mn 00sec");
    EXPECT_EQ(elapsedText(3723999), "01h 02mn 03sec");
    EXPECT_EQ(elapsedText(-5), "00h 00mn 00sec");
    EXPECT_EQ(elapsedText(101LL * 3600000), "101h 00mn 00sec");
}

}  // namespace
}  // namespace vornlfrf::run
