#pragma once
// Where the update tasks take their addresses and folders from: the device
// description (own version, software and firmware base addresses, the shipped
// firmware tool's file name) and the per-user data folder.
#include <string>

#include "app/device/DeviceDescription.h"
#include "app/update/Updater.h"

namespace tessaro {

// The update folder is "<user data folder>/temp".
UpdateSources UpdateSourcesFor(const DeviceDescription& description,
                               const std::string& user_data_folder);

// "<program folder>/firmware/<file>" for task 16; empty when the layout names
// no file or a name that would leave the folder.
std::string FirmwareToolPath(const DeviceDescription& description,
                             const std::string& program_folder);

}  // namespace tessaro
