#include "app/shell/HeadlessWindow.h"

#include "app/shell/DeviceChangeRouter.h"
#include "app/shell/DeviceWorker.h"

namespace tessaro {

void HeadlessWindow::AttachDeviceWorker(DeviceWorker* worker) {
  std::lock_guard lock(mutex_);
  worker_ = worker;
}

void HeadlessWindow::PostWindowMessage(int message, int first, int second) {
  std::lock_guard lock(mutex_);
  std::fprintf(out_, "tessaro: window message %d (%d, %d) has no window to go to\n", message, first,
               second);
}

bool HeadlessWindow::DeviceReadyNow() {
  std::lock_guard lock(mutex_);
  return detection_.present && detection_.opened;
}

void HeadlessWindow::DetectAndUpdatePages() {
  DetectionResult found = DetectDevices(link_);
  if (found.present) SelectCommandFamily(link_);
  std::lock_guard lock(mutex_);
  detection_ = std::move(found);
  if (detection_.present && detection_.opened && worker_) {
    worker_->Queue(DeviceTask::kCheckFirmwareVersion);
    worker_->Queue(DeviceTask::kReloadFromDevice);
  }
  if (out_) {
    std::fprintf(out_, "tessaro: %s\n",
                 detection_.present && detection_.opened ? "keyboard found" : "no keyboard");
  }
}

void HeadlessWindow::RunTask(DeviceTask task) {
  if (task != DeviceTask::kCheckFirmwareVersion) return;
  const std::optional<uint16_t> version = commands_.CheckFirmwareVersion();
  if (out_ && version) std::fprintf(out_, "tessaro: firmware version %04X\n", *version);
}

void HeadlessWindow::OnDeviceChange(const platform::DeviceChange& change) {
  std::lock_guard lock(mutex_);
  std::vector<bool> connected = detection_.connected;
  const std::optional<DeviceTask> task =
      RouteDeviceChange(change, link_.AcceptedModes(), connected);
  detection_.connected = connected;
  if (task && worker_) worker_->Queue(*task);
}

void HeadlessWindow::Say(const char* text) {
  if (out_) std::fprintf(out_, "tessaro: %s\n", text);
}

}  // namespace tessaro
