#include "app/xml/XmlEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "app/xml/Utf8Text.h"

namespace tessaro {

namespace {

enum class Family { kNone, kUtf8, kUtf16, kAscii, kCodePage, kUnknown };

struct Charset {
  Family family = Family::kNone;
  std::string iconv_name;
};

struct Alias {
  std::string_view name;
  std::string_view iconv_name;
};

// Code pages by their IANA names and common aliases. windows-125x, cp125x and
// iso-8859-x are recognised by pattern below.
constexpr std::array kAliases = {
    Alias{"gb2312", "CP936"},
    Alias{"gbk", "CP936"},
    Alias{"cp936", "CP936"},
    Alias{"ms936", "CP936"},
    Alias{"windows-936", "CP936"},
    Alias{"x-gbk", "CP936"},
    Alias{"csgb2312", "CP936"},
    Alias{"euc-cn", "CP936"},
    Alias{"gb18030", "GB18030"},
    Alias{"shift_jis", "CP932"},
    Alias{"shift-jis", "CP932"},
    Alias{"sjis", "CP932"},
    Alias{"x-sjis", "CP932"},
    Alias{"ms_kanji", "CP932"},
    Alias{"csshiftjis", "CP932"},
    Alias{"windows-31j", "CP932"},
    Alias{"cp932", "CP932"},
    Alias{"big5", "CP950"},
    Alias{"csbig5", "CP950"},
    Alias{"cp950", "CP950"},
    Alias{"big5-hkscs", "BIG5-HKSCS"},
    Alias{"euc-kr", "CP949"},
    Alias{"ks_c_5601-1987", "CP949"},
    Alias{"cp949", "CP949"},
    Alias{"csksc56011987", "CP949"},
    Alias{"euc-jp", "EUC-JP"},
    Alias{"iso-2022-jp", "ISO-2022-JP"},
    Alias{"koi8-r", "KOI8-R"},
    Alias{"koi8-u", "KOI8-U"},
    Alias{"latin1", "ISO-8859-1"},
    Alias{"l1", "ISO-8859-1"},
    Alias{"cp819", "ISO-8859-1"},
    Alias{"windows-874", "CP874"},
    Alias{"tis-620", "TIS-620"},
};

// WINDOWS-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the C1 controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return out;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "windows-1252", "cp1252", "x-cp1252" -> "CP1252"; "iso-8859-2", "iso_8859-2",
// "iso8859-2" -> "ISO-8859-2".
std::string PatternCodePage(const std::string& name) {
  for (std::string_view prefix : {"windows-", "x-cp", "cp"}) {
    std::string_view rest(name);
    if (rest.substr(0, prefix.size()) != prefix) continue;
    rest.remove_prefix(prefix.size());
    if (rest.size() == 4 && rest.substr(0, 3) == "125" && AllDigits(rest))
      return "CP" + std::string(rest);
  }
  for (std::string_view prefix : {"iso-8859-", "iso_8859-", "iso8859-", "iso-8859_", "iso8859_"}) {
    std::string_view rest(name);
    if (rest.substr(0, prefix.size()) != prefix) continue;
    rest.remove_prefix(prefix.size());
    if (AllDigits(rest) && rest.size() <= 2) return "ISO-8859-" + std::string(rest);
  }
  return {};
}

Charset Lookup(std::string_view declared) {
  if (declared.empty()) return {};
  const std::string name = Lower(declared);
  if (name == "utf-8" || name == "utf8") return {Family::kUtf8, "UTF-8"};
  if (name == "utf-16" || name == "utf-16le" || name == "utf-16be" || name == "utf16" ||
      name == "ucs-2" || name == "unicode")
    return {Family::kUtf16, "UTF-16LE"};
  if (name == "us-ascii" || name == "ascii") return {Family::kAscii, "ASCII"};
  for (const Alias& alias : kAliases)
    if (name == alias.name) return {Family::kCodePage, std::string(alias.iconv_name)};
  if (std::string page = PatternCodePage(name); !page.empty()) return {Family::kCodePage, page};
  return {Family::kUnknown, {}};
}

void AddNote(std::string& notes, std::string_view note) {
  if (!notes.empty()) notes += ' ';
  notes += note;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F)
      AppendUtf8(out, kWindows1252High[byte - 0x80]);
    else
      AppendUtf8(out, byte);
  }
  return out;
}

