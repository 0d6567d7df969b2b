#pragma once
// A small indexed list of strip images, used by list-like controls for their
// item icons. Paths are file paths (not skin names); pixels are shared through
// the image store.
#include <cairo.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/core/Image.h"
#include "uilib/core/ImageStore.h"
#include "uilib/core/Rect.h"

namespace tumi {

struct ImageListEntry {
  std::shared_ptr<const Image> image;  // null when the file could not be loaded
  int frame_width = 0;
  int height = 0;
  int id = 0;
  int frame_count = 1;
  std::string path;
};

class MImageList {
 public:
  explicit MImageList(ImageStore& store = ImageStore::Shared()) : store_(store) {}

  // InsertImage at the end; the new index, or -1 for an empty path.
  int AddImage(const std::string& path, int id, int frame_count);
  // Inserts before `index` (-1 appends) and returns the new entry's index; -1
  // for an empty path or an index outside -1 to count - 1. An image that
  // cannot be loaded still gets its entry, with zero sizes. A frame count
  // below 1 counts as 1.
  int InsertImage(int index, const std::string& path, int id, int frame_count);

  // Frame 0 (or the state's frame, clamped into the strip) scaled into the
  // rectangle; nothing for an invalid index or an entry without an image.
  void DrawItemIcon(cairo_t* cr, const Rect& rect, int index, int state = 0) const;

  void SetDrawImgSize(int width, int height);
  Size GetIconSize() const;

  // Entries stay valid until DelAllImages.
  const ImageListEntry* GetItemImageData(int index) const;
  const ImageListEntry* GetImageDataByID(int id) const;
  std::string GetImagePath(int index) const;
  std::string GetImagePathByID(int id) const;
  int GetImageCount() const;
  int DelAllImages();

 private:
  const ImageListEntry* At(int index) const;
  const ImageListEntry* ById(int id) const;

  ImageStore& store_;
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<ImageListEntry>> entries_;
  Size draw_size_;
};

}  // namespace tumi
