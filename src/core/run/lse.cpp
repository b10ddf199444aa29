#include "run/lse.h"

namespace vornlfrf::run {

void LseMeter::reset(char kind) {
    *this = LseMeter(kind);
}

namespace {
// Zero counts stand for one sample: a mark right after another must not divide by zero.
double per(std::int64_t n) {
    return static_cast<double>(n > 0 ? n : 1);
}
}  // namespace

bool LseMeter::measure(int b) {
    bool mark = false;
    if (kind_ == 'M') {
        shift_ = (shift_ * 2 + (b & 1)) & 0xF;
        if (sinceMark_ < 200000) ++sinceMark_;
        if (shift_ == 0x3) {
            now_.angle = 0;
            now_.avgSpeed = 60 / (per(sinceMark_) * 0.00001);
            period_ = sinceMark_;
            sinceMark_ = 0;
            mark = true;
        } else {
            now_.angle = static_cast<double>(sinceMark_) * 360 / per(period_);
            if (now_.angle >= 360) now_.angle = 0;
        }
        if (sinceMark_ == 200000) now_.speed = now_.avgSpeed = 0;
    } else {
        shift_ = (shift_ * 2 + (b & 1)) & 0x1FF;
        ++sinceMark_;
        if (sinceMark_ > period_ + 2) sinceMark_ = period_;
        if (revSamples_ < 200000) ++revSamples_;
        if (shift_ == 0xFE || shift_ == 0xFC) {
            baseAngle_ = 11.7 / per(period_) + 0.675;
            now_.angle = baseAngle_;
            now_.speed = 30000 / per(sinceMark_);
            now_.avgSpeed = 60 / (per(revSamples_) * 0.00001);
            revSamples_ = 0;
            period_ = sinceMark_;
            sinceMark_ = 0;
            markType_ = 0;
            markCount_ = 0;
            mark = true;
        } else if (shift_ == 0xF8 || shift_ == 0xF0 || shift_ == 0xE0 || shift_ == 0xC0) {
            const bool forward = shift_ == 0xF8 || shift_ == 0xF0;
            if (++markCount_ >= 200) {
                markCount_ = 0;
                revSamples_ = 0;
            }
            now_.direction = forward ? 1 : 0;
            now_.angle = markCount_ * 1.8 + baseAngle_;
            now_.speed = 30000 / per(sinceMark_);
            period_ = sinceMark_;
            sinceMark_ = 0;
            markType_ = forward ? 2 : 1;
            mark = true;
        } else {
            now_.angle = markCount_ * 1.8 + baseAngle_;
            if (period_ < 100000)
                now_.angle += static_cast<double>(sinceMark_) * 1.8 / per(period_);
            if (now_.angle >= 360) now_.angle = 0;
        }
        if (revSamples_ == 200000) now_.speed = now_.avgSpeed = 0;
    }
    history_[static_cast<std::size_t>(write_)] = now_;
    write_ = (write_ + 1) % kHistory;
    return mark;
}

const LseSample& LseMeter::lookBack(std::int64_t offsetBack) const {
    std::int64_t at = (write_ - offsetBack) % kHistory;
    if (at < 0) at += kHistory;
    return history_[static_cast<std::size_t>(at)];
}

}  // namespace vornlfrf::run