std::string FromUtf16(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](size_t i) -> char16_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
  };
  const size_t count = bytes.size() / 2;
  for (size_t i = 0; i < count; ++i) {
    const char16_t first = unit(2 * i);
    if (first >= 0xD800 && first <= 0xDBFF && i + 1 < count) {
      const char16_t second = unit(2 * (i + 1));
      if (second >= 0xDC00 && second <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, first);  // a lone surrogate becomes U+FFFD
  }
  return out;
}

std::string ToUtf16LittleEndianWithMark(std::string_view text) {
  std::string out("\xFF\xFE");
  auto put = [&](char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
  };
  char32_t code_point = 0;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = DecodeUtf8Char(text, pos, &code_point);
    if (length == 0) code_point = kReplacementCharacter, length = 1;
    pos += length;
    if (code_point >= 0x10000) {
      code_point -= 0x10000;
      put(0xD800 + (code_point >> 10));
      put(0xDC00 + (code_point & 0x3FF));
    } else {
      put(code_point);
    }
  }
  return out;
}

// An iconv conversion descriptor, closed on destruction.
class IconvHandle {
 public:
  IconvHandle(const std::string& to, const std::string& from)
      : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~IconvHandle() {
    if (ok()) iconv_close(handle_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of the input; at a sequence the target cannot take, appends
  // `substitute` and skips `skip(input, pos)` bytes. False when anything was
  // substituted.
  template <typename Skip>
  bool Convert(std::string_view input, std::string_view substitute, Skip skip, std::string& out) {
    bool exact = true;
    std::string buffer(4096, '\0');
    size_t pos = 0;
    while (true) {
      char* in_ptr = const_cast<char*>(input.data() + pos);
      size_t in_left = input.size() - pos;
      char* out_ptr = buffer.data();
      size_t out_left = buffer.size();
      // A null input flushes the shift state of stateful encodings at the end.
      const size_t rc = pos < input.size() ? iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left)
                                           : iconv(handle_, nullptr, nullptr, &out_ptr, &out_left);
      const int error = errno;
      out.append(buffer.data(), buffer.size() - out_left);
      if (pos >= input.size()) {
        if (rc == static_cast<size_t>(-1) && error == E2BIG) continue;
        return exact;
      }
      pos = input.size() - in_left;
      if (rc != static_cast<size_t>(-1)) continue;
      if (error == E2BIG) continue;
      // EILSEQ, or EINVAL for a sequence cut short at the end.
      exact = false;
      out += substitute;
      pos += std::max<size_t>(1, std::min(skip(input, pos), input.size() - pos));
    }
  }

 private:
  iconv_t handle_;
};

std::string DecodeUndeclared(std::string_view bytes, std::string& notes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  AddNote(notes, "windows-1252_fallback");
  return FromWindows1252(bytes);
}

// A file that claims UTF-8 but is not: when it holds no valid multi-byte
// sequence at all it was saved in the ANSI code page (an editor kept the
// declaration); otherwise it is damaged UTF-8 and only the bad bytes are lost.
std::string DecodeClaimedUtf8(std::string_view bytes, std::string& notes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  if (!HasUtf8MultiByte(bytes)) {
    AddNote(notes, "invalid_utf8 windows-1252_fallback");
    return FromWindows1252(bytes);
  }
  AddNote(notes, "invalid_utf8 replaced");
  return RepairUtf8(bytes);
}

std::string DecodeCodePage(std::string_view bytes, const std::string& iconv_name,
                           std::string& notes) {
  IconvHandle converter("UTF-8", iconv_name);
  if (!converter.ok()) {
    AddNote(notes, "unsupported_encoding");
    return DecodeUndeclared(bytes, notes);
  }
  std::string out;
  std::string replacement;
  AppendUtf8(replacement, kReplacementCharacter);
  if (!converter.Convert(
          bytes, replacement, [](std::string_view, size_t) { return size_t{1}; }, out))
    AddNote(notes, "decode_errors");
  return out;
}

std::string DecodeText(std::string_view bytes, std::string& notes) {
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  using namespace std::string_view_literals;
  if (starts("\xEF\xBB\xBF"sv)) {
    AddNote(notes, "bom=UTF-8");
    return DecodeClaimedUtf8(bytes.substr(3), notes);
  }
  if (starts("\xFF\xFE"sv)) {
    AddNote(notes, "bom=UTF-16LE");
    return FromUtf16(bytes.substr(2), false);
  }
  if (starts("\xFE\xFF"sv)) {
    AddNote(notes, "bom=UTF-16BE");
    return FromUtf16(bytes.substr(2), true);
  }
  // "<?" in UTF-16 without a mark: nothing else starts that way.
  if (starts("<\0?\0"sv)) {
    AddNote(notes, "unmarked=UTF-16LE");
    return FromUtf16(bytes, false);
  }
  if (starts("\0<\0?"sv)) {
    AddNote(notes, "unmarked=UTF-16BE");
    return FromUtf16(bytes, true);
  }
  const std::string declared = XmlEncoding::DeclaredEncoding(bytes);
  const Charset charset = Lookup(declared);
  if (!declared.empty()) AddNote(notes, "declared=" + RepairUtf8(declared));
  switch (charset.family) {
    case Family::kUtf8:
      return DecodeClaimedUtf8(bytes, notes);
    case Family::kCodePage:
      return DecodeCodePage(bytes, charset.iconv_name, notes);
    case Family::kUnknown:
      AddNote(notes, "unknown_encoding");
      return DecodeUndeclared(bytes, notes);
    case Family::kUtf16:  // the declaration was legible as single bytes: not UTF-16
    case Family::kAscii:
    case Family::kNone:
      return DecodeUndeclared(bytes, notes);
  }
  return DecodeUndeclared(bytes, notes);
}

}  // namespace

