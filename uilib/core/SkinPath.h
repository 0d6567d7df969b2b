#pragma once
// Skin file names. The program and the skins name images Windows-style
// ("loading\\loading.gif", "icon//icon_pc.png"); every name is normalised to
// single forward slashes before it touches the file system or a cache key.
#include <string>
#include <string_view>

namespace tumi {

class SkinPath {
 public:
  // Backslashes become slashes and runs of slashes collapse into one.
  static std::string Normalise(std::string_view name);
  // "<program folder>/skins/<theme>", without a trailing slash.
  static std::string SkinFolder(std::string_view program_folder, std::string_view theme);
  // The folder joined with a normalised name; a leading slash of the name is
  // dropped, so a name always stays relative to the folder.
  static std::string Join(std::string_view folder, std::string_view name);
  // The path itself when it exists; otherwise the path whose components match
  // it ignoring letter case (skins were first made for a case-blind file
  // system); the path unchanged when neither exists.
  static std::string ResolveCase(const std::string& path);
};

}  // namespace tumi
