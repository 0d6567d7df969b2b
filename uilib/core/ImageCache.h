#pragma once
// One window's skin images (the paint manager's image cache): each name is
// looked up once, and every control of the window shares the entry. Pixels
// come from an ImageStore, so windows share them too.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "uilib/core/Image.h"
#include "uilib/core/ImageStore.h"

namespace tumi {

// One cached skin image.
struct ImgResInfo {
  std::shared_ptr<const Image> image;
  int frame_width = 0;  // image width / frame count of the first request
  int height = 0;
  int frame_count = 1;
  std::string name;  // normalised, relative to the skin folder
};

class ImageCache {
 public:
  explicit ImageCache(std::string skin_folder, ImageStore& store = ImageStore::Shared());

  // The entry for a skin-relative name, loading it on first use; null when the
  // file cannot be loaded (nothing is cached then). A later request returns
  // the first entry unchanged, whatever frame count it asks for. A frame
  // count below 1 counts as 1. Entries stay valid until Clear.
  const ImgResInfo* Add(const std::string& name, int frame_count);
  const ImgResInfo* Find(const std::string& name) const;
  void Clear();
  size_t Count() const;
  const std::string& SkinFolder() const { return skin_folder_; }

 private:
  std::string skin_folder_;
  ImageStore& store_;
  mutable std::mutex mutex_;
  std::map<std::string, std::unique_ptr<ImgResInfo>> entries_;
};

}  // namespace tumi