XmlEncoding::Converted XmlEncoding::Decode(std::string_view bytes) {
  Converted result;
  std::string text = DecodeText(bytes, result.notes);
  if (text.find('\0') != std::string::npos) {
    AddNote(result.notes, "nul_removed");
    std::erase(text, '\0');
  }
  result.text = std::move(text);
  return result;
}

XmlEncoding::Converted XmlEncoding::Encode(std::string_view text) {
  Converted result;
  const std::string declared = DeclaredEncoding(text);
  const Charset charset = Lookup(declared);
  switch (charset.family) {
    case Family::kNone:
    case Family::kUtf8:
      result.text = text;
      return result;
    case Family::kUnknown:
      AddNote(result.notes, "unknown_encoding");
      result.text = text;
      return result;
    case Family::kUtf16:
      // UTF-16 is only recognised by its mark, so it is written with one.
      result.text = ToUtf16LittleEndianWithMark(text);
      return result;
    case Family::kAscii:
    case Family::kCodePage:
      break;
  }
  IconvHandle converter(charset.iconv_name, "UTF-8");
  if (!converter.ok()) {
    AddNote(result.notes, "unsupported_encoding");
    result.text = text;
    return result;
  }
  auto skip_character = [](std::string_view input, size_t pos) {
    char32_t code_point = 0;
    return std::max<size_t>(1, DecodeUtf8Char(input, pos, &code_point));
  };
  if (!converter.Convert(text, "?", skip_character, result.text))
    AddNote(result.notes, "conversion_loss");
  return result;
}

std::string XmlEncoding::DeclaredEncoding(std::string_view text) {
  constexpr std::string_view kOpen = "<?xml";
  constexpr size_t kLongestDeclaration = 1024;
  if (text.substr(0, kOpen.size()) != kOpen) return {};
  const std::string_view head = text.substr(0, kLongestDeclaration);
  const size_t end = head.find("?>");
  if (end == std::string_view::npos) return {};
  const std::string_view declaration = head.substr(0, end);
  size_t pos = declaration.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos += 8;
  auto skip_space = [&] {
    while (pos < declaration.size() && (declaration[pos] == ' ' || declaration[pos] == '\t' ||
                                        declaration[pos] == '\r' || declaration[pos] == '\n'))
      ++pos;
  };
  skip_space();
  if (pos >= declaration.size() || declaration[pos] != '=') return {};
  ++pos;
  skip_space();
  if (pos >= declaration.size() || (declaration[pos] != '"' && declaration[pos] != '\'')) return {};
  const char quote = declaration[pos++];
  const size_t close = declaration.find(quote, pos);
  if (close == std::string_view::npos) return {};
  return std::string(declaration.substr(pos, close - pos));
}

}  // namespace tessaro
