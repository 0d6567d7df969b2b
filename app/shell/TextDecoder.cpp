#include "app/shell/TextDecoder.h"

#include <array>
#include <cstdint>

namespace tessaro {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// One UTF-8 sequence at the start of text: its code point and length, or
// length 0 when the bytes there are not a well-formed sequence (overlong
// forms, surrogates and values above U+10FFFF included).
struct Sequence {
  char32_t code_point = 0;
  std::size_t length = 0;
};

Sequence ReadUtf8(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return {};
  }
  if (text.size() < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    c = (c << 6) | (byte(i) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  return {c, length};
}

// WINDOWS-1252 0x80 to 0x9F; the five unassigned bytes map to the C1 control of
// the same value, as Windows' own conversion does. 0xA0 to 0xFF are Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string TextDecoder::ToUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return FromWindows1252(bytes);
}

std::string_view TextDecoder::CutToUtf16Units(std::string_view utf8, std::size_t max_units) {
  std::size_t units = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const Sequence s = ReadUtf8(utf8.substr(pos));
    const std::size_t length = s.length == 0 ? 1 : s.length;
    const std::size_t width = s.code_point >= 0x10000 ? 2 : 1;
    if (units + width > max_units) break;
    units += width;
    pos += length;
  }
  return utf8.substr(0, pos);
}

std::string TextDecoder::FromUtf16(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (b0 << 8) | b1 : (b1 << 8) | b0;
  };
  const std::size_t count = bytes.size() / 2;  // an odd last byte is dropped
  for (std::size_t i = 0; i < count; ++i) {
    const char32_t c = unit(2 * i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count) {
      const char32_t low = unit(2 * (i + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
  }
  return out;
}

std::string TextDecoder::FromUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const Sequence s = ReadUtf8(bytes);
    if (s.length == 0) {
      AppendUtf8(out, kReplacement);
      bytes.remove_prefix(1);
    } else {
      out.append(bytes.substr(0, s.length));
      bytes.remove_prefix(s.length);
    }
  }
  return out;
}

std::string TextDecoder::FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char32_t{b});
  }
  return out;
}

bool TextDecoder::IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    const Sequence s = ReadUtf8(bytes);
    if (s.length == 0) return false;
    bytes.remove_prefix(s.length);
  }
  return true;
}

}  // namespace tessaro
