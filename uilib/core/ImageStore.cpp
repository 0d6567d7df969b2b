#include "uilib/core/ImageStore.h"

#include "uilib/core/ImageLoader.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

ImageStore& ImageStore::Shared() {
  static ImageStore* store = new ImageStore;  // never destroyed: windows may outlive statics
  return *store;
}

std::shared_ptr<const Image> ImageStore::Load(const std::string& path) {
  const std::string key = SkinPath::Normalise(path);
  std::lock_guard lock(mutex_);
  auto it = images_.find(key);
  if (it != images_.end()) {
    if (auto image = it->second.lock()) return image;
  }
  std::shared_ptr<const Image> image = ImageLoader::LoadFile(SkinPath::ResolveCase(key));
  if (!image) return nullptr;
  ++decodes_;
  // Drop the entries whose images every window has released.
  std::erase_if(images_, [](const auto& entry) { return entry.second.expired(); });
  images_[key] = image;
  return image;
}

}  // namespace tumi
