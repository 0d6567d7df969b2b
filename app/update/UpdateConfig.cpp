#include "app/update/UpdateConfig.h"

namespace tessaro {

UpdateSources UpdateSourcesFor(const DeviceDescription& description,
                               const std::string& user_data_folder) {
  return {description.software.version, description.software.upgrade_url, description.firmware.url,
          user_data_folder + "/temp"};
}

std::string FirmwareToolPath(const DeviceDescription& description,
                             const std::string& program_folder) {
  const std::string& file = description.firmware.file;
  if (file.empty() || file == "." || file == ".." || file.find('/') != std::string::npos) {
    return {};
  }
  return program_folder + "/firmware/" + file;
}

}  // namespace tessaro
