#pragma once
// Start-up's check that key reassignment can work: the virtual device must be
// made. When it cannot (no access to /dev/uhid), the udev rules of the
// program's "driver" folder are installed through pkexec and the device is
// looked for again; when it still cannot be made the user is told and the
// program ends with kInstallFailedExitCode.
#include <string>
#include <vector>

#include "app/macros/FilterEventHandler.h"
#include "app/macros/FilterMonitor.h"
#include "app/macros/UhidVHidev.h"
#include "platform/input/InputEvent.h"
#include "platform/system/ProgramRunner.h"

namespace tessaro {

// The skinned message box of a failed installation; the UI implements it.
class InstallFailureNotice {
 public:
  virtual ~InstallFailureNotice() = default;
  // Title "Install Driver", text "InstallDriver Error!", modal over the main
  // window.
  virtual void ShowInstallFailure() = 0;
};

class DriverInstaller {
 public:
  static constexpr int kInstallFailedExitCode = 1;
  static constexpr const char* kElevator = "pkexec";
  static constexpr const char* kHelperName = "install-udev-rules.sh";

  DriverInstaller(UhidVHidev& device, FilterMonitor& monitor, platform::ProgramRunner& runner,
                  InstallFailureNotice& notice, std::string driver_folder,
                  std::vector<platform::UsbId> served)
      : device_(device),
        monitor_(monitor),
        runner_(runner),
        notice_(notice),
        driver_folder_(std::move(driver_folder)),
        served_(std::move(served)) {}

  // True when the device is there (found at once, or after the rules were
  // installed); then everything is released and the handler registered with
  // the filter monitor. False after the notice: the caller ends the program
  // with kInstallFailedExitCode.
  bool InstallDrivers(FilterEventHandler& handler);

  std::string HelperPath() const;
  // The helper's arguments: the driver folder, then "vvvv:pppp" (lower-case
  // hex) for each served keyboard, whose hidraw and event nodes the rules open
  // to the seat's user.
  std::vector<std::string> HelperArguments() const;

 private:
  UhidVHidev& device_;
  FilterMonitor& monitor_;
  platform::ProgramRunner& runner_;
  InstallFailureNotice& notice_;
  std::string driver_folder_;
  std::vector<platform::UsbId> served_;
};

}  // namespace tessaro
