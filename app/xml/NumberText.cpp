#include "app/xml/NumberText.h"

#include <limits>

namespace tessaro {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int32_t ParseLong(std::string_view text, int base) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (base == 16 && i + 2 < text.size() && text[i] == '0' &&
      (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2]) < 16)
    i += 2;
  // Accumulate as a magnitude one past INT32_MAX so that INT32_MIN fits.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
    magnitude = magnitude * base + DigitValue(text[i]);
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int32_t>(-magnitude);
  if (magnitude >= kLimit) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(magnitude);
}

}  // namespace tessaro
