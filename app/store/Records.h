#pragma once
// The rows of the configuration database as the rest of the program passes them
// around. Each field carries the name of its column; numbers are the 32-bit
// values the columns hold and texts are UTF-8. A default-constructed record has
// every number 0 and every text empty, which is what a new record starts as.
#include <cstdint>
#include <string>

namespace tessaro {

// A row of t_profile_data.
struct ProfileRecord {
  int32_t profile = 0;  // the profile id; 0 until the profile is stored
  std::string name;
  std::string app;     // always stored empty
  int32_t type = 0;    // always stored 0
  int32_t status = 0;  // 1 for the one active profile
};

// A row of t_key_macro_data: what one key of one profile does instead of its
// default function. A key without a row keeps its default function.
struct KeyAssignment {
  int32_t key_id = 0;
  int32_t profile = 0;
  int32_t fn_layer = 0;  // the program itself only uses layer 0
  int32_t key_code = 0;  // the key's code in the keyboard layout; never 0 in a row
  int32_t layout_value = 0;
  std::string layout_desc;
  int32_t macro_type = 0;  // kind of the assigned function; 3 is a macro
  int32_t macro_value = 0;
  int32_t macro_value2 = 0;
  int32_t macro_value3 = 0;
  std::string macro_desc;
};

// A row of t_key_otherdata without its id: the text payload (program path, web
// address, text to type) of a key assignment whose macro_value is that id.
struct KeyOtherData {
  std::string macro_desc;
  std::string param;
  int32_t type = 0;  // the macro_type of the key row that uses it
};

// A row of t_light_data: one light mode's settings in one profile.
struct LightSetting {
  int32_t light_id = 0;
  int32_t profile = 0;
  std::string name;  // the language text number of the mode's name, in decimal
  int32_t mode = 0;
  int32_t brightness = 0;
  int32_t speed = 0;
  int32_t direction = 0;
  int32_t colorful = 0;
  int32_t colorindex = 0;
  int32_t color_value = 0;  // 0x00BBGGRR
  int32_t config_func = 0;  // bit set of the mode's adjustable parameters
  int32_t reserved = 0;
  int32_t status = 0;  // 1 for the profile's active mode
};

// A row of t_key_light_data: one key's colour in the custom light.
struct KeyColor {
  int32_t keylight_id = 0;
  int32_t profile = 0;
  int32_t light_id = 0;  // 128, the custom light
  int32_t key_code = 0;
  int32_t key_rgb = 0;  // 0x00BBGGRR
};

// A row of t_macro_data.
struct MacroRecord {
  int32_t macro_id = 0;
  std::string name;
  int32_t link_count = 0;
  int32_t play_times = 0;
  int32_t delay_type = 0;
  int32_t delay_time = 0;
};

// A row of t_macrorecord: one step of a macro.
struct MacroStep {
  int32_t record_id = 0;
  int32_t macro_id = 0;
  int32_t type = 0;          // 2 key down, 3 key up; see macro recording for the rest
  int32_t record_index = 0;  // 0-based position in the macro
  int32_t value = 0;         // the step's key code
  int32_t delay_time = 0;    // the delay that follows the step
  std::string desc;
};

// A row of t_musiclayer_data without sel.
struct MusicLayer {
  int32_t layer_id = 0;
  int32_t profile = 0;
  std::string name;
  int32_t deviceindex = 0;
  int32_t foremode = 0;
  int32_t fore_amplitude = 0;
  int32_t backmode = 0;
  int32_t backb_right = 0;
};

}  // namespace tessaro
