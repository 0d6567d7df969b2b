#pragma once
// The program's facilities: the real Linux ones, except a fake tray when
// TESSARO_SIMULATE names "tray" and no device changes when the keyboard is
// simulated (the simulated keyboard never comes or goes).
#include "app/shell/ShellFacilities.h"
#include "platform/system/Clock.h"

namespace tessaro {

class SystemFacilities final : public ShellFacilities {
 public:
  SystemFacilities(platform::Clock& clock, bool fake_tray, bool fake_device_changes)
      : clock_(clock), fake_tray_(fake_tray), fake_device_changes_(fake_device_changes) {}

  std::unique_ptr<platform::InstanceChannel> MakeInstanceChannel(
      const std::string& runtime_folder, const std::string& software_name) override;
  std::unique_ptr<platform::SettingsStore> MakeSettings(const std::string& path) override;
  std::unique_ptr<platform::TrayIcon> MakeTray() override;
  std::unique_ptr<platform::DeviceChangeSource> MakeDeviceChanges() override;

 private:
  platform::Clock& clock_;
  bool fake_tray_;
  bool fake_device_changes_;
};

}  // namespace tessaro
