#include "app/shell/Registry.h"

#include "app/xml/NumberText.h"

namespace tessaro {

int Registry::Read(const std::string& name, int on_failure) {
  switch (store_.OpenKey(false)) {
    case platform::SettingsStore::Open::kOpened: {
      auto text = store_.Read(name);
      return text ? ParseLong(*text) : 0;
    }
    case platform::SettingsStore::Open::kMissing:
      store_.OpenKey(true);
      return 0;
    case platform::SettingsStore::Open::kFailed:
      break;
  }
  return on_failure;
}

int Registry::ReadInt(const std::string& name) {
  return Read(name, 0);
}

int Registry::ReadLanguage() {
  return Read("LCID", kDefaultLanguage);
}

bool Registry::WriteText(const std::string& name, const std::string& text) {
  if (store_.OpenKey(false) != platform::SettingsStore::Open::kOpened) return false;
  return store_.Write(name, text);
}

bool Registry::WriteInt(const std::string& name, int number) {
  return WriteText(name, std::to_string(number));
}

}  // namespace tessaro
