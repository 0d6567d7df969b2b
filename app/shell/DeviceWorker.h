#pragma once
// The device worker: every slow keyboard operation, one device task per 16 ms
// tick, in queue order. A write task is followed by a 100 ms pause that paces
// consecutive writes to the keyboard. A task that finds no keyboard is dropped
// without disabling the window; a dropped write task still ends its busy
// dialog.
#include "app/shell/CThreadBasic.h"
#include "app/shell/DeviceTaskQueue.h"
#include "app/shell/DeviceWorkerHost.h"
#include "app/shell/LockedQueue.h"

namespace tessaro {

class DeviceWorker final : public CThreadBasic {
 public:
  static constexpr platform::Milliseconds kTickPeriod{16};
  static constexpr platform::Milliseconds kAfterWriteTask{100};

  DeviceWorker(DeviceWorkerHost& host, platform::Clock& clock)
      : CThreadBasic(clock), host_(host), clock_(clock) {}
  ~DeviceWorker() override { Stop(); }

  bool Start() { return CThreadBasic::Start(true, kTickPeriod); }

  // UI thread: appends a task; the ticket that the busy dialog waits for.
  uint64_t Queue(DeviceTask task) { return tasks_.Push(task); }
  bool IsFinished(uint64_t ticket) const { return tasks_.IsFinished(ticket); }
  // Filter monitor thread.
  void QueueFilterEvent(int value) { filter_events_.Push(value); }

  // One tick; the thread runs it every period.
  void Tick();

  const DeviceTaskQueue& Tasks() const { return tasks_; }

 private:
  void ThreadBody() override { Tick(); }
  // Runs the front task; false when the tick ends with it.
  bool RunFront(const DeviceTaskQueue::Entry& entry);
  void Done(const DeviceTaskQueue::Entry& entry);

  DeviceWorkerHost& host_;
  platform::Clock& clock_;
  DeviceTaskQueue tasks_;
  LockedQueue<int> filter_events_;
  bool start_detection_done_ = false;  // worker thread only
};

}  // namespace tessaro
