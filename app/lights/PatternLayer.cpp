#include "app/lights/PatternLayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "app/lights/ColorMath.h"

namespace tessaro {
namespace {

constexpr int kColumns = LightPicture::kColumns;
constexpr int kRows = LightPicture::kRows;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kOrange = 0x0040FF;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kCyan = 0xFFFF00;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kViolet = 0xFF0040;
constexpr uint32_t kMagenta = 0xFF00FF;

constexpr std::array<uint32_t, 9> kSolid = {kBlack, kWhite, kRed,  kOrange, kYellow,
                                            kGreen, kCyan,  kBlue, kViolet};

struct Bands {
  std::array<uint32_t, 6> colors;
  int count;
};
// Patterns 9 to 14, first colour at the bottom.
constexpr std::array<Bands, 6> kBands = {{
    {{kGreen, kYellow, kRed}, 3},
    {{kGreen, kWhite, kRed}, 3},
    {{kBlue, kCyan, kWhite}, 3},
    {{kRed, kWhite, kBlue}, 3},
    {{kRed, kYellow, kGreen, kCyan, kBlue, kMagenta}, 6},
    {{kMagenta, kBlue, kCyan, kGreen, kYellow, kRed}, 6},
}};

// Column steps of the sine rainbow: 360 degrees over 255 columns.
constexpr double kDegreesPerColumn = 1.4117647;

// The sine colour of every whole angle from -359 to 359 (a remainder keeps the
// sign), computed once: three sines per cell per frame would dominate a frame.
const std::array<uint32_t, 719>& SineTable() {
  static const auto table = [] {
    std::array<uint32_t, 719> t{};
    for (int a = -359; a <= 359; ++a) t[a + 359] = color::SineRainbow(a);
    return t;
  }();
  return table;
}
uint32_t Sine(int degrees) {
  return SineTable()[(degrees % 360) + 359];
}

// Degrees 0 to 359 of every cell around (128, centre row), for the hue wheels.
std::vector<int16_t> WheelAngles(int centre_row) {
  std::vector<int16_t> angles(kColumns * kRows);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const double degrees = std::atan2(r - centre_row, c - 128) * 180.0 / M_PI;
      angles[r * kColumns + c] = static_cast<int16_t>(static_cast<int>(degrees + 180.0) % 360);
    }
  }
  return angles;
}
const std::vector<int16_t>& Wheel(int centre_row) {
  static const std::vector<int16_t> upper = WheelAngles(32);
  static const std::vector<int16_t> lower = WheelAngles(64);
  return centre_row == 32 ? upper : lower;
}

}  // namespace

void PatternLayer::Paint(int pattern, int level, int hue_angle) {
  if (pattern < 0 || pattern >= kPatternCount) return;
  if (painted_ && pattern == pattern_ && level == level_ &&
      (!FollowsHue(pattern) || hue_angle == hue_angle_)) {
    return;
  }
  PaintAll(pattern, color::LevelFactor(level), hue_angle);
  painted_ = true;
  pattern_ = pattern;
  level_ = level;
  hue_angle_ = hue_angle;
}

void PatternLayer::PaintAll(int pattern, int factor, int hue_angle) {
  if (pattern < 9) return FillAll(color::Dim(kSolid[pattern], factor));
  if (pattern < 15) {
    const Bands& bands = kBands[pattern - 9];
    return PaintBands(bands.colors.data(), bands.count, factor);
  }
  std::array<uint32_t, kColumns> row{};
  switch (pattern) {
    case 15:
      for (int c = 0; c < kColumns; ++c) {
        row[c] = color::Dim(Sine(static_cast<int>(c * kDegreesPerColumn - hue_angle)), factor);
      }
      return FillColumns(row.data());
    case 16:
      for (int c = 0; c < kColumns; ++c) {
        row[c] = color::Hsv((256 - c + hue_angle) % 360, 255, factor);
      }
      return FillColumns(row.data());
    case 17:
      return PaintWheel(32, factor, hue_angle);
    case 18:
      return PaintWheel(64, factor, hue_angle);
    case 19:
      return FillAll(color::Hsv(hue_angle, 255, factor));
    default:
      return FillAll(color::Dim(Sine(static_cast<int>(kDegreesPerColumn - hue_angle)), factor));
  }
}

// Rows 1 to 63 stack the colours upwards; row 0 runs from the last colour at
// both edges to the first in the middle.
void PatternLayer::PaintBands(const uint32_t* colors, int count, int factor) {
  for (int r = 1; r < kRows; ++r) {
    const uint32_t color = color::Dim(colors[count * (63 - r) / 63], factor);
    std::fill_n(&picture_.At(0, r), kColumns, color);
  }
  for (int c = 0; c < kColumns; ++c) {
    int index = 0;
    if (c >= 128) {
      index = static_cast<int>((c - 128) * count / 128.0);
    } else {
      index = std::min(static_cast<int>(count - count * c / 128.0), count - 1);
    }
    picture_.At(c, 0) = color::Dim(colors[index], factor);
  }
}

void PatternLayer::PaintWheel(int centre_row, int factor, int hue_angle) {
  std::array<uint32_t, 360> hues{};
  for (int h = 0; h < 360; ++h) hues[h] = color::Hsv(h, 255, factor);
  const std::vector<int16_t>& angles = Wheel(centre_row);
  const int shift = ((hue_angle % 360) + 360) % 360;
  for (size_t i = 0; i < angles.size(); ++i) {
    int h = angles[i] + shift;
    if (h >= 360) h -= 360;
    picture_.cells[i] = hues[h];
  }
}

void PatternLayer::FillColumns(const uint32_t* row) {
  for (int r = 0; r < kRows; ++r) std::memcpy(&picture_.At(0, r), row, kColumns * sizeof(uint32_t));
}

void PatternLayer::FillAll(uint32_t color) {
  picture_.cells.fill(color);
}

}  // namespace tessaro
