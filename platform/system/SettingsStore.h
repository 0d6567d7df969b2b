#pragma once
// Per-user settings of one software name, in place of the registry key
// "SOFTWARE\<software name>": named text values in a key that may not exist yet.
#include <map>
#include <optional>
#include <string>

namespace platform {

class SettingsStore {
 public:
  enum class Open { kOpened, kMissing, kFailed };

  virtual ~SettingsStore() = default;
  // Opens the key; with create, a missing key is made (and then kOpened).
  virtual Open OpenKey(bool create) = 0;
  // The value's text; nullopt when the key or the value is missing or unreadable.
  virtual std::optional<std::string> Read(const std::string& name) = 0;
  // Stores the value, creating the key; false when it cannot be stored.
  virtual bool Write(const std::string& name, const std::string& text) = 0;
};

// An INI file "[settings]" with one "name=value" line per value. Writes go to a
// temporary file that replaces the old one, so a crash never leaves half a file.
class IniSettingsStore final : public SettingsStore {
 public:
  explicit IniSettingsStore(std::string path) : path_(std::move(path)) {}
  Open OpenKey(bool create) override;
  std::optional<std::string> Read(const std::string& name) override;
  bool Write(const std::string& name, const std::string& text) override;

 private:
  std::string path_;
};

class FakeSettingsStore final : public SettingsStore {
 public:
  bool key_exists = false;
  bool fail_open = false;
  std::map<std::string, std::string> values;

  Open OpenKey(bool create) override;
  std::optional<std::string> Read(const std::string& name) override;
  bool Write(const std::string& name, const std::string& text) override;
};

}  // namespace platform
