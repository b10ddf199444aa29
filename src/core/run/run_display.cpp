#include "run/run_display.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "config/run_conf.h"

namespace vornlfrf::run {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Value of the attribute name, or npos when the row has none.
std::size_t attributeValue(std::string_view row, std::string_view name) {
    const std::string key = std::string(name) + "=\"";
    for (std::size_t p = row.find(key); p != std::string_view::npos; p = row.find(key, p + 1))
        if (p == 0 || row[p - 1] == ' ') return p + key.size();
    return std::string_view::npos;
}

// True when an attribute (name=") begins at pos.
bool attributeAt(std::string_view row, std::size_t pos) {
    std::size_t p = pos;
    while (p < row.size() && row[p] != ' ' && row[p] != '"' && row[p] != '=') ++p;
    return p > pos && row.substr(p, 2) == "=\"";
}

// End of the value that starts at start. Values may hold quotes, so the closing one is the
// quote before the next attribute or at the end of the row; failing that, the first quote
// followed by a space.
std::size_t valueEndAt(std::string_view row, std::size_t start) {
    std::size_t fallback = std::string_view::npos;
    for (std::size_t q = row.find('"', start); q != std::string_view::npos;
         q = row.find('"', q + 1)) {
        if (q + 1 == row.size()) return q;
        if (row[q + 1] != ' ') continue;
        if (attributeAt(row, q + 2)) return q;
        if (fallback == std::string_view::npos) fallback = q;
    }
    return fallback == std::string_view::npos ? row.size() : fallback;
}

}  // namespace

bool rowTimeTenths(std::string_view row, std::int64_t& tenths) {
    std::size_t p = attributeValue(row, "_RTime");
    if (p == std::string_view::npos) return false;
    bool negative = false;
    if (p < row.size() && row[p] == '-') {
        negative = true;
        ++p;
    }
    std::int64_t v = 0;
    std::size_t digits = 0;
    // Beyond 15 digits a time means nothing here and would overflow.
    for (; p < row.size() && isDigit(row[p]); ++p, ++digits) {
        if (digits >= 15) return false;
        v = v * 10 + (row[p] - '0');
    }
    if (digits == 0) return false;
    v *= 10;
    if (p + 1 < row.size() && row[p] == '.' && isDigit(row[p + 1])) v += row[p + 1] - '0';
    tenths = negative ? -v : v;
    return true;
}

std::string deltaTimeText(std::int64_t a, std::int64_t b) {
    const std::int64_t d = a > b ? a - b : b - a;
    std::string s = std::to_string(d);
    if (s.size() == 1) s.insert(0, "0");
    s.insert(s.size() - 1, ".");
    return s + "ms";
}

std::string TimeDelta::click(std::string_view row) {
    std::int64_t t = 0;
    if (!rowTimeTenths(row, t)) {
        has_ = false;
        return "-";
    }
    std::string text = has_ ? deltaTimeText(t, last_) : "-";
    last_ = t;
    has_ = true;
    return text;
}

int barLength(int count, int scale) {
    if (scale <= 0) return kBarWidth;
    const long long len = static_cast<long long>(count) * kBarWidth / scale;
    if (len < 1) return 1;
    return len > kBarWidth ? kBarWidth : static_cast<int>(len);
}

bool BarScale::update(int count) {
    bool grew = false;
    while (count >= scale_) {
        scale_ += kBarScaleStep;
        grew = true;
    }
    return grew;
}

MeterPosition meterPosition(double value, double min, double factor) {
    if (!std::isfinite(value)) value = 0;
    const double x = std::trunc((value - min) * factor);
    // Clipped in floating point: a far-off value must not overflow the integer.
    if (!std::isfinite(x) || x < 0) return {0, true};
    if (x > 100) return {100, true};
    return {static_cast<int>(x), false};
}

double meterValue(const std::string& text) {
    double v = 0;
    return config::parseTypedDecimal(text, v) ? v : 0.0;
}

double needleAngle(int p) {
    return -157.5 - p * 2.25;
}

std::string meterScaleLabel(double min, double step, int k) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%1.1f", min + k * step);
    return buf;
}

void ChannelLeds::activity(int channel) {
    if (channel >= 0 && channel < 4) counter_[static_cast<std::size_t>(channel)] = kActivity;
}

const std::array<bool, 4>& ChannelLeds::tick() {
    for (std::size_t c = 0; c < 4; ++c) {
        int& n = counter_[c];
        if (n == kActivity) {
            lit_[c] = true;
            n = kHoldTicks;
        } else if (n > 0 && --n == 0) {
            lit_[c] = false;
        }
    }
    return lit_;
}

void ChannelLeds::reset() {
    counter_ = {};
    lit_ = {};
}

RowTint rowTint(std::string_view row, int channel) {
    if (row.find("CKSGood=\"0\"") != std::string_view::npos) return RowTint::BadCheck;
    switch (channel) {
        case 0:
            return RowTint::Channel0;
        case 1:
            return RowTint::Channel1;
        case 2:
            return RowTint::Channel2;
        case 3:
            return RowTint::Channel3;
        default:
            return RowTint::Plain;
    }
}

std::vector<RowRun> rowRuns(std::string_view row) {
    std::vector<RowRun> runs;
    auto add = [&runs](std::size_t start, std::size_t end, RowRun::Kind kind) {
        if (end <= start) return;
        if (!runs.empty() && runs.back().kind == kind &&
            runs.back().start + runs.back().length == start)
            runs.back().length += end - start;
        else
            runs.push_back({start, end - start, kind});
    };
    std::size_t i = 0;
    while (i < row.size()) {
        const std::size_t eq = row.find("=\"", i);
        if (eq == std::string_view::npos) break;
        std::size_t nameStart = eq;
        while (nameStart > i && row[nameStart - 1] != ' ' && row[nameStart - 1] != '"') --nameStart;
        const std::size_t valueStart = eq + 2;
        const std::size_t valueEnd = valueEndAt(row, valueStart);
        add(i, nameStart, RowRun::Text);
        if (nameStart == eq) {
            add(eq, valueStart, RowRun::Text);
            add(valueStart, valueEnd, RowRun::Text);
        } else {
            add(nameStart, eq, RowRun::Name);
            add(eq, valueStart, RowRun::Text);
            add(valueStart, valueEnd, RowRun::Value);
        }
        i = valueEnd;
    }
    add(i, row.size(), RowRun::Text);
    return runs;
}

std::string elapsedText(std::int64_t ms) {
    if (ms < 0) ms = 0;
    const std::int64_t s = ms / 1000;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02lldh %02lldmn %02lldsec", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    return buf;
}

}  // namespace vornlfrf::run
