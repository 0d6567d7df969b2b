#include "uilib/core/MImageList.h"

#include "uilib/core/ImageStrip.h"
#include "uilib/core/MRender.h"

namespace tumi {

int MImageList::AddImage(const std::string& path, int id, int frame_count) {
  return InsertImage(-1, path, id, frame_count);
}

int MImageList::InsertImage(int index, const std::string& path, int id, int frame_count) {
  if (path.empty()) return -1;
  auto entry = std::make_unique<ImageListEntry>();
  entry->id = id;
  entry->path = path;
  entry->frame_count = ImageStrip(0, 0, frame_count).FrameCount();
  entry->image = store_.Load(path);
  if (entry->image) {
    const ImageStrip strip(entry->image->Width(), entry->image->Height(), frame_count);
    entry->frame_width = strip.FrameWidth();
    entry->height = strip.FrameHeight();
  }
  std::lock_guard lock(mutex_);
  const int count = static_cast<int>(entries_.size());
  if (index < -1 || index >= count) return -1;
  const int at = index == -1 ? count : index;
  entries_.insert(entries_.begin() + at, std::move(entry));
  return at;
}

void MImageList::DrawItemIcon(cairo_t* cr, const Rect& rect, int index, int state) const {
  std::lock_guard lock(mutex_);
  const ImageListEntry* entry = At(index);
  if (!entry || !entry->image) return;
  const ImageStrip strip(entry->image->Width(), entry->image->Height(), entry->frame_count);
  MRender::DrawImage(cr, *entry->image, rect, strip.Frame(state));
}

void MImageList::SetDrawImgSize(int width, int height) {
  std::lock_guard lock(mutex_);
  draw_size_ = {width, height};
}

Size MImageList::GetIconSize() const {
  std::lock_guard lock(mutex_);
  return draw_size_;
}

const ImageListEntry* MImageList::At(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return nullptr;
  return entries_[index].get();
}

const ImageListEntry* MImageList::ById(int id) const {
  for (const auto& e : entries_) {
    if (e->id == id) return e.get();
  }
  return nullptr;
}

const ImageListEntry* MImageList::GetItemImageData(int index) const {
  std::lock_guard lock(mutex_);
  return At(index);
}

const ImageListEntry* MImageList::GetImageDataByID(int id) const {
  std::lock_guard lock(mutex_);
  return ById(id);
}

std::string MImageList::GetImagePath(int index) const {
  std::lock_guard lock(mutex_);
  const ImageListEntry* e = At(index);
  return e ? e->path : std::string();
}

std::string MImageList::GetImagePathByID(int id) const {
  std::lock_guard lock(mutex_);
  const ImageListEntry* e = ById(id);
  return e ? e->path : std::string();
}

int MImageList::GetImageCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(entries_.size());
}

int MImageList::DelAllImages() {
  std::lock_guard lock(mutex_);
  entries_.clear();
  return 1;
}

}  // namespace tumi
