#include "app/shell/SystemFacilities.h"

#include "platform/audio/LoopbackCaptureFactory.h"
#include "platform/hid/FakeDeviceChangeSource.h"
#include "platform/hid/UdevDeviceChangeSource.h"
#include "platform/screen/ScreenCaptureFactory.h"
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
  if (simulated_.tray) return std::make_unique<platform::FakeTrayIcon>();
  return std::make_unique<platform::StatusNotifierTray>();
}

std::unique_ptr<platform::DeviceChangeSource> SystemFacilities::MakeDeviceChanges() {
  if (simulated_.keyboard) return std::make_unique<platform::FakeDeviceChangeSource>();
  return std::make_unique<platform::UdevDeviceChangeSource>();
}

platform::InputFacilities SystemFacilities::MakeInput(std::vector<platform::UsbId> served) {
  return platform::MakeInputFacilities(simulated_.input, clock_, std::move(served));
}

LightEngines::Facilities SystemFacilities::MakeLightCaptures() {
  LightEngines::Facilities captures;
  // The level meter reads 16-bit samples, the music picture floats.
  captures.level_audio =
      platform::MakeLoopbackCapture(platform::SampleForm::kInt16, environment_, clock_);
  captures.music_audio =
      platform::MakeLoopbackCapture(platform::SampleForm::kFloat32, environment_, clock_);
  captures.screen = platform::MakeScreenCapture(environment_, clock_);
  return captures;
}

std::unique_ptr<platform::ProgramRunner> SystemFacilities::MakeProgramRunner() {
  return std::make_unique<platform::SpawnProgramRunner>();
}

}  // namespace tessaro
