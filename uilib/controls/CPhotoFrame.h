#pragma once
// A clickable photo in a frame: the photo fitted by its show mode, the frame
// strip over it as a nine-patch; pressed, hovered and normal like a button.
#include <string>

#include "uilib/controls/ButtonBase.h"
#include "uilib/controls/PictureFit.h"
#include "uilib/controls/SkinPicture.h"

namespace tumi {

class CPhotoFrame : public ButtonBase {
 public:
  CPhotoFrame(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CPhotoFrame"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  // The photo (a skin picture); 1 when it loaded.
  int SetPhotoFrame(const std::string& name);
  int SetShowMode(int mode, int value = 4);
  int SetShowModeMID(int left, int top, int right, int bottom);

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;

 private:
  SkinPicture photo_;
  PictureFit fit_;
};

}  // namespace tumi
