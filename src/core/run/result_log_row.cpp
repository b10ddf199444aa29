#include "run/result_log_row.h"

#include <algorithm>
#include <charconv>

namespace vornlfrf::run {

namespace {

std::uint32_t at(const std::string& s) {
    return static_cast<std::uint32_t>(s.size());
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
}

void appendInt(std::string& out, std::int64_t v, int minDigits = 1) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    const int n = static_cast<int>(r.ptr - buf);
    if (n < minDigits) out.append(static_cast<std::size_t>(minDigits - n), '0');
    out.append(buf, r.ptr);
}

}  // namespace

void RowWriter::open(std::string_view name, std::string_view nameSuffix) {
    RowSpan s;
    s.name = at(text_);
    text_.append(name);
    text_.append(nameSuffix);
    text_.append("=\"");
    s.value = at(text_);
    spans_.push_back(s);
}

void RowWriter::close(std::string_view value) {
    text_.append(value);
    spans_.back().end = at(text_);
    text_.push_back('"');
}

std::string& RowWriter::beginAttr(std::string_view name) {
    open(name, {});
    return text_;
}

void RowWriter::endAttr() {
    spans_.back().end = at(text_);
    text_ += "\" ";
}

void RowWriter::attr(std::string_view name, std::string_view nameSuffix, std::string_view value) {
    open(name, nameSuffix);
    close(value);
    text_.push_back(' ');
}

void RowWriter::lastAttr(std::string_view name, std::string_view value) {
    open(name, {});
    close(value);
}

void RowWriter::text(std::string_view t) {
    RowSpan s;
    s.isText = true;
    s.name = s.value = at(text_);
    text_.append(t);
    s.end = at(text_);
    spans_.push_back(s);
}

void RowWriter::truncate(std::size_t length) {
    if (length >= text_.size()) return;
    text_.resize(length);
    // An attribute is inside when its closing quote is.
    while (!spans_.empty()) {
        const RowSpan& s = spans_.back();
        const std::size_t last = s.isText ? s.end : std::size_t{s.end} + 1;
        if (last <= length) break;
        spans_.pop_back();
    }
}

void appendMilliseconds(std::string& out, std::int64_t us) {
    if (us < 0) out.push_back('-');
    const std::uint64_t mag = us < 0 ? 0 - static_cast<std::uint64_t>(us) : std::uint64_t(us);
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, mag);
    const std::size_t n = static_cast<std::size_t>(r.ptr - digits);
    char buf[28] = {'0', '0', '0'};
    // Left-pad to at least four digits, then the point goes before the last three.
    const std::size_t pad = n < 4 ? 4 - n : 0;
    std::copy(digits, r.ptr, buf + pad);
    const std::size_t total = n + pad;
    out.append(buf, total - 3);
    out.push_back('.');
    out.append(buf + total - 3, 3);
}

void appendFixed(std::string& out, double value, int decimals) {
    char buf[400];
    decimals = std::clamp(decimals, 0, 50);
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec == std::errc()) out.append(buf, r.ptr);
}

std::string formatMilliseconds(std::int64_t us) {
    std::string s;
    appendMilliseconds(s, us);
    return s;
}

void appendRowDateTime(std::string& s, std::int64_t localMs) {
    std::int64_t secs = localMs >= 0 ? localMs / 1000 : -((-localMs + 999) / 1000);
    std::int64_t days = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
    const std::int64_t sod = secs - days * 86400;
    std::int64_t y;
    unsigned m, d;
    civilFromDays(days, y, m, d);
    const int hour = static_cast<int>(sod / 3600);
    const int minute = static_cast<int>(sod / 60 % 60);
    const int second = static_cast<int>(sod % 60);
    appendInt(s, m);
    s.push_back('/');
    appendInt(s, d);
    s.push_back('/');
    appendInt(s, y);
    s.push_back(' ');
    appendInt(s, hour % 12 == 0 ? 12 : hour % 12);
    s.push_back(':');
    appendInt(s, minute, 2);
    s.push_back(':');
    appendInt(s, second, 2);
    s.append(hour < 12 ? " AM" : " PM");
}

std::string formatRowDateTime(std::int64_t localMs) {
    std::string s;
    appendRowDateTime(s, localMs);
    return s;
}

void BuildRowPrefix(RowWriter& row, std::int64_t sampleCounter, std::int64_t localMs,
                    const PrefixTiming* timing) {
    const std::int64_t rtime = sampleCounter * 10;
    appendMilliseconds(row.beginAttr("_RTime"), rtime);
    row.endAttr();
    appendRowDateTime(row.beginAttr("_ATime"), localMs);
    row.endAttr();
    appendMilliseconds(row.beginAttr("_PTime"),
                       timing ? static_cast<std::int64_t>(timing->matchSample) * 10 -
                                    std::int64_t{timing->chipTimeUs} * timing->preambleLength
                              : rtime);
    row.endAttr();
}

}  // namespace vornlfrf::run
