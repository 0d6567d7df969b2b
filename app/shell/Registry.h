#pragma once
// The program's two per-user values, "LCID" (language) and "exit_mode" (close
// behaviour), kept as decimal text in the settings key of the software name.
#include <string>

#include "platform/system/SettingsStore.h"

namespace tessaro {

class Registry {
 public:
  static constexpr int kDefaultLanguage = 1033;

  explicit Registry(platform::SettingsStore& store) : store_(store) {}

  // The value as a decimal number: 0 when it is missing or not a number. A
  // missing key is created by the read.
  int ReadInt(const std::string& name);
  // "LCID": as ReadInt, but 1033 when the key exists and cannot be opened.
  int ReadLanguage();
  // Writes only when the key opens; false otherwise.
  bool WriteText(const std::string& name, const std::string& text);
  bool WriteInt(const std::string& name, int number);

 private:
  int Read(const std::string& name, int on_failure);

  platform::SettingsStore& store_;
};

}  // namespace tessaro
