#include "app/xml/Utf8Text.h"

namespace tessaro {

namespace {
bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}
}  // namespace

size_t DecodeUtf8Char(std::string_view text, size_t pos, char32_t* code_point) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    *code_point = lead;
    return 1;
  }
  size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(byte)) return 0;
    value = (value << 6) | (byte & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code_point = value;
  return length;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
    code_point = kReplacementCharacter;
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

bool IsValidUtf8(std::string_view text) {
  char32_t code_point = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = DecodeUtf8Char(text, pos, &code_point);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

bool HasUtf8MultiByte(std::string_view text) {
  char32_t code_point = 0;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) continue;
    const size_t length = DecodeUtf8Char(text, pos, &code_point);
    if (length > 1) return true;
  }
  return false;
}

std::string RepairUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char32_t code_point = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = DecodeUtf8Char(text, pos, &code_point);
    if (length == 0) {
      AppendUtf8(out, kReplacementCharacter);
      ++pos;
      continue;
    }
    if (code_point != 0) out.append(text, pos, length);
    pos += length;
  }
  return out;
}

}  // namespace tessaro
