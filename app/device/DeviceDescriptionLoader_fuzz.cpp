// Feeds arbitrary bytes to LoadLayout as the served keyboard's layout file and
// checks that what reaches the colour data stays within it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/device/DeviceDescriptionLoader.h"
#include "app/device/FakeDeviceDescriptionView.h"
#include "app/device/FakeKeyboardStoreOpener.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/system/Clock.h"

namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
  static const fs::path folder = [] {
    fs::path made = fs::temp_directory_path() /
                    ("tessaro-layout-fuzz-" + std::to_string(std::random_device{}()));
    fs::create_directories(made / "layouts");
    return made;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path folder = ProgramFolder();
  {
    std::ofstream file(folder / "layouts" / "fuzz.xml", std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  tessaro::DeviceDescription description;
  tessaro::DeviceEntry keyboard;
  keyboard.name = "Fuzz";
  keyboard.device_type = tessaro::DeviceDescriptionLoader::kServedDeviceType;
  keyboard.layout_name = "fuzz";
  description.keyboards.push_back(keyboard);
  tessaro::FakeDeviceDescriptionView view;
  tessaro::FakeKeyboardStoreOpener store;
  platform::FakeClock clock;
  tessaro::KeyboardLink link(std::make_unique<platform::FakeHidBackend>(clock), clock);
  tessaro::DeviceDescriptionLoader loader(description, view, store, link, folder.string());
  loader.LoadLayout(keyboard.device_type);

  for (const auto& [code, slot] : description.light_slots)
    if (slot < 0 || slot >= tessaro::DeviceDescription::kLightPositions) std::abort();
  if (description.row_count < 0 ||
      description.row_count > tessaro::DeviceDescription::kMatrixRows ||
      description.column_count < 0 ||
      description.column_count > tessaro::DeviceDescription::kMatrixColumns)
    std::abort();
  return 0;
}
