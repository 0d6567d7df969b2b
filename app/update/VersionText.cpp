#include "app/update/VersionText.h"

#include <algorithm>
#include <vector>

namespace tessaro {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string_view> SplitParts(std::string_view text) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', start)) {
    parts.push_back(text.substr(start, dot - start));
    start = dot + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string_view WithoutLeadingZeros(std::string_view part) {
  while (part.size() > 1 && part.front() == '0') part.remove_prefix(1);
  return part;
}

// Compares two runs of digits as numbers, however long they are.
int CompareNumbers(std::string_view a, std::string_view b) {
  a = WithoutLeadingZeros(a);
  b = WithoutLeadingZeros(b);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

std::string_view TrimVersionText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsVersionText(std::string_view text) {
  for (std::string_view part : SplitParts(text)) {
    if (part.empty()) return false;
    for (char c : part) {
      if (!IsDigit(c)) return false;
    }
  }
  return true;
}

int CompareVersions(std::string_view current, std::string_view latest) {
  if (!IsVersionText(current) || !IsVersionText(latest)) return 0;
  const std::vector<std::string_view> ours = SplitParts(current);
  const std::vector<std::string_view> theirs = SplitParts(latest);
  for (size_t i = 0; i < std::max(ours.size(), theirs.size()); ++i) {
    const std::string_view a = i < ours.size() ? ours[i] : "0";
    const std::string_view b = i < theirs.size() ? theirs[i] : "0";
    if (const int order = CompareNumbers(a, b); order != 0) return order < 0 ? 1 : -1;
  }
  return 0;
}

std::optional<uint16_t> ParseFirmwareVersion(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  uint16_t value = 0;
  for (char c : text) {
    if (!IsHexDigit(c)) return std::nullopt;
    const int digit = IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
    value = static_cast<uint16_t>(value * 16 + digit);
  }
  return value;
}

}  // namespace tessaro
