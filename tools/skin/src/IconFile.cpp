#include "IconFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#include "Png.h"

namespace skin {
namespace {

constexpr uint32_t kHeaderSize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr uint16_t kTypeIcon = 1;
constexpr int kMaxSide = 256;

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

bool IconFile::Write(const std::string& path, const std::vector<std::string>& pngs,
                     std::string& error) {
  std::vector<std::string> images;
  std::vector<int> sides;
  for (const auto& name : pngs) {
    Surface png = LoadPng(name);
    const int side = png ? cairo_image_surface_get_width(png.get()) : 0;
    if (!png || side != cairo_image_surface_get_height(png.get()) || side > kMaxSide) {
      error = "not a square PNG of 1 to 256 pixels: " + name;
      return false;
    }
    std::ifstream in(name, std::ios::binary);
    images.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    sides.push_back(side);
  }
  std::string out;
  Put16(out, 0);
  Put16(out, kTypeIcon);
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = kHeaderSize + kEntrySize * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    // A side of 256 is written as 0.
    const auto side = static_cast<char>(sides[i] % kMaxSide);
    out.push_back(side);
    out.push_back(side);
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const auto& image : images) out += image;
  std::ofstream file(path, std::ios::binary);
  if (!file.write(out.data(), static_cast<std::streamsize>(out.size()))) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace skin
