#include "app/store/StoreDefaults.h"

namespace tessaro {
namespace {

constexpr int kDefaultProfiles = 3;
constexpr int32_t kDefaultColor = 255;  // red, as 0x00BBGGRR

}  // namespace

int StoreDefaults::LoadProfiles(ConfigStore& store, std::string_view profile_word,
                                std::vector<ProfileRecord>& profiles) {
  if (store.LoadProfiles(profiles) > 0) return static_cast<int>(profiles.size());
  int32_t first = 0;
  for (int n = 1; n <= kDefaultProfiles; ++n) {
    ProfileRecord record;
    record.name = std::string(profile_word) + " " + std::to_string(n);
    const int32_t id = store.AddProfile(record);
    if (n == 1 && id != 0) {
      first = id;
      store.InsertDefaultConfig();
    }
  }
  if (first != 0) store.SetActiveProfile(first);
  return store.LoadProfiles(profiles);
}

bool StoreDefaults::AddLightSettings(ConfigStore& store, int32_t profile,
                                     const DefaultLights& lights) {
  if (store.CountLightSettings(profile) > 0) return false;
  bool added = false;
  for (const DefaultLights::Mode& mode : lights.modes) {
    LightSetting setting;
    setting.profile = profile;
    setting.name = mode.name;
    setting.mode = mode.mode;
    setting.brightness = lights.default_brightness;
    setting.speed = lights.default_speed;
    setting.colorful = 1;
    setting.color_value = kDefaultColor;
    setting.config_func = mode.attribute;
    added = store.AddLightSetting(setting) != 0 || added;
  }
  if (added) store.SetActiveLightMode(profile, lights.default_mode);
  return added;
}

bool StoreDefaults::AddMusicLayer(ConfigStore& store, std::string_view layer_name,
                                  bool rgb_keyboard) {
  if (store.CountMusicLayers() > 0) return false;
  const std::string name = std::string(layer_name) + " 1";
  if (store.AddMusicLayer(name, rgb_keyboard ? kRgbForemode : kSingleColorForemode) == 0)
    return false;
  store.SelectMusicLayer();
  return true;
}

}  // namespace tessaro
