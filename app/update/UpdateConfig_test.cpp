#include "app/update/UpdateConfig.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(UpdateConfig, AddressesFromTheDescriptionAndASafeToolPath) {
  DeviceDescription description;
  description.software.version = "1.0.1";
  description.software.upgrade_url = "http://updates.example/soft/";
  description.firmware.url = "http://updates.example/fw/";
  const UpdateSources sources = UpdateSourcesFor(description, "/home/me/.local/share/T Files");
  EXPECT_EQ(sources.own_version, "1.0.1");
  EXPECT_EQ(sources.software_url, "http://updates.example/soft/");
  EXPECT_EQ(sources.firmware_url, "http://updates.example/fw/");
  EXPECT_EQ(sources.update_folder, "/home/me/.local/share/T Files/temp");

  struct Case {
    const char* file;
    const char* path;
  } cases[] = {{"Tool-107", "/opt/t/firmware/Tool-107"},
               {"", ""},
               {"..", ""},
               {"../../bin/sh", ""},
               {"/bin/sh", ""}};
  for (const Case& c : cases) {
    description.firmware.file = c.file;
    EXPECT_EQ(FirmwareToolPath(description, "/opt/t"), c.path) << c.file;
  }
}

}  // namespace
}  // namespace tessaro
