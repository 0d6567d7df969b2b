#pragma once
// What the device worker needs from the main window. Every call comes on the
// worker thread: calls that touch windows (EnableWindow, WriteTaskFinished)
// must be posted to the UI thread by the implementation.
#include <cstdint>

#include "app/shell/DeviceTask.h"

namespace tessaro {

class DeviceWorkerHost {
 public:
  virtual ~DeviceWorkerHost() = default;

  // Device detection and the page update after it (tasks 1, 2, 3).
  virtual void DetectAndUpdatePages() = 0;
  // After the first detection of the run: the music engine's endpoint watch.
  virtual void StartEndpointWatch() = 0;
  // Task 12, which needs no keyboard.
  virtual void CheckSoftwareVersion() = 0;
  // Whether detection found a keyboard and opened it.
  virtual bool DeviceReady() = 0;
  virtual void EnableWindow(bool enable) = 0;
  // The keyboard work of tasks 5, 7, 8, 10, 13 to 16; other codes do nothing.
  virtual void RunTask(DeviceTask task) = 0;
  // A write task is done or was dropped: end the busy dialog shown for it.
  virtual void WriteTaskFinished(uint64_t ticket) = 0;
  // A tick without a task: the light preview and the colour stream.
  virtual void IdleTick() = 0;
  // One value of the filter event queue.
  virtual void HandleFilterEvent(int value) = 0;
};

}  // namespace tessaro
