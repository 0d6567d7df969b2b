#pragma once
// The codes of the device task queue. Codes 6, 9 and 11 are not used: key
// assignments take effect through the key filter, never through the keyboard.
namespace tessaro {

enum class DeviceTask : int {
  kDetectAtStart = 1,
  kDeviceArrived = 2,
  kDeviceRemoved = 3,
  kDeviceChosen = 4,
  kReloadFromDevice = 5,
  kWriteLightSetting = 7,
  kWriteCustomColors = 8,
  kResetDevice = 10,
  kCheckSoftwareVersion = 12,
  kCheckFirmwareVersion = 13,
  kDownloadSoftware = 14,
  kDownloadFirmware = 15,
  kRunFirmwareTool = 16,
};

// Tasks that write to the keyboard while the UI shows the busy dialog.
constexpr bool IsWriteTask(DeviceTask task) {
  return task == DeviceTask::kWriteLightSetting || task == DeviceTask::kWriteCustomColors ||
         task == DeviceTask::kResetDevice;
}

}  // namespace tessaro
