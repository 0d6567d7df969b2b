#pragma once
// Reads values from an initialisation file ("[section]" headers, "key=value"
// lines) with the rules of Windows' private-profile functions, which the
// language files were written for: section and key names match without regard
// to case, names and values are trimmed of white space, a value wholly inside
// matching single or double quotes loses them, lines starting with ';' are
// comments, and the first section of the name and the first key in it win.
// The file is read afresh on every call so an edited file takes effect at once.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

class ProfileFile {
 public:
  // The longest value handed out, in UTF-16 code units: the 260-character
  // buffer of the original lookup less its terminating zero.
  static constexpr std::size_t kMaxValueUnits = 259;

  explicit ProfileFile(std::string path) : path_(std::move(path)) {}

  // The value as UTF-8, cut to kMaxValueUnits; "" when the file, the section
  // or the key is missing.
  std::string ReadString(std::string_view section, std::string_view key) const;

  // The same lookup over text already in memory (any encoding TextDecoder reads).
  static std::string Find(std::string_view bytes, std::string_view section, std::string_view key);

 private:
  std::string path_;
};

}  // namespace tessaro
