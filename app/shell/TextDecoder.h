#pragma once
// Turns the bytes of a text file into UTF-8 the way Windows text tools read
// them: a byte-order mark names UTF-8, UTF-16LE or UTF-16BE; without one the
// bytes are UTF-8 when they are valid UTF-8 and WINDOWS-1252 otherwise.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

class TextDecoder {
 public:
  static std::string ToUtf8(std::string_view bytes);

  // The longest prefix of a UTF-8 text that fits in max_units UTF-16 code units,
  // never ending inside a character (a non-BMP character takes two units).
  static std::string_view CutToUtf16Units(std::string_view utf8, std::size_t max_units);

 private:
  static std::string FromUtf16(std::string_view bytes, bool big_endian);
  static std::string FromUtf8(std::string_view bytes);
  static std::string FromWindows1252(std::string_view bytes);
  static bool IsValidUtf8(std::string_view bytes);
};

}  // namespace tessaro
