#pragma once
// The program's facilities: the real Linux ones, except those TESSARO_SIMULATE
// names ("tray", "input"; the sound and screen captures read the setting
// themselves), and no device changes when the keyboard is simulated (the
// simulated keyboard never comes or goes).
#include "app/shell/ShellFacilities.h"
#include "platform/system/Clock.h"
#include "platform/system/Environment.h"

namespace tessaro {

class SystemFacilities final : public ShellFacilities {
 public:
  struct Simulated {
    bool tray = false;
    bool keyboard = false;
    bool input = false;
  };

  SystemFacilities(platform::Clock& clock, const platform::Environment& environment,
                   Simulated simulated)
      : clock_(clock), environment_(environment), simulated_(simulated) {}

  std::unique_ptr<platform::InstanceChannel> MakeInstanceChannel(
      const std::string& runtime_folder, const std::string& software_name) override;
  std::unique_ptr<platform::SettingsStore> MakeSettings(const std::string& path) override;
  std::unique_ptr<platform::TrayIcon> MakeTray() override;
  std::unique_ptr<platform::DeviceChangeSource> MakeDeviceChanges() override;
  platform::InputFacilities MakeInput(std::vector<platform::UsbId> served) override;
  LightEngines::Facilities MakeLightCaptures() override;
  std::unique_ptr<platform::ProgramRunner> MakeProgramRunner() override;

 private:
  platform::Clock& clock_;
  const platform::Environment& environment_;
  Simulated simulated_;
};

}  // namespace tessaro
