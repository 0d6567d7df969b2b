// Loading config.xml and layout files from a scratch program folder, with the
// main window's side recorded by the fakes.
#include "app/device/DeviceDescriptionLoader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include "app/device/FakeDeviceDescriptionView.h"
#include "app/device/FakeKeyboardStoreOpener.h"
#include "app/device/KeyPlacement.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/system/Clock.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

const char kConfig[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device.info>
    <keyboard name="Alpha" device_type="201" device_info="alpha">
      <mode value="0" desc="wired" vid="0x3f2a" pid="0701" product_name=""
        hid_interface="HID#VID_3F2A&amp;PID_0701&amp;MI_02"/>
      <mode value="1" desc="receiver" vid="3F2A" pid="0X0702" product_name="Alpha RF"
        hid_interface="HID#VID_3F2A&amp;PID_0702&amp;MI_02"/>
    </keyboard>
    <keyboard name="Beta" device_type="150" device_info="beta">
      <mode value="0" vid="3f2a" pid="0x10"/>
    </keyboard>
  </device.info>
  <software name="Tessaro" version="1.0.1">
    <website url="https://w.example/"/>
    <store url="https://s.example/"/>
    <upgrade url="https://u.example/"/>
    <copyright info="(c) us"/>
  </software>
</config>
)";

// One key each way a layout can be written badly, after two good ones.
const char kLayout[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<device.info>
  <menu macro="1" light_mode="1"/>
  <function sleep_time="1"/>
  <firmware version="103" file="fw.zip" url="https://f.example/"/>
  <light rgb_keyboard="1" default_mode="2" default_brightness="4" default_speed="3"
      brightness_max="5" speed_max="6">
    <info name="401" mode="1" attribute="71"/>
    <info name="402" mode="2" attribute="512"/>
  </light>
  <Keyboard xpos="232" ypos="62" width="935" height="287" image="k.png" row_count="6" col_count="21">
    <KeyItems>
      <key code="0x1B" name="Esc" desc="Escape" key_index="0" row_col="0,0" rect="20#18#36#36"/>
      <key code="70" name="F1" desc="F1" key_index="109" row_col="3,15" rect="10#20#30#40" icon="i.png"/>
      <key code="41" name="A" key_index="110" row_col="3,5"/>
      <key code="42" name="B" key_index="-1" row_col="35" rect="1#2"/>
      <key code="43" name="C" key_index="7" row_col="8,1"/>
      <key code="44" name="D" key_index="8" row_col="1,32"/>
    </KeyItems>
  </Keyboard>
</device.info>
)";

DeviceEntry Keyboard(const std::string& name, int device_type, const std::string& layout) {
  DeviceEntry entry;
  entry.name = name;
  entry.device_type = device_type;
  entry.layout_name = layout;
  return entry;
}

