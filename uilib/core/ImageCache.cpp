#include "uilib/core/ImageCache.h"

#include "uilib/core/ImageStrip.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

ImageCache::ImageCache(std::string skin_folder, ImageStore& store)
    : skin_folder_(std::move(skin_folder)), store_(store) {}

const ImgResInfo* ImageCache::Add(const std::string& name, int frame_count) {
  const std::string key = SkinPath::Normalise(name);
  std::lock_guard lock(mutex_);
  if (auto it = entries_.find(key); it != entries_.end()) return it->second.get();
  std::shared_ptr<const Image> image = store_.Load(SkinPath::Join(skin_folder_, key));
  if (!image) return nullptr;
  const ImageStrip strip(image->Width(), image->Height(), frame_count);
  auto entry = std::make_unique<ImgResInfo>(
      ImgResInfo{image, strip.FrameWidth(), image->Height(), strip.FrameCount(), key});
  return entries_.emplace(key, std::move(entry)).first->second.get();
}

const ImgResInfo* ImageCache::Find(const std::string& name) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(SkinPath::Normalise(name));
  return it == entries_.end() ? nullptr : it->second.get();
}

void ImageCache::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

size_t ImageCache::Count() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

}  // namespace tumi
