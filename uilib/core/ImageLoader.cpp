#include "uilib/core/ImageLoader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "uilib/core/GifDecoder.h"

namespace tumi {

namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kGifSignature[] = {'G', 'I', 'F', '8'};

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

struct PngReader {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->bytes.size() - reader->pos < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->bytes.data() + reader->pos, length);
  reader->pos += length;
  return CAIRO_STATUS_SUCCESS;
}

std::shared_ptr<Image> DecodePng(std::span<const uint8_t> bytes) {
  PngReader reader{bytes};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadPng, &reader);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  return Image::FromSurface(s);
}

}  // namespace

std::shared_ptr<Image> ImageLoader::Decode(std::span<const uint8_t> bytes) {
  if (StartsWith(bytes, kPngSignature)) return DecodePng(bytes);
  if (StartsWith(bytes, kGifSignature)) return GifDecoder::Decode(bytes);
  return nullptr;
}

std::shared_ptr<Image> ImageLoader::LoadFile(const std::string& path) {
  std::error_code ec;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size == 0 || size > kMaxFileBytes) return nullptr;
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(size);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    return nullptr;
  }
  return Decode(bytes);
}

}  // namespace tumi
