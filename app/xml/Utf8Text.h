#pragma once
// UTF-8 helpers shared by the XML reader and writer. Everything the document
// holds goes through RepairUtf8 so that no invalid sequence and no NUL ever
// reaches memory, whatever a file or a caller hands in.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The length of the well-formed UTF-8 sequence at pos (1 to 4) and its code
// point, or 0 when the bytes there are not one (overlong forms, surrogates and
// values above U+10FFFF included).
size_t DecodeUtf8Char(std::string_view text, size_t pos, char32_t* code_point);
void AppendUtf8(std::string& out, char32_t code_point);
bool IsValidUtf8(std::string_view text);
// True when the text holds at least one well-formed multi-byte sequence.
bool HasUtf8MultiByte(std::string_view text);
// The text with NUL characters removed and each byte that starts no
// well-formed sequence replaced by U+FFFD.
std::string RepairUtf8(std::string_view text);

}  // namespace tessaro
