#include "app/shell/ProfileFile.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "app/shell/TextDecoder.h"

namespace tessaro {
namespace {

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kSpace = " \t\v\f";
  const auto first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kSpace);
  return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The next line of text (without its end: "\r\n", "\n" or "\r"), consumed.
std::string_view NextLine(std::string_view& text) {
  const auto end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
  } else {
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  return line;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

std::string ProfileFile::ReadString(std::string_view section, std::string_view key) const {
  const auto bytes = ReadWholeFile(path_);
  return bytes ? Find(*bytes, section, key) : std::string();
}

std::string ProfileFile::Find(std::string_view bytes, std::string_view section,
                              std::string_view key) {
  const std::string text = TextDecoder::ToUtf8(bytes);
  std::string_view rest = text;
  bool in_section = false;
  bool seen_section = false;
  while (!rest.empty()) {
    const std::string_view line = Trim(NextLine(rest));
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      // Only the first section of the name is searched, as Windows does.
      if (seen_section) break;
      const auto close = line.find(']');
      const std::string_view name = line.substr(1, close == line.npos ? line.npos : close - 1);
      in_section = SameName(Trim(name), section);
      seen_section = in_section;
      continue;
    }
    if (!in_section) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!SameName(Trim(line.substr(0, equals)), key)) continue;
    const std::string_view value = Unquote(Trim(line.substr(equals + 1)));
    return std::string(TextDecoder::CutToUtf16Units(value, kMaxValueUnits));
  }
  return {};
}

}  // namespace tessaro
