#pragma once
// Time-ordered actions of the emulated bench, on the injected clock (microseconds). Actions at
// the same time run in the order they were scheduled.

#include <cstdint>
#include <functional>
#include <limits>
#include <map>

namespace vornlfrf::sim {

class Timeline {
  public:
    using Action = std::function<void(std::int64_t)>;
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    void at(std::int64_t timeUs, Action action) { actions_.emplace(timeUs, std::move(action)); }

    // Runs every action due at or before t, including those scheduled meanwhile.
    void runUntil(std::int64_t t) {
        while (!actions_.empty() && actions_.begin()->first <= t) {
            auto it = actions_.begin();
            std::int64_t when = it->first;
            Action action = std::move(it->second);
            actions_.erase(it);
            action(when);
        }
    }

    std::int64_t nextDue() const { return actions_.empty() ? kNever : actions_.begin()->first; }

  private:
    std::multimap<std::int64_t, Action> actions_;
};

}  // namespace vornlfrf::sim
