#pragma once
// A FIFO shared by one producer thread and the device worker. The lock is held
// for one append, one look at the front or one removal, never while a task runs.
#include <deque>
#include <mutex>
#include <optional>

namespace tessaro {

template <typename T>
class LockedQueue {
 public:
  void Push(T value) {
    std::lock_guard lock(mutex_);
    items_.push_back(std::move(value));
  }
  std::optional<T> Front() const {
    std::lock_guard lock(mutex_);
    if (items_.empty()) return std::nullopt;
    return items_.front();
  }
  std::optional<T> PopFront() {
    std::lock_guard lock(mutex_);
    if (items_.empty()) return std::nullopt;
    T value = std::move(items_.front());
    items_.pop_front();
    return value;
  }
  bool Empty() const {
    std::lock_guard lock(mutex_);
    return items_.empty();
  }
  size_t Size() const {
    std::lock_guard lock(mutex_);
    return items_.size();
  }

 private:
  mutable std::mutex mutex_;
  std::deque<T> items_;
};

}  // namespace tessaro