class DeviceDescriptionLoaderTest : public testing::Test {
 protected:
  DeviceDescriptionLoaderTest() {
    folder_ =
        fs::temp_directory_path() / ("tessaro-device-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_ / "layouts");
  }
  ~DeviceDescriptionLoaderTest() override { fs::remove_all(folder_); }

  void Write(const fs::path& relative, std::string_view text) {
    std::ofstream(folder_ / relative, std::ios::binary) << text;
  }

  DeviceDescription description_;
  FakeDeviceDescriptionView view_;
  FakeKeyboardStoreOpener store_;
  platform::FakeClock clock_;
  KeyboardLink link_{std::make_unique<platform::FakeHidBackend>(clock_), clock_};
  fs::path folder_;

  DeviceDescriptionLoader Loader() {
    return DeviceDescriptionLoader(description_, view_, store_, link_, folder_.string());
  }
};

TEST_F(DeviceDescriptionLoaderTest, ConfigFillsModelsModesLinkAndSoftware) {
  Write("config.xml", kConfig);
  Write("layouts/alpha.xml", kLayout);
  EXPECT_TRUE(Loader().LoadDeviceDescription());

  ASSERT_EQ(description_.keyboards.size(), 2u);
  EXPECT_EQ(description_.keyboards[0], Keyboard("Alpha", 201, "alpha"));
  EXPECT_EQ(description_.keyboards[1], Keyboard("Beta", 150, "beta"));
  ASSERT_EQ(description_.modes.size(), 3u);
  // An empty product name empties the mode's name although the keyboard has one.
  EXPECT_EQ(description_.modes[0], (DeviceEntry{"", 201, "alpha", 0, 0x3F2A, 0x0701, "wired",
                                                "HID#VID_3F2A&PID_0701&MI_02"}));
  EXPECT_EQ(description_.modes[1].name, "Alpha RF");
  EXPECT_EQ(description_.modes[2].layout_name, "beta");
  // The vendor id reads the same with or without "0x", in either case.
  for (const DeviceEntry& mode : description_.modes) EXPECT_EQ(mode.vendor_id, 0x3F2A);
  EXPECT_EQ(description_.modes[1].product_id, 0x0702);

  ASSERT_EQ(link_.AcceptedModes().size(), 3u);
  const std::vector<AcceptedMode> modes = link_.AcceptedModes();
  const AcceptedMode& accepted = modes[1];
  EXPECT_EQ(accepted.vendor_id, 0x3F2A);
  EXPECT_EQ(accepted.product_id, 0x0702);
  EXPECT_EQ(accepted.product_name, "Alpha RF");
  EXPECT_EQ(accepted.device_type, 201);
  EXPECT_EQ(accepted.mode_value, 1);
  EXPECT_EQ(accepted.hid_interface, "HID#VID_3F2A&PID_0702&MI_02");

  using Device = FakeDeviceDescriptionView::Device;
  EXPECT_EQ(view_.devices, (std::vector<Device>{{"Alpha", 201}, {"Beta", 150}}));
  EXPECT_EQ(view_.version, "Ver: 1.0.1");
  EXPECT_EQ(view_.notice, "(c) us");
  EXPECT_EQ(description_.software.version, "1.0.1");
  EXPECT_EQ(description_.software.website_url, "https://w.example/");
  EXPECT_EQ(description_.software.store_url, "https://s.example/");
  EXPECT_EQ(description_.software.upgrade_url, "https://u.example/");

  // The served layout is the one of type 201, with its own database.
  EXPECT_EQ(store_.opened, (std::vector<FakeKeyboardStoreOpener::Opened>{{"Alpha", 201}}));
  EXPECT_EQ(description_.keyboard_name, "Alpha");
  EXPECT_EQ(description_.device_type, 201);
  EXPECT_EQ(description_.key_indexes.size(), 6u);
  EXPECT_EQ(view_.watches, 1);
}

TEST_F(DeviceDescriptionLoaderTest, ElementsBeforeOneFoundEarlierAreNotSeen) {
  Write("config.xml", R"(<config>
    <software version="2"><store url="s"/><website url="w"/><copyright info="c"/><upgrade url="u"/></software>
    <device.info><keyboard name="K" device_type="201"/></device.info>
  </config>)");
  Loader().LoadDeviceDescription();
  // software stands before device.info, so the search for it starts after.
  EXPECT_EQ(description_.keyboards.size(), 1u);
  EXPECT_FALSE(view_.version.has_value());
  EXPECT_TRUE(description_.software.version.empty());

  Write("config.xml", R"(<config>
    <device.info/>
    <software version="2"><store url="s"/><website url="w"/><copyright info="c"/><upgrade url="u"/></software>
  </config>)");
  Loader().LoadDeviceDescription();
  EXPECT_EQ(description_.software.website_url, "w");
  EXPECT_EQ(description_.software.store_url, "");  // before website
  EXPECT_EQ(description_.software.upgrade_url, "u");
  EXPECT_FALSE(view_.notice.has_value());  // before upgrade
}

TEST_F(DeviceDescriptionLoaderTest, UnreadableConfigLeavesEmptyListsAndStillLoadsTheLayout) {
  struct Case {
    const char* name;
    std::optional<std::string> text;  // nothing: no file
  };
  const Case cases[] = {
      {"missing", std::nullopt},
      {"empty", ""},
      {"truncated", std::string(kConfig, sizeof(kConfig) / 2)},
      {"two roots", "<config/><config/>"},
      {"bytes", std::string("\xFF\xFE\x00<\x00\x01\x02", 7)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(folder_ / "config.xml");
    if (c.text) Write("config.xml", *c.text);
    description_.keyboards.push_back(Keyboard("stale", 1, ""));
    description_.modes.push_back(Keyboard("stale", 1, ""));
    view_ = FakeDeviceDescriptionView();
    store_.opened.clear();

    EXPECT_FALSE(Loader().LoadDeviceDescription());
    EXPECT_TRUE(description_.keyboards.empty());
    EXPECT_TRUE(description_.modes.empty());
    EXPECT_TRUE(view_.devices.empty());
    EXPECT_FALSE(view_.version.has_value());
    EXPECT_EQ(store_.opened, (std::vector<FakeKeyboardStoreOpener::Opened>{{"", 201}}));
    EXPECT_EQ(view_.watches, 1);
  }
  EXPECT_TRUE(link_.AcceptedModes().empty());
}

class LayoutTest : public DeviceDescriptionLoaderTest {
 protected:
  LayoutTest() {
    description_.keyboards.push_back(Keyboard("Alpha", 201, "alpha"));
    description_.keyboards.push_back(Keyboard("Old", 150, "old"));
  }
};

TEST_F(LayoutTest, ReadsEveryPartOfTheLayout) {
  Write("layouts/alpha.xml", kLayout);
  EXPECT_TRUE(Loader().LoadLayout(201));

  EXPECT_EQ(description_.menu_flags, 0x47u);
  EXPECT_EQ(view_.tabs, (FakeDeviceDescriptionView::PageTabs{true, true, true}));
  EXPECT_TRUE(description_.sleep_time);
  EXPECT_EQ(description_.firmware.version, "103");
  EXPECT_EQ(description_.firmware.file, "fw.zip");
  EXPECT_EQ(description_.firmware.url, "https://f.example/");
  EXPECT_EQ(view_.firmware_button, true);

  const LightDefaults& light = description_.light;
  EXPECT_TRUE(light.rgb_keyboard);
  EXPECT_EQ(light.mode, 2);
  EXPECT_EQ(light.brightness, 4);
  EXPECT_EQ(light.speed, 3);
  EXPECT_EQ(view_.slider_maxima, std::make_pair(5, 6));
  EXPECT_EQ(description_.light_modes,
            (std::vector<LightModeTemplate>{{"401", 1, 71}, {"402", 2, 512}}));
  ASSERT_NE(description_.FindLightMode(2), nullptr);
  EXPECT_EQ(description_.FindLightMode(2)->attribute, 512);

  EXPECT_EQ(description_.picture.image, "k.png");
  EXPECT_EQ(description_.row_count, 6);
  EXPECT_EQ(description_.column_count, 21);
  for (KeyboardPicture p : kKeyboardPictures) {
    const FakeDeviceDescriptionView::Picture& picture = view_.pictures[p];
    EXPECT_EQ(picture.clears, 1);
    EXPECT_EQ(picture.on_page, (KeyRect{232, 62, 1167, 349}));
    EXPECT_EQ(picture.image, "keyboard/k.png");
    EXPECT_EQ(picture.width, 935);
    EXPECT_EQ(picture.height, 287);
    ASSERT_EQ(picture.keys.size(), 6u);
    EXPECT_EQ(picture.keys[0], (KeyItem{"Esc", "Escape", 0x1B, {20, 18, 56, 54}, ""}));
    EXPECT_EQ(picture.keys[1], (KeyItem{"F1", "F1", 0x70, {10, 20, 40, 60}, "i.png"}));
    EXPECT_EQ(picture.keys[3].rect, (KeyRect{1, 2, 1, 2}));  // missing width and height
  }
}

TEST_F(LayoutTest, KeysLandInTheMapsAndTheMatrixOnlyWithinBounds) {
  Write("layouts/alpha.xml", kLayout);
  Loader().LoadLayout(201);
  const DeviceDescription& d = description_;
  struct Case {
    uint32_t code;
    int key_index;
    int light_slot;
  };
  // Every key keeps its index for key assignments; light positions outside
  // the colour data are dropped.
  for (const Case& c : {Case{0x1B, 0, 0}, Case{0x70, 109, 109}, Case{0x41, 110, -1},
                        Case{0x42, -1, -1}, Case{0x43, 7, 7}, Case{0x99, -1, -1}}) {
    EXPECT_EQ(d.KeyIndexOf(c.code), c.key_index) << c.code;
    EXPECT_EQ(d.LightSlotOf(c.code), c.light_slot) << c.code;
  }
  EXPECT_EQ(d.KeyCodeAt(0, 0), 0x1B);
  EXPECT_EQ(d.KeyCodeAt(3, 15), 0x70);
  EXPECT_EQ(d.KeyCodeAt(3, 5), 0x41);
  // "35" has no column of its own, "8,1" and "1,32" lie outside the matrix.
  int cells = 0;
  for (const auto& row : d.key_matrix)
    for (uint8_t code : row) cells += code != DeviceDescription::kNoKey;
  EXPECT_EQ(cells, 3);
  EXPECT_EQ(d.KeyCodeAt(-1, 0), DeviceDescription::kNoKey);
  EXPECT_EQ(d.KeyCodeAt(8, 40), DeviceDescription::kNoKey);
}

TEST(KeyPlacement, ParsesGridCellsAndRectangles) {
  struct RowCol {
    const char* text;
    std::optional<GridCell> cell;
  };
  for (const RowCol& c :
       {RowCol{"3,5", GridCell{3, 5}}, RowCol{"3,15", GridCell{3, 15}},
        RowCol{"0,0", GridCell{0, 0}}, RowCol{"7;31", GridCell{7, 31}},
        RowCol{"x,y", GridCell{0, 0}}, RowCol{"12,3", GridCell{1, 0}}, RowCol{"35", std::nullopt},
        RowCol{"3", std::nullopt}, RowCol{"", std::nullopt}}) {
    EXPECT_EQ(ParseRowCol(c.text), c.cell) << c.text;
  }
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  struct Rect {
    const char* text;
    KeyRect rect;
  };
  for (const Rect& c :
       {Rect{"10#20#30#40", {10, 20, 40, 60}}, Rect{"10#20", {10, 20, 10, 20}},
        Rect{"", {0, 0, 0, 0}}, Rect{"5#5#-10#x", {5, 5, -5, 5}}, Rect{"1#2#3#4#5", {1, 2, 4, 6}},
        Rect{"2147483647#-2147483648#9#-9", {kMax, kMin, kMax, kMin}}}) {
    EXPECT_EQ(ParseKeyRect(c.text), c.rect) << c.text;
  }
}

TEST_F(LayoutTest, MenuChoosesTabsAndPicturesAndALayoutWithoutOneKeepsThem) {
  Write("layouts/alpha.xml", R"(<device.info><menu macro="0" light_mode="yes"/>
    <Keyboard><KeyItems><key code="41"/></KeyItems></Keyboard></device.info>)");
  Loader().LoadLayout(201);
  EXPECT_EQ(description_.menu_flags, 0x41u);
  EXPECT_EQ(view_.tabs, (FakeDeviceDescriptionView::PageTabs{true, false, false}));
  EXPECT_EQ(view_.pictures[KeyboardPicture::kKeyPage].keys.size(), 1u);
  EXPECT_EQ(view_.pictures[KeyboardPicture::kSettingsPage].keys.size(), 1u);
  EXPECT_FALSE(view_.pictures.contains(KeyboardPicture::kLightPage));

  Write("layouts/old.xml", R"(<device.info><Keyboard><KeyItems>
    <key code="42"/><key code="43"/></KeyItems></Keyboard></device.info>)");
  Loader().LoadLayout(150);
  EXPECT_EQ(description_.menu_flags, 0x41u);
  EXPECT_EQ(view_.tab_changes, 1);
  EXPECT_EQ(view_.pictures[KeyboardPicture::kKeyPage].keys.size(), 2u);
  EXPECT_EQ(store_.opened.back(), (FakeKeyboardStoreOpener::Opened{"Old", 150}));
  EXPECT_EQ(description_.KeyIndexOf(0x41), -1);  // the first layout's keys are gone
}

TEST_F(LayoutTest, UnreadableLayoutKeepsThePreviousOne) {
  Write("layouts/alpha.xml", kLayout);
  Loader().LoadLayout(201);
  const DeviceDescription before = description_;
  struct Case {
    const char* name;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {"missing", std::nullopt},
      {"truncated", std::string(kLayout, sizeof(kLayout) - 40)},
      {"broken tag", "<device.info><menu macro=\"1\"</device.info>"},
      {"another root", "<layout><menu/><Keyboard/></layout>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(folder_ / "layouts/alpha.xml");
    if (c.text) Write("layouts/alpha.xml", *c.text);
    EXPECT_FALSE(Loader().LoadLayout(201));
    EXPECT_EQ(description_.key_indexes, before.key_indexes);
    EXPECT_EQ(description_.key_matrix, before.key_matrix);
    EXPECT_EQ(description_.light_modes, before.light_modes);
    EXPECT_EQ(description_.menu_flags, before.menu_flags);
    EXPECT_EQ(view_.pictures[KeyboardPicture::kKeyPage].keys.size(), 6u);
    EXPECT_EQ(view_.pictures[KeyboardPicture::kKeyPage].clears, 1);
  }
  // The firmware address is given up before the file is read.
  EXPECT_TRUE(description_.firmware.url.empty());
  // No keyboard of the type: no layout name, no file, an empty database name.
  EXPECT_FALSE(Loader().LoadLayout(299));
  EXPECT_EQ(store_.opened.back(), (FakeKeyboardStoreOpener::Opened{"", 299}));
}

TEST_F(LayoutTest, FirmwareButtonNeedsVersionAndFileAndGridSizeFitsTheMatrix) {
  Write("layouts/alpha.xml", R"(<device.info><firmware version="103" url="u"/>
    <Keyboard row_count="12" col_count="-3"/></device.info>)");
  Loader().LoadLayout(201);
  EXPECT_EQ(view_.firmware_button, false);
  EXPECT_EQ(description_.row_count, DeviceDescription::kMatrixRows);
  EXPECT_EQ(description_.column_count, 0);
}

}  // namespace
}  // namespace tessaro
