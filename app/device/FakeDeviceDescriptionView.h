#pragma once
// Records what loading the device description shows, for tests.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/device/DeviceDescriptionView.h"

namespace tessaro {

class FakeDeviceDescriptionView : public DeviceDescriptionView {
 public:
  struct Device {
    std::string name;
    int device_type = 0;
    bool operator==(const Device&) const = default;
  };
  struct PageTabs {
    bool key_page = false;
    bool macro_page = false;
    bool light_page = false;
    bool operator==(const PageTabs&) const = default;
  };
  struct Picture {
    int clears = 0;
    std::optional<KeyRect> on_page;
    std::string image;
    int width = 0;
    int height = 0;
    std::vector<KeyItem> keys;
  };

  void AddDevice(const std::string& name, int device_type) override {
    devices.push_back({name, device_type});
  }
  void ShowVersion(const std::string& text) override { version = text; }
  void ShowNotice(const std::string& text) override { notice = text; }
  void ShowPageTabs(bool key_page, bool macro_page, bool light_page) override {
    tabs = PageTabs{key_page, macro_page, light_page};
    ++tab_changes;
  }
  void ShowFirmwareButton(bool visible) override { firmware_button = visible; }
  void SetLightSliderMaxima(int brightness_max, int speed_max) override {
    slider_maxima = {brightness_max, speed_max};
  }
  void ClearKeys(KeyboardPicture picture) override {
    Picture& p = pictures[picture];
    p.keys.clear();
    ++p.clears;
  }
  void PlacePicture(KeyboardPicture picture, const KeyRect& on_page) override {
    pictures[picture].on_page = on_page;
  }
  void SetKeyboardImage(KeyboardPicture picture, const std::string& file) override {
    pictures[picture].image = file;
  }
  void SetWidthAndHeight(KeyboardPicture picture, int width, int height) override {
    pictures[picture].width = width;
    pictures[picture].height = height;
  }
  void AddKeyItem(KeyboardPicture picture, const KeyItem& key) override {
    pictures[picture].keys.push_back(key);
  }
  void WatchDeviceChanges() override { ++watches; }

  std::vector<Device> devices;
  std::optional<std::string> version;
  std::optional<std::string> notice;
  std::optional<PageTabs> tabs;
  int tab_changes = 0;
  std::optional<bool> firmware_button;
  std::optional<std::pair<int, int>> slider_maxima;
  std::map<KeyboardPicture, Picture> pictures;
  int watches = 0;
};

}  // namespace tessaro
