#pragma once
// What loading the device description shows in the main window: the device
// list of the home page, the version and notice lines, the page tabs, the
// firmware button, the light sliders and the keyboard pictures. The main
// window implements it over its controls; tests record the calls.
#include <string>

#include "app/device/KeyItem.h"

namespace tessaro {

// The keyboard pictures, named by the menu flag that enables each one.
enum class KeyboardPicture : unsigned {
  kKeyPage = 0x01,
  kLightPage = 0x04,
  kSettingsPage = 0x40,
};

inline constexpr KeyboardPicture kKeyboardPictures[] = {
    KeyboardPicture::kKeyPage, KeyboardPicture::kLightPage, KeyboardPicture::kSettingsPage};

class DeviceDescriptionView {
 public:
  virtual ~DeviceDescriptionView() = default;

  // A served keyboard model for the home page's device list, not yet connected.
  virtual void AddDevice(const std::string& name, int device_type) = 0;
  virtual void ShowVersion(const std::string& text) = 0;
  virtual void ShowNotice(const std::string& text) = 0;
  virtual void ShowPageTabs(bool key_page, bool macro_page, bool light_page) = 0;
  virtual void ShowFirmwareButton(bool visible) = 0;
  virtual void SetLightSliderMaxima(int brightness_max, int speed_max) = 0;

  virtual void ClearKeys(KeyboardPicture picture) = 0;
  // The picture's rectangle on its page.
  virtual void PlacePicture(KeyboardPicture picture, const KeyRect& on_page) = 0;
  // A file below the skin folder, for example "keyboard/norvik_q700.png".
  virtual void SetKeyboardImage(KeyboardPicture picture, const std::string& file) = 0;
  virtual void SetWidthAndHeight(KeyboardPicture picture, int width, int height) = 0;
  virtual void AddKeyItem(KeyboardPicture picture, const KeyItem& key) = 0;

  // Starts watching HID devices come and go (once per run).
  virtual void WatchDeviceChanges() = 0;
};

}  // namespace tessaro
