#include "app/macros/DriverInstaller.h"

#include <cstdio>

namespace tessaro {

std::string DriverInstaller::HelperPath() const {
  return driver_folder_ + "/" + kHelperName;
}

std::vector<std::string> DriverInstaller::HelperArguments() const {
  std::vector<std::string> arguments{HelperPath(), driver_folder_};
  for (const platform::UsbId& id : served_) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", id.vendor_id, id.product_id);
    arguments.emplace_back(text);
  }
  return arguments;
}

bool DriverInstaller::InstallDrivers(FilterEventHandler& handler) {
  if (!device_.ReopenDevice()) {
    // The helper's own exit code says little (pkexec answers 126 when the
    // user cancels the password dialog); only finding the device counts.
    runner_.Run(kElevator, HelperArguments());
    if (!device_.ReopenDevice()) {
      notice_.ShowInstallFailure();
      return false;
    }
  }
  device_.ReleaseAll();
  monitor_.AddProxy(handler);
  return true;
}

}  // namespace tessaro
