// The open windows of one kind (journals, ledgers, balance sheets,
// calculators...), in an array that only grows. Its 16-bit count doubles as
// the slot the next window takes. Entries are never removed: a window that
// closes leaves its slot holding an empty handle (a guarded pointer, say).
#pragma once

#include <cstdint>
#include <vector>

template <class Handle> class WindowList {
  public:
    static constexpr int MaxWindows = 32767;

    // Puts a window into entry `count` and raises the count. Refused (false)
    // once the count has reached its 16-bit limit.
    bool add(Handle window) {
        if (count_ >= MaxWindows) return false;
        windows_.resize(static_cast<std::size_t>(count_) + 1);
        windows_[count_] = std::move(window);
        ++count_;
        return true;
    }

    std::int16_t count() const { return count_; }
    const std::vector<Handle>& windows() const { return windows_; }
    std::vector<Handle>& windows() { return windows_; }
    const Handle& operator[](int i) const { return windows_[static_cast<std::size_t>(i)]; }

    // Runs `f` on every entry that still holds a window (`isOpen(handle)`).
    template <class IsOpen, class F> void forEachOpen(IsOpen isOpen, F f) {
        for (Handle& h : windows_)
            if (isOpen(h)) f(h);
    }

  private:
    std::vector<Handle> windows_;
    std::int16_t count_ = 0;
};
