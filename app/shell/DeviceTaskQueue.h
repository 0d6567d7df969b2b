#pragma once
// The device task queue. Every queued task gets a ticket, and the worker marks
// each ticket finished when it is done with the task (for a write task: before
// its 100 ms pause), whether the task ran or was dropped for want of a
// keyboard. The UI keeps the ticket of the task its busy dialog waits for and
// asks IsFinished after it has shown the dialog, so a task that finished before
// the dialog existed can not leave it up.
#include <atomic>
#include <cstdint>
#include <optional>

#include "app/shell/DeviceTask.h"
#include "app/shell/LockedQueue.h"

namespace tessaro {

class DeviceTaskQueue {
 public:
  struct Entry {
    DeviceTask task;
    uint64_t ticket;
  };

  // Appends the task; its ticket (tickets grow from 1).
  uint64_t Push(DeviceTask task) {
    std::lock_guard lock(push_mutex_);
    const uint64_t ticket = ++last_ticket_;
    queue_.Push(Entry{task, ticket});
    return ticket;
  }
  std::optional<Entry> Front() const { return queue_.Front(); }
  void PopFront() { queue_.PopFront(); }
  bool Empty() const { return queue_.Empty(); }
  size_t Size() const { return queue_.Size(); }

  // Tasks finish in queue order, so one number covers them all.
  void Finish(uint64_t ticket) {
    uint64_t seen = finished_.load();
    while (seen < ticket && !finished_.compare_exchange_weak(seen, ticket)) {
    }
  }
  bool IsFinished(uint64_t ticket) const { return finished_.load() >= ticket; }

 private:
  std::mutex push_mutex_;  // tickets enter the queue in the order they are given
  uint64_t last_ticket_ = 0;
  LockedQueue<Entry> queue_;
  std::atomic<uint64_t> finished_{0};
};

}  // namespace tessaro
