#pragma once
// Several views over one model. A listener stays registered while its handle lives; the model
// forgets it once the handle is dropped, and a handle that outlives the model is harmless, so
// windows and models may be destroyed in either order.

#include <functional>
#include <memory>
#include <vector>

namespace vornlfrf {

class Listeners {
  public:
    using Handle = std::shared_ptr<void>;

    [[nodiscard]] Handle subscribe(std::function<void()> listener) {
        auto held = std::make_shared<std::function<void()>>(std::move(listener));
        entries_.push_back(held);
        return held;
    }

    void notify() {
        // A listener may subscribe others or drop handles (its own included) while notified;
        // a listener dropped meanwhile is not called.
        const auto snapshot = entries_;
        for (const auto& e : snapshot)
            if (auto l = e.lock()) (*l)();
        prune();
    }

    std::size_t size() const {
        std::size_t n = 0;
        for (const auto& e : entries_) n += e.expired() ? 0 : 1;
        return n;
    }

  private:
    void prune() {
        std::vector<std::weak_ptr<std::function<void()>>> kept;
        for (auto& e : entries_)
            if (!e.expired()) kept.push_back(e);
        entries_.swap(kept);
    }

    std::vector<std::weak_ptr<std::function<void()>>> entries_;
};

}  // namespace vornlfrf
