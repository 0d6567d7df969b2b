#include "uilib/controls/ScrollImages.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {

// Vertical: four 7-pixel columns, 239 high: the track, two thumb columns and
// the track again.
constexpr int kVerticalColumn = 7;
constexpr int kVerticalHeight = 239;
constexpr Argb kTrack = MakeArgb(255, 14, 42, 61);
constexpr Argb kThumb = MakeArgb(255, 16, 168, 253);
// Horizontal: four 5-pixel rows, 22 wide, one yellow fading row by row.
constexpr int kHorizontalWidth = 22;
constexpr int kHorizontalRow = 5;
constexpr int kRowAlpha[4] = {255, 204, 153, 102};

std::shared_ptr<Image> DrawVertical() {
  auto image = Image::Create(kVerticalColumn * 4, kVerticalHeight);
  if (!image) return nullptr;
  Graphics g(*image);
  for (int column = 0; column < 4; ++column) {
    Argb colour = column == 1 || column == 2 ? kThumb : kTrack;
    // Rounded ends give the thumb its softened edges once stretched.
    MRender::DrawRoundRectange(g, column * kVerticalColumn, 0, kVerticalColumn, kVerticalHeight,
                               kVerticalColumn / 2.0, colour);
  }
  return image;
}

std::shared_ptr<Image> DrawHorizontal() {
  auto image = Image::Create(kHorizontalWidth, kHorizontalRow * 4);
  if (!image) return nullptr;
  Graphics g(*image);
  for (int row = 0; row < 4; ++row) {
    MRender::DrawRoundRectange(g, 0, row * kHorizontalRow, kHorizontalWidth, kHorizontalRow,
                               kHorizontalRow / 2.0, MakeArgb(kRowAlpha[row], 253, 224, 0));
  }
  return image;
}

ImgResInfo MakeInfo(std::shared_ptr<Image> image, int frame_count, unsigned id) {
  ImgResInfo info;
  if (!image) return info;
  info.frame_width = image->Width() / frame_count;
  info.height = image->Height();
  info.frame_count = frame_count;
  info.name = "#" + std::to_string(id);
  info.image = std::move(image);
  return info;
}

}  // namespace

const ImgResInfo* ScrollImages::Find(unsigned id, std::string_view type) {
  constexpr std::string_view kPng = "PNG";
  bool png = std::equal(type.begin(), type.end(), kPng.begin(), kPng.end(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == b;
  });
  if (!png) return nullptr;
  // Thread-safe one-time construction; the pictures are immutable afterwards.
  static const ImgResInfo vertical = MakeInfo(DrawVertical(), 4, kScrollImageVertical);
  static const ImgResInfo horizontal = MakeInfo(DrawHorizontal(), 1, kScrollImageHorizontal);
  const ImgResInfo* found = nullptr;
  if (id == kScrollImageVertical) found = &vertical;
  if (id == kScrollImageHorizontal) found = &horizontal;
  return found && found->image ? found : nullptr;
}

}  // namespace tumi
