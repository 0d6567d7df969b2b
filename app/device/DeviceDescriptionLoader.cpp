#include "app/device/DeviceDescriptionLoader.h"

#include <algorithm>

#include "app/device/KeyPlacement.h"
#include "app/xml/NumberText.h"
#include "app/xml/XmlDocument.h"

namespace tessaro {
namespace {

// A layout that names a menu always shows the key page and the third picture.
constexpr uint32_t kMenuBase = kMenuKeyPage | kMenuSettingsPicture;

bool IsOne(const XmlDocument& doc, std::string_view attribute) {
  return doc.GetAttribute(attribute) == "1";
}

int Decimal(const XmlDocument& doc, std::string_view attribute) {
  return ParseLong(doc.GetAttribute(attribute));
}

int Hexadecimal(const XmlDocument& doc, std::string_view attribute) {
  return ParseLong(doc.GetAttribute(attribute), 16);
}

}  // namespace

bool DeviceDescriptionLoader::LoadDeviceDescription() {
  description_.keyboards.clear();
  description_.modes.clear();
  XmlDocument doc;
  bool loaded = doc.LoadFile(program_folder_ + "/config.xml");
  if (loaded && doc.FindElement("config") && doc.IntoElement()) {
    ReadKeyboards(doc);
    ReadSoftware(doc);
  }
  LoadLayout(kServedDeviceType);
  view_.WatchDeviceChanges();
  return loaded;
}

void DeviceDescriptionLoader::ReadKeyboards(XmlDocument& doc) {
  if (!doc.FindElement("device.info") || !doc.IntoElement()) return;
  while (doc.FindElement("keyboard")) {
    DeviceEntry entry;
    entry.name = doc.GetAttribute("name");
    entry.device_type = Decimal(doc, "device_type");
    entry.layout_name = doc.GetAttribute("device_info");
    description_.keyboards.push_back(entry);
    view_.AddDevice(entry.name, entry.device_type);
    if (doc.IntoElement()) {
      ReadModes(doc, entry);
      doc.OutOfElement();
    }
  }
  doc.OutOfElement();
}

void DeviceDescriptionLoader::ReadModes(XmlDocument& doc, DeviceEntry& entry) {
  while (doc.FindElement("mode")) {
    entry.mode_value = Decimal(doc, "value");
    entry.description = doc.GetAttribute("desc");
    entry.vendor_id = Hexadecimal(doc, "vid");
    entry.product_id = Hexadecimal(doc, "pid");
    entry.name = doc.GetAttribute("product_name");
    entry.hid_interface = doc.GetAttribute("hid_interface");
    description_.modes.push_back(entry);
    link_.AddAcceptedMode(entry.vendor_id, entry.product_id, entry.name, entry.device_type,
                          entry.mode_value, entry.hid_interface);
  }
}

void DeviceDescriptionLoader::ReadSoftware(XmlDocument& doc) {
  if (!doc.FindElement("software")) return;
  SoftwareInfo& software = description_.software;
  software.name = doc.GetAttribute("name");
  software.version = doc.GetAttribute("version");
  view_.ShowVersion("Ver: " + software.version);
  if (!doc.IntoElement()) return;
  if (doc.FindElement("website")) software.website_url = doc.GetAttribute("url");
  if (doc.FindElement("store")) software.store_url = doc.GetAttribute("url");
  if (doc.FindElement("upgrade")) software.upgrade_url = doc.GetAttribute("url");
  if (doc.FindElement("copyright")) view_.ShowNotice(doc.GetAttribute("info"));
  doc.OutOfElement();
}

bool DeviceDescriptionLoader::LoadLayout(int device_type) {
  description_.firmware.url.clear();
  std::string layout_name;
  std::string keyboard_name;
  if (const DeviceEntry* keyboard = description_.FindKeyboard(device_type)) {
    layout_name = keyboard->layout_name;
    keyboard_name = keyboard->name;
  }
  description_.device_type = device_type;
  store_.OpenKeyboardStore(keyboard_name, device_type);
  description_.keyboard_name = keyboard_name;

  XmlDocument doc;
  if (!doc.LoadFile(program_folder_ + "/layouts/" + layout_name + ".xml")) return false;
  // Another root is not a layout: keep the previous one as for a broken file.
  if (!doc.FindElement("device.info") || !doc.IntoElement()) return false;
  ReadMenu(doc);
  ReadFunction(doc);
  ReadFirmware(doc);
  ReadLight(doc);
  description_.ClearKeys();
  ClearPictures();
  ReadKeyboard(doc);
  return true;
}

void DeviceDescriptionLoader::ReadMenu(XmlDocument& doc) {
  if (!doc.FindElement("menu")) return;
  uint32_t flags = kMenuBase;
  if (IsOne(doc, "macro")) flags |= kMenuMacroPage;
  if (IsOne(doc, "light_mode")) flags |= kMenuLightPage;
  description_.menu_flags = flags;
  view_.ShowPageTabs(description_.MenuEnables(kMenuKeyPage),
                     description_.MenuEnables(kMenuMacroPage),
                     description_.MenuEnables(kMenuLightPage));
}

void DeviceDescriptionLoader::ReadFunction(XmlDocument& doc) {
  if (doc.FindElement("function")) description_.sleep_time = IsOne(doc, "sleep_time");
}

void DeviceDescriptionLoader::ReadFirmware(XmlDocument& doc) {
  if (!doc.FindElement("firmware")) return;
  FirmwareInfo& firmware = description_.firmware;
  firmware.version = doc.GetAttribute("version");
  firmware.file = doc.GetAttribute("file");
  firmware.url = doc.GetAttribute("url");
  view_.ShowFirmwareButton(!firmware.version.empty() && !firmware.file.empty());
}

void DeviceDescriptionLoader::ReadLight(XmlDocument& doc) {
  if (!doc.FindElement("light")) return;
  LightDefaults& light = description_.light;
  light.rgb_keyboard = IsOne(doc, "rgb_keyboard");
  light.mode = Decimal(doc, "default_mode");
  light.brightness = Decimal(doc, "default_brightness");
  light.speed = Decimal(doc, "default_speed");
  light.brightness_max = Decimal(doc, "brightness_max");
  light.speed_max = Decimal(doc, "speed_max");
  view_.SetLightSliderMaxima(light.brightness_max, light.speed_max);
  description_.light_modes.clear();
  if (!doc.IntoElement()) return;
  while (doc.FindElement("info")) {
    description_.light_modes.push_back(
        {doc.GetAttribute("name"), Decimal(doc, "mode"), Decimal(doc, "attribute")});
  }
  doc.OutOfElement();
}

void DeviceDescriptionLoader::ClearPictures() {
  for (KeyboardPicture picture : kKeyboardPictures)
    if (description_.MenuEnables(static_cast<uint32_t>(picture))) view_.ClearKeys(picture);
}

void DeviceDescriptionLoader::ReadKeyboard(XmlDocument& doc) {
  if (!doc.FindElement("Keyboard")) return;
  PictureGeometry& picture = description_.picture;
  picture.x = Decimal(doc, "xpos");
  picture.y = Decimal(doc, "ypos");
  picture.width = Decimal(doc, "width");
  picture.height = Decimal(doc, "height");
  picture.image = doc.GetAttribute("image");
  // The light effects walk the key matrix by these counts.
  description_.row_count = std::clamp(Decimal(doc, "row_count"), 0, DeviceDescription::kMatrixRows);
  description_.column_count =
      std::clamp(Decimal(doc, "col_count"), 0, DeviceDescription::kMatrixColumns);
  const KeyRect on_page = RectFromSize(picture.x, picture.y, picture.width, picture.height);
  for (KeyboardPicture each : kKeyboardPictures) {
    if (!description_.MenuEnables(static_cast<uint32_t>(each))) continue;
    view_.PlacePicture(each, on_page);
    view_.SetKeyboardImage(each, "keyboard/" + picture.image);
    view_.SetWidthAndHeight(each, picture.width, picture.height);
  }
  if (!doc.IntoElement()) return;
  if (doc.FindElement("KeyItems") && doc.IntoElement()) {
    ReadKeys(doc);
    doc.OutOfElement();
  }
  doc.OutOfElement();
}

void DeviceDescriptionLoader::ReadKeys(XmlDocument& doc) {
  while (doc.FindElement("key")) ReadKey(doc);
}

void DeviceDescriptionLoader::ReadKey(XmlDocument& doc) {
  KeyItem key;
  key.code = static_cast<uint32_t>(Hexadecimal(doc, "code"));
  key.name = doc.GetAttribute("name");
  key.description = doc.GetAttribute("desc");
  key.icon = doc.GetAttribute("icon");
  key.rect = ParseKeyRect(doc.GetAttribute("rect"));

  const int key_index = Decimal(doc, "key_index");
  description_.key_indexes[key.code] = key_index;
  // The light position indexes fixed-size colour buffers: a position outside
  // them would write past their end, so such a key gets no light.
  if (key_index >= 0 && key_index < DeviceDescription::kLightPositions)
    description_.light_slots[key.code] = key_index;

  if (std::optional<GridCell> cell = ParseRowCol(doc.GetAttribute("row_col"))) {
    if (cell->row >= 0 && cell->row < DeviceDescription::kMatrixRows && cell->column >= 0 &&
        cell->column < DeviceDescription::kMatrixColumns)
      description_.key_matrix[cell->row][cell->column] = static_cast<uint8_t>(key.code & 0xFF);
  }

  for (KeyboardPicture picture : kKeyboardPictures)
    if (description_.MenuEnables(static_cast<uint32_t>(picture))) view_.AddKeyItem(picture, key);
}

}  // namespace tessaro
