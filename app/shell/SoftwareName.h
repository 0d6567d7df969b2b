#pragma once
// The software name: the name attribute of config.xml's software element. It
// names the settings, the data folder, the instance lock, the window title
// and the tray tip.
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr const char* kDefaultSoftwareName = "Tessaro Driver";

// The name from "<program folder>/config.xml"; the default when the file is
// missing or ill-formed or names none.
std::string ReadSoftwareName(const std::string& program_folder);

// The text cut to at most max_units UTF-16 code units, never inside a
// character (the tray tip takes 127).
std::string CutToUtf16Units(std::string_view text, size_t max_units);

}  // namespace tessaro
