#pragma once
// What the program knows about the keyboards it serves: the models and their
// connection modes from config.xml, the software's own information, and the
// layout of the one keyboard served in this run (its pictures, keys, light
// modes and defaults). Built by DeviceDescriptionLoader; read everywhere.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/device/DeviceEntry.h"
#include "app/device/LightModeTemplate.h"

namespace tessaro {

// Bits of the menu flags: which pages and keyboard pictures the layout uses.
enum MenuFlag : uint32_t {
  kMenuKeyPage = 0x01,
  kMenuMacroPage = 0x02,
  kMenuLightPage = 0x04,
  kMenuSettingsPicture = 0x40,  // the third keyboard picture, on the settings page
};

struct SoftwareInfo {
  std::string name;  // names the settings, the data folder and the instance lock
  std::string version;
  std::string website_url;
  std::string store_url;
  std::string upgrade_url;  // base address of the update server
};

struct FirmwareInfo {
  std::string version;  // offered for update
  std::string file;     // package file name
  std::string url;      // base address of the firmware packages
};

struct LightDefaults {
  bool rgb_keyboard = false;  // chooses the default music effect
  int mode = 0;               // made active for a new profile
  int brightness = 0;
  int speed = 0;
  int brightness_max = 0;
  int speed_max = 0;
};

// Where the keyboard picture sits on its page, in pixels, and its image.
struct PictureGeometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string image;  // file name below the skin's keyboard/ folder
};

struct DeviceDescription {
  static constexpr uint32_t kInitialMenuFlags = 0x7F;
  static constexpr int kMatrixRows = 8;
  static constexpr int kMatrixColumns = 32;
  static constexpr uint8_t kNoKey = 0xFF;
  // Per-key colour data holds 110 light positions (the colour buffers are 600
  // bytes at four bytes a position, of which eight reports carry 440).
  static constexpr int kLightPositions = 110;

  // From config.xml.
  std::vector<DeviceEntry> keyboards;
  std::vector<DeviceEntry> modes;
  SoftwareInfo software;

  // The keyboard whose layout is loaded.
  int device_type = 0;
  std::string keyboard_name;

  // From the layout file.
  uint32_t menu_flags = kInitialMenuFlags;
  bool sleep_time = false;  // carried; nothing depends on it
  FirmwareInfo firmware;
  LightDefaults light;
  std::vector<LightModeTemplate> light_modes;
  PictureGeometry picture;
  int row_count = 0;     // key grid used by the light effects, at most kMatrixRows
  int column_count = 0;  // at most kMatrixColumns
  // Low byte of the key code at (row, column); kNoKey where there is no key.
  std::array<std::array<uint8_t, kMatrixColumns>, kMatrixRows> key_matrix{};
  std::map<uint32_t, int> key_indexes;  // key code -> position in key-assignment data
  std::map<uint32_t, int> light_slots;  // key code -> light position, 0 to 109

  DeviceDescription() { ClearKeys(); }

  // Empties both key maps, the grid size and the key matrix.
  void ClearKeys();

  bool MenuEnables(uint32_t flag) const { return (menu_flags & flag) != 0; }
  // -1 when the code is not a key of the layout.
  int KeyIndexOf(uint32_t code) const;
  // -1 when the code has no light position.
  int LightSlotOf(uint32_t code) const;
  // The low byte of the key code at the cell; kNoKey outside the matrix.
  uint8_t KeyCodeAt(int row, int column) const;
  // The template of a light mode number; nullptr when the layout has none.
  const LightModeTemplate* FindLightMode(int mode) const;
  // The first keyboard of the device type; nullptr when none is served.
  const DeviceEntry* FindKeyboard(int type) const;
};

}  // namespace tessaro
