#pragma once
// Where the program's files live on Linux: the program folder with the data
// that ships with it, and the per-user folders of the XDG base directories.
#include <string>

#include "platform/system/Environment.h"

namespace platform {

class Folders {
 public:
  explicit Folders(const Environment& environment) : environment_(environment) {}

  // $TESSARO_DATA_DIR when set; otherwise the executable's folder when it holds
  // config.xml (a build tree is a runnable program folder); otherwise
  // <prefix>/share/tessaro beside the installed <prefix>/bin. No trailing slash.
  std::string ProgramFolder() const;
  // $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
  std::string ConfigHome() const;
  // $XDG_DATA_HOME, or ~/.local/share.
  std::string DataHome() const;
  // $XDG_RUNTIME_DIR, or a folder of the user's own in /tmp.
  std::string RuntimeFolder() const;

  // "<data home>/<software name> Files": holds db/ and temp/.
  std::string UserDataFolder(const std::string& software_name) const;
  // "<config home>/<software name>/settings.ini": stands in for the registry key.
  std::string SettingsFile(const std::string& software_name) const;
  // "<config home>/autostart/tessaro.desktop".
  std::string AutostartFile() const;

 private:
  std::string AbsoluteVariable(const std::string& name) const;

  const Environment& environment_;
};

}  // namespace platform
