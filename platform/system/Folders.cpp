#include "platform/system/Folders.h"

#include <filesystem>
#include <system_error>

namespace platform {
namespace fs = std::filesystem;

std::string Folders::AbsoluteVariable(const std::string& name) const {
  // The XDG base directory rules ignore relative values.
  auto value = environment_.Get(name);
  if (!value || value->empty() || (*value)[0] != '/') return {};
  return fs::path(*value).lexically_normal().string();
}

std::string Folders::ProgramFolder() const {
  if (auto dir = environment_.Get("TESSARO_DATA_DIR"); dir && !dir->empty())
    return fs::path(*dir).lexically_normal().string();
  fs::path exe_folder = fs::path(environment_.ExecutablePath()).parent_path();
  std::error_code error;
  if (!exe_folder.empty() && fs::exists(exe_folder / "config.xml", error))
    return exe_folder.string();
  return (exe_folder.parent_path() / "share" / "tessaro").string();
}

std::string Folders::ConfigHome() const {
  std::string dir = AbsoluteVariable("XDG_CONFIG_HOME");
  return dir.empty() ? (fs::path(environment_.HomeFolder()) / ".config").string() : dir;
}

std::string Folders::DataHome() const {
  std::string dir = AbsoluteVariable("XDG_DATA_HOME");
  return dir.empty() ? (fs::path(environment_.HomeFolder()) / ".local" / "share").string() : dir;
}

std::string Folders::RuntimeFolder() const {
  std::string dir = AbsoluteVariable("XDG_RUNTIME_DIR");
  return dir.empty() ? "/tmp/tessaro-" + std::to_string(environment_.UserId()) : dir;
}

std::string Folders::UserDataFolder(const std::string& software_name) const {
  return (fs::path(DataHome()) / (software_name + " Files")).string();
}

std::string Folders::SettingsFile(const std::string& software_name) const {
  return (fs::path(ConfigHome()) / software_name / "settings.ini").string();
}

std::string Folders::AutostartFile() const {
  return (fs::path(ConfigHome()) / "autostart" / "tessaro.desktop").string();
}

}  // namespace platform
