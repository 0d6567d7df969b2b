#pragma once
// A static skin picture: natural size and aligned, tiled, stretched, a
// nine-patch (one corner size or four margins) or a stretched part of the
// image. The control owns its picture (not shared through the image cache).
#include <string>

#include "uilib/controls/PictureFit.h"
#include "uilib/controls/SkinPicture.h"
#include "uilib/core/MControlFont.h"

namespace tumi {

class MPicture : public MControlFont {
 public:
  MPicture(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "MPicture"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;

  // Replaces the picture (a missing file leaves it empty) and repaints; 1
  // when it loaded.
  int SetImage(const std::string& name, int frame_count) override;
  int SetImage(const std::string& name) { return SetImage(name, 1); }
  // 0 when nothing changes (the same mode, and for the nine-patch the same
  // corner size); else stores both, repaints and returns 1.
  int SetShowMode(int mode, int value = 4);
  int GetShowMode() const { return fit_.mode; }
  // Four nine-patch margins; selects that mode. 1.
  int SetShowModeMID(int left, int top, int right, int bottom);
  void SetCustomRect(const Rect& source);
  const SkinPicture& Picture() const { return picture_; }

 protected:
  // The picture fitted into the box of the cache.
  void DrawPicture(cairo_t* cr, const Rect& box) const;

  SkinPicture picture_;
  PictureFit fit_;
};

}  // namespace tumi
