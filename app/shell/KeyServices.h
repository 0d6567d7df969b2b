#pragma once
// Key reassignment's running parts for one run: the virtual keyboard that
// plays replacements, the key filter with its monitor thread, and the player
// that turns the filter's key events into input. Made at start-up and shut
// down on every way out, so no key stays held or grabbed.
#include <memory>
#include <string>
#include <vector>

#include "app/macros/DriverInstaller.h"
#include "app/macros/FilterMonitor.h"
#include "app/macros/KeyAssignmentPlayer.h"
#include "app/macros/UhidVHidev.h"
#include "app/macros/WorkerPlaybackHandoff.h"
#include "platform/input/InputFacilities.h"
#include "platform/system/ProgramRunner.h"

namespace tessaro {

class KeyServices {
 public:
  // The facilities' virtual device and filter are used for the whole run;
  // software functions of assigned keys go to the window through `post`.
  KeyServices(platform::InputFacilities facilities, platform::Clock& clock, DeviceWorker& worker,
              WorkerPlaybackHandoff::PostMessage post);
  ~KeyServices();
  KeyServices(const KeyServices&) = delete;
  KeyServices& operator=(const KeyServices&) = delete;

  // Makes sure the virtual keyboard can be written, installing the device
  // rules through `runner` when it cannot; registers the player with the
  // filter monitor. False after `notice` told the user it still cannot.
  bool InstallDrivers(platform::ProgramRunner& runner, InstallFailureNotice& notice,
                      const std::string& driver_folder, std::vector<platform::UsbId> served);
  // Stops the monitor, releases every key of the virtual keyboard and empties
  // the filter's table. Safe to call more than once.
  void Shutdown();

  FilterMonitor& Monitor() { return monitor_; }
  KeyAssignmentPlayer& Player() { return player_; }
  VHidev& VirtualKeyboard() { return device_; }
  platform::StrokeSources& Strokes() { return *facilities_.strokes; }

 private:
  platform::InputFacilities facilities_;
  UhidVHidev device_;
  FilterMonitor monitor_;
  WorkerPlaybackHandoff handoff_;
  KeyAssignmentPlayer player_;
  bool shut_down_ = false;
};

}  // namespace tessaro
