#include "app/shell/KeyServices.h"

namespace tessaro {

KeyServices::KeyServices(platform::InputFacilities facilities, platform::Clock& clock,
                         DeviceWorker& worker, WorkerPlaybackHandoff::PostMessage post)
    : facilities_(std::move(facilities)),
      device_(*facilities_.device, clock),
      monitor_(*facilities_.filter, device_),
      handoff_(worker, std::move(post)),
      player_(device_, handoff_) {}

KeyServices::~KeyServices() {
  Shutdown();
}

bool KeyServices::InstallDrivers(platform::ProgramRunner& runner, InstallFailureNotice& notice,
                                 const std::string& driver_folder,
                                 std::vector<platform::UsbId> served) {
  DriverInstaller installer(device_, monitor_, runner, notice, driver_folder, std::move(served));
  if (!installer.InstallDrivers(player_)) return false;
  monitor_.StartMonitor();
  return true;
}

void KeyServices::Shutdown() {
  if (shut_down_) return;
  shut_down_ = true;
  monitor_.Shutdown();
}

}  // namespace tessaro
