#pragma once
// The content a new database gets, written the first time each part of the
// program finds its tables empty. The names are language texts, so callers pass
// them in: the word for "profile" and the music layer's name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/store/ConfigStore.h"

namespace tessaro {

// What the keyboard layout says about light modes, as new light settings need it.
struct DefaultLights {
  struct Mode {
    std::string name;       // language text number of the mode's name
    int32_t mode = 0;       // the mode number
    int32_t attribute = 0;  // stored as the setting's config_func
  };
  std::vector<Mode> modes;  // in layout order
  int32_t default_mode = 0;
  int32_t default_brightness = 0;
  int32_t default_speed = 0;
};

class StoreDefaults {
 public:
  // The foreground effect of a new music layer, by whether the keyboard is RGB.
  static constexpr int32_t kRgbForemode = 17;
  static constexpr int32_t kSingleColorForemode = 1;

  // Loads the profiles; when there are none, adds "<word> 1" to "<word> 3",
  // writes the configuration rows after the first, makes the first active and
  // loads again. Answers the number of profiles.
  static int LoadProfiles(ConfigStore& store, std::string_view profile_word,
                          std::vector<ProfileRecord>& profiles);
  // When the profile has no light settings: one per mode of the layout, then
  // the default mode active. True when settings were added.
  static bool AddLightSettings(ConfigStore& store, int32_t profile, const DefaultLights& lights);
  // When there is no music layer: "<name> 1", selected. True when it was added.
  static bool AddMusicLayer(ConfigStore& store, std::string_view layer_name, bool rgb_keyboard);
};

}  // namespace tessaro
