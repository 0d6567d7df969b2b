#include "app/device/KeyPlacement.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "app/xml/NumberText.h"

namespace tessaro {
namespace {

constexpr size_t kShortestRowCol = 3;

int SaturatingAdd(int a, int b) {
  int64_t sum = int64_t{a} + b;
  sum = std::clamp<int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  return static_cast<int>(sum);
}

}  // namespace

std::optional<GridCell> ParseRowCol(std::string_view text) {
  if (text.size() < kShortestRowCol) return std::nullopt;
  std::string_view column =
      text.size() == kShortestRowCol ? text.substr(2) : text.substr(text.size() - 2);
  return GridCell{ParseLong(text.substr(0, 1)), ParseLong(column)};
}

KeyRect RectFromSize(int x, int y, int width, int height) {
  return KeyRect{x, y, SaturatingAdd(x, width), SaturatingAdd(y, height)};
}

KeyRect ParseKeyRect(std::string_view text) {
  std::array<int, 4> numbers{};
  for (int& number : numbers) {
    size_t end = text.find('#');
    number = ParseLong(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return RectFromSize(numbers[0], numbers[1], numbers[2], numbers[3]);
}

}  // namespace tessaro
