#pragma once
// A label: the title in the library font, optionally with a marked part in
// another colour, a shadow, a solid background and an icon at its left. It
// never reacts to clicks and swallows the wheel.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class MText : public MControlFont {
 public:
  MText(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible = 1);

  const char* GetClassNameW() const override { return "MText"; }

  // The mark is drawn where it first occurs in the title at or after the
  // start index (UTF-16 units); the colour stays when not given.
  void SetMarkText(const std::string& mark);
  void SetMarkText(const std::string& mark, Argb color, int start);
  void SetTitleMarkText(const std::string& title, const std::string& mark);
  void SetMarkText(const std::string& title, const std::string& mark, Argb color, int start);
  void EnableTextBack(int enable, Argb color);
  // These three show at the next rebuild of the picture.
  void EnableMultiLine(int enable) { multi_line_ = enable; }
  void EnableShadow(int enable) { shadow_ = enable; }
  void EnableVCenter(int enable) { v_center_ = enable; }
  int GetVirtualHeight() const { return 0; }

  const std::string& GetMarkText() const { return mark_; }
  Argb GetMarkColor() const { return mark_color_; }

  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlScroll(int /*kind*/, int /*direction*/, Point /*p*/) override { return 1; }

 private:
  void Changed();
  void Render(cairo_t* cr, const Rect& box) const;
  TextFormat Format() const;
  void DrawPart(cairo_t* cr, const std::string& text, const Rect& box, Argb color,
                bool shadow_down) const;

  std::string mark_;
  int mark_start_ = 0;
  int back_ = 0;
  Argb back_color_ = 0xFF008000;
  Argb shadow_color_ = 0xFF505050;
  Argb mark_color_ = 0xFFED801B;
  int multi_line_ = 0;
  int v_center_ = 0;
  int shadow_ = 0;
};

}  // namespace tumi
