#pragma once
// The platform stand-ins the shell starts on, made when the start-up sequence
// needs them: real ones, or fakes for the facilities TESSARO_SIMULATE names
// (SystemFacilities), or the tests' own.
#include <memory>
#include <string>

#include "app/lights/LightEngines.h"
#include "platform/hid/DeviceChangeSource.h"
#include "platform/input/InputFacilities.h"
#include "platform/system/InstanceChannel.h"
#include "platform/system/ProgramRunner.h"
#include "platform/system/SettingsStore.h"
#include "platform/system/TrayIcon.h"

namespace tessaro {

class ShellFacilities {
 public:
  virtual ~ShellFacilities() = default;
  virtual std::unique_ptr<platform::InstanceChannel> MakeInstanceChannel(
      const std::string& runtime_folder, const std::string& software_name) = 0;
  virtual std::unique_ptr<platform::SettingsStore> MakeSettings(const std::string& path) = 0;
  virtual std::unique_ptr<platform::TrayIcon> MakeTray() = 0;
  virtual std::unique_ptr<platform::DeviceChangeSource> MakeDeviceChanges() = 0;
  // The virtual keyboard and the key filter for the served keyboards.
  virtual platform::InputFacilities MakeInput(std::vector<platform::UsbId> served) = 0;
  // The sound and screen captures of the light engines.
  virtual LightEngines::Facilities MakeLightCaptures() = 0;
  // What starts the device rules' install helper.
  virtual std::unique_ptr<platform::ProgramRunner> MakeProgramRunner() = 0;
};

}  // namespace tessaro
