#pragma once
// The skinned push button: frame i of its strip stretched as a nine-patch for
// state i, the title centred on top. A press inside reports 1, a release
// inside after that press 2.
#include <string>

#include "uilib/controls/ButtonBase.h"
#include "uilib/controls/SkinPicture.h"

namespace tumi {

class MButton : public ButtonBase {
 public:
  MButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible = 1,
          int enabled = 1);

  const char* GetClassNameW() const override { return "MButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  // A skin picture drawn by the classes that show an icon; loaded directly,
  // not through the window's image cache. 1 when it loaded.
  int SetIconImage(const std::string& name, int frame_count = 4);
  void SetFrameSize(int corner);
  int GetFrameSize() const { return corner_; }
  // Where the title goes, relative to the button; empty for the whole button.
  void SetTextRect(const Rect& rect);
  const Rect& GetTextRect() const { return text_rect_; }

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;
  // The title in the text rectangle (or the box), one line, greyed when
  // disabled and nudged down-right while pressed.
  void DrawButtonTitle(cairo_t* cr, int slot, const Rect& box) const;
  // A click completed (the release after a press, inside).
  virtual void OnClicked() { SendMessageW(kNotifyActivated); }
  // The text drawn as the title.
  virtual std::string DisplayTitle() const { return title_; }

  SkinPicture icon_;
  int corner_ = 10;
  Rect text_rect_;
};

}  // namespace tumi
