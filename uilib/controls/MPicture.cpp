#include "uilib/controls/MPicture.h"

#include "uilib/core/Graphics.h"

namespace tumi {

MPicture::MPicture(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  frame_count_ = 1;
}

int MPicture::SetImage(const std::string& name, int frame_count) {
  bool loaded = picture_.Load(name, frame_count);
  frame_count_ = picture_.FrameCount();
  frame_width_ = picture_.FrameWidth();
  frame_height_ = picture_.FrameHeight();
  image_path_ = loaded ? name : std::string();
  UpdateControl(1, 0);
  return loaded ? 1 : 0;
}

int MPicture::SetShowMode(int mode, int value) {
  if (mode == fit_.mode && (mode != kShowNinePatch || value == fit_.corner)) return 0;
  fit_.mode = mode;
  if (mode == kShowNinePatch) fit_.corner = value;
  UpdateControl(1, 0);
  return 1;
}

int MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
  fit_.margins = Margins{left, top, right, bottom};
  fit_.mode = kShowNinePatchMID;
  UpdateControl(1, 0);
  return 1;
}

void MPicture::SetCustomRect(const Rect& source) {
  fit_.custom = source;
  if (fit_.mode == kShowCustomRect) UpdateControl(1, 0);
}

void MPicture::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    DrawPicture(g, Rect::FromSize(0, 0, w, h));
  }
  PaintSlot(cr, 0);
}

void MPicture::DrawPicture(cairo_t* cr, const Rect& box) const {
  if (picture_.Empty()) return;
  PictureFit fit = fit_;
  fit.h_align = static_cast<int>(h_align_);
  fit.v_align = static_cast<int>(v_align_);
  fit.Draw(cr, *picture_.Get(), picture_.Frame(0), box);
}

}  // namespace tumi
