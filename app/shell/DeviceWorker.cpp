#include "app/shell/DeviceWorker.h"

namespace tessaro {

void DeviceWorker::Tick() {
  if (const std::optional<DeviceTaskQueue::Entry> front = tasks_.Front()) {
    if (!RunFront(*front)) return;
  } else {
    host_.IdleTick();
  }
  if (const std::optional<int> event = filter_events_.PopFront()) host_.HandleFilterEvent(*event);
}

bool DeviceWorker::RunFront(const DeviceTaskQueue::Entry& entry) {
  switch (entry.task) {
    case DeviceTask::kDetectAtStart:
      if (!start_detection_done_) {
        start_detection_done_ = true;
        host_.DetectAndUpdatePages();
        host_.StartEndpointWatch();
      }
      break;
    case DeviceTask::kDeviceArrived:
    case DeviceTask::kDeviceRemoved:
      host_.DetectAndUpdatePages();
      break;
    case DeviceTask::kCheckSoftwareVersion:
      host_.CheckSoftwareVersion();
      break;
    default:
      break;
  }
  if (!host_.DeviceReady()) {
    Done(entry);
    tasks_.PopFront();
    return false;
  }
  host_.EnableWindow(false);
  switch (entry.task) {
    case DeviceTask::kDetectAtStart:
    case DeviceTask::kDeviceArrived:
    case DeviceTask::kDeviceRemoved:
    case DeviceTask::kDeviceChosen:
    case DeviceTask::kCheckSoftwareVersion:
      break;
    default:
      host_.RunTask(entry.task);
      break;
  }
  Done(entry);
  if (IsWriteTask(entry.task)) clock_.SleepFor(kAfterWriteTask);
  host_.EnableWindow(true);
  tasks_.PopFront();
  return true;
}

void DeviceWorker::Done(const DeviceTaskQueue::Entry& entry) {
  tasks_.Finish(entry.ticket);
  if (IsWriteTask(entry.task)) host_.WriteTaskFinished(entry.ticket);
}

}  // namespace tessaro
