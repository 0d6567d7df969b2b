#include "uilib/controls/SkinPicture.h"

#include <algorithm>

#include "uilib/core/ImageStore.h"
#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

bool SkinPicture::Load(const std::string& name, int frame_count) {
  Clear();
  if (name.empty()) return false;
  std::string path = SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name));
  image_ = ImageStore::Shared().Load(path);
  if (!image_) return false;
  frame_count_ = std::max(frame_count, 1);
  frame_width_ = image_->Width() / frame_count_;
  frame_height_ = image_->Height();
  return true;
}

Rect SkinPicture::Frame(int index) const {
  index = std::clamp(index, 0, frame_count_ - 1);
  return Rect::FromSize(index * frame_width_, 0, frame_width_, frame_height_);
}

}  // namespace tumi
