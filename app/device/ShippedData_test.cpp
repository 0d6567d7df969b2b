// The device description that ships in data/: config.xml and the layout of
// every keyboard it serves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "app/device/DeviceDescriptionLoader.h"
#include "app/device/FakeDeviceDescriptionView.h"
#include "app/device/FakeKeyboardStoreOpener.h"
#include "app/xml/XmlDocument.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/system/Clock.h"

namespace tessaro {
namespace {

const std::string kData = TESSARO_SOURCE_DIR "/data";

struct Shipped {
  Shipped() { loaded = loader.LoadDeviceDescription(); }

  DeviceDescription description;
  FakeDeviceDescriptionView view;
  FakeKeyboardStoreOpener store;
  platform::FakeClock clock;
  KeyboardLink link{std::make_unique<platform::FakeHidBackend>(clock), clock};
  DeviceDescriptionLoader loader{description, view, store, link, kData};
  bool loaded = false;
};

std::string Identity(int vendor_id, int product_id) {
  char text[40];
  std::snprintf(text, sizeof text, "HID#VID_%04X&PID_%04X&MI_02", vendor_id, product_id);
  return text;
}

TEST(ShippedData, FilesAreWellFormed) {
  Shipped shipped;
  ASSERT_TRUE(shipped.loaded);
  for (const DeviceEntry& keyboard : shipped.description.keyboards) {
    XmlDocument layout;
    EXPECT_TRUE(layout.LoadFile(kData + "/layouts/" + keyboard.layout_name + ".xml"))
        << keyboard.layout_name << ": " << layout.Result();
  }
  EXPECT_EQ(shipped.description.software.name, "Tessaro");
  EXPECT_EQ(shipped.view.version, "Ver: 1.0.1");
  EXPECT_TRUE(shipped.view.notice.has_value());
  for (const std::string& url :
       {shipped.description.software.website_url, shipped.description.software.store_url,
        shipped.description.software.upgrade_url})
    EXPECT_TRUE(url.starts_with("https://")) << url;
  EXPECT_TRUE(shipped.description.software.upgrade_url.ends_with("/"));
}

TEST(ShippedData, ModesMatchUniquelyAndNameTheirCommandInterface) {
  Shipped shipped;
  const DeviceDescription& d = shipped.description;
  ASSERT_NE(d.FindKeyboard(DeviceDescriptionLoader::kServedDeviceType), nullptr);
  EXPECT_EQ(d.keyboard_name, "Norvik Q700-RGB");
  std::set<std::pair<int, int>> ids;
  for (const DeviceEntry& mode : d.modes) {
    EXPECT_TRUE(ids.insert({mode.vendor_id, mode.product_id}).second)
        << "two modes match " << Identity(mode.vendor_id, mode.product_id);
    EXPECT_EQ(mode.hid_interface, Identity(mode.vendor_id, mode.product_id));
    // Product strings are not read: a named mode would never be found.
    EXPECT_EQ(mode.name, "");
  }
  EXPECT_EQ(d.modes.size(), 2u);
  EXPECT_EQ(shipped.link.AcceptedModes().size(), d.modes.size());
}

TEST(ShippedData, LayoutHasEveryKeyOfTheFullSizeBoard) {
  Shipped shipped;
  const DeviceDescription& d = shipped.description;
  const std::vector<KeyItem>& keys = shipped.view.pictures[KeyboardPicture::kKeyPage].keys;
  ASSERT_EQ(keys.size(), 104u);
  EXPECT_EQ(d.key_indexes.size(), 104u);  // codes are unique
  EXPECT_EQ(d.light_slots.size(), 104u);  // every position lies in 0..109
  std::set<int> positions;
  for (const auto& [code, slot] : d.light_slots) positions.insert(slot);
  EXPECT_EQ(positions.size(), 104u);
  EXPECT_EQ(d.row_count, 6);
  EXPECT_EQ(d.column_count, 21);
  int cells = 0;
  for (int row = 0; row < DeviceDescription::kMatrixRows; ++row)
    for (int column = 0; column < DeviceDescription::kMatrixColumns; ++column) {
      if (d.KeyCodeAt(row, column) == DeviceDescription::kNoKey) continue;
      ++cells;
      EXPECT_TRUE(row < d.row_count && column < d.column_count) << row << "," << column;
    }
  EXPECT_EQ(cells, 104);              // one cell each, none shared
  EXPECT_NE(d.KeyIndexOf(0x6C), -1);  // the numeric-pad Enter has its own code
}

TEST(ShippedData, KeyRectanglesAreThoseOfThePicture) {
  Shipped shipped;
  std::ifstream csv(TESSARO_SOURCE_DIR "/tools/keyboard-keyrects.csv");
  std::string line;
  std::getline(csv, line);  // header
  std::multiset<std::tuple<int, int, int, int>> expected;
  while (std::getline(csv, line)) {
    std::istringstream fields(line);
    std::string name;
    int x, y, w, h;
    char comma;
    std::getline(fields, name, ',');
    fields >> x >> comma >> y >> comma >> w >> comma >> h;
    expected.insert({x, y, x + w, y + h});
  }
  ASSERT_EQ(expected.size(), 104u);
  std::multiset<std::tuple<int, int, int, int>> actual;
  for (const KeyItem& key : shipped.view.pictures[KeyboardPicture::kKeyPage].keys)
    actual.insert({key.rect.left, key.rect.top, key.rect.right, key.rect.bottom});
  EXPECT_EQ(actual, expected);

  const PictureGeometry& picture = shipped.description.picture;
  EXPECT_EQ(picture.image, "norvik_q700.png");
  EXPECT_EQ(shipped.view.pictures[KeyboardPicture::kLightPage].on_page,
            (KeyRect{232, 62, 232 + 935, 62 + 287}));
  for (const auto& [left, top, right, bottom] : actual)
    EXPECT_TRUE(left >= 0 && top >= 0 && right <= picture.width && bottom <= picture.height);
}

TEST(ShippedData, LightModesOfferEverySectionOfTheLightPage) {
  Shipped shipped;
  const DeviceDescription& d = shipped.description;
  int sections = 0;
  std::set<int> numbers;
  for (const LightModeTemplate& mode : d.light_modes) {
    sections |= mode.attribute;
    EXPECT_TRUE(numbers.insert(mode.mode).second) << mode.mode;
    EXPECT_GT(std::stoi(mode.name), 0) << "names are language text numbers";
  }
  EXPECT_EQ(sections, 0x1FFF);
  ASSERT_NE(d.FindLightMode(d.light.mode), nullptr);
  EXPECT_LE(d.light.brightness, d.light.brightness_max);
  EXPECT_LE(d.light.speed, d.light.speed_max);
  EXPECT_EQ(d.menu_flags, 0x47u);
  EXPECT_EQ(shipped.view.firmware_button, true);
}

}  // namespace
}  // namespace tessaro
