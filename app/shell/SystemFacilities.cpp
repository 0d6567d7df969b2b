#include "app/shell/SystemFacilities.h"

#include "platform/hid/FakeDeviceChangeSource.h"
#include "platform/hid/UdevDeviceChangeSource.h"
#include "platform/system/SocketInstanceChannel.h"
#include "platform/system/StatusNotifierTray.h"

namespace tessaro {

std::unique_ptr<platform::InstanceChannel> SystemFacilities::MakeInstanceChannel(
    const std::string& runtime_folder, const std::string& software_name) {
  return std::make_unique<platform::SocketInstanceChannel>(runtime_folder, software_name, clock_);
}

std::unique_ptr<platform::SettingsStore> SystemFacilities::MakeSettings(const std::string& path) {
  return std::make_unique<platform::IniSettingsStore>(path);
}

std::unique_ptr<platform::TrayIcon> SystemFacilities::MakeTray() {
  if (fake_tray_) return std::make_unique<platform::FakeTrayIcon>();
  return std::make_unique<platform::StatusNotifierTray>();
}

std::unique_ptr<platform::DeviceChangeSource> SystemFacilities::MakeDeviceChanges() {
  if (fake_device_changes_) return std::make_unique<platform::FakeDeviceChangeSource>();
  return std::make_unique<platform::UdevDeviceChangeSource>();
}

}  // namespace tessaro
