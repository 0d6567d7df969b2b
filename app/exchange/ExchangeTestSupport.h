#pragma once
// Test support for the exchange files: a store in a fresh folder, files in
// that folder, and counts of what the store holds.
#include <string>
#include <vector>

#include "app/store/ConfigStore.h"
#include "app/store/StoreTestSupport.h"

namespace tessaro::testing {

class ExchangeRig {
 public:
  explicit ExchangeRig(const std::string& model = "model") {
    EXPECT_TRUE(store.Open(folder.Path(), model));
  }
  std::string File(const std::string& name) const { return folder.Path() + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    WriteFile(File(name), bytes);
    return File(name);
  }
  std::vector<MacroRecord> Macros() {
    std::vector<MacroRecord> macros;
    store.LoadMacros(macros);
    return macros;
  }
  std::vector<ProfileRecord> Profiles() {
    std::vector<ProfileRecord> profiles;
    store.LoadProfiles(profiles);
    return profiles;
  }
  std::vector<MacroStep> Steps(int32_t macro_id) {
    std::vector<MacroStep> steps;
    store.LoadMacroSteps(macro_id, steps);
    return steps;
  }
  std::vector<KeyAssignment> Keys(int32_t profile, int32_t fn_layer = 0) {
    std::vector<KeyAssignment> keys;
    store.LoadKeyAssignments(profile, fn_layer, keys);
    return keys;
  }
  // Rows of every table that an import writes, as one count.
  size_t Rows() {
    SideConnection side(store.Path());
    size_t rows = 0;
    for (const char* table : {"t_profile_data", "t_key_macro_data", "t_key_otherdata",
                              "t_macro_data", "t_macrorecord"}) {
      rows += side.Query(std::string("SELECT * FROM ") + table).size();
    }
    return rows;
  }

  TempFolder folder;
  ConfigStore store;
};

inline KeyAssignment Key(int32_t profile, int32_t key_code, int32_t macro_type, int32_t value,
                         const std::string& desc) {
  KeyAssignment key;
  key.profile = profile;
  key.key_code = key_code;
  key.macro_type = macro_type;
  key.macro_value = value;
  key.macro_desc = desc;
  return key;
}

inline MacroStep Step(int32_t macro_id, int32_t index, int32_t type, int32_t value, int32_t delay,
                      const std::string& desc) {
  return MacroStep{0, macro_id, type, index, value, delay, desc};
}

}  // namespace tessaro::testing
