#pragma once
// Reads picture files: PNG through Cairo, GIF (all its frames) through giflib,
// told apart by their signatures rather than by the file name.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "uilib/core/Image.h"

namespace tumi {

class ImageLoader {
 public:
  // Files larger than this are not skin images and are refused unread.
  static constexpr uintmax_t kMaxFileBytes = 64u << 20;

  // Null when the file is missing, unreadable or not a PNG or GIF.
  static std::shared_ptr<Image> LoadFile(const std::string& path);
  static std::shared_ptr<Image> Decode(std::span<const uint8_t> bytes);
};

}  // namespace tumi
