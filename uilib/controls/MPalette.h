#pragma once
// A hue-lightness plane with a saturation bar beside it (HSL, saturation and
// lightness in half percents). A press picks a colour and reports 27 with the
// colour (a colour reference) as wparam when it changed; so does dragging.
#include <memory>
#include <string>

#include "uilib/controls/SkinPicture.h"
#include "uilib/core/MControlFont.h"

namespace tumi {

class MPalette : public MControlFont {
 public:
  MPalette(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "MPalette"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override;

  ColorRef GetSelectColor() const;
  // Places the thumb on the colour; it becomes the last reported one.
  void SetSelectColor(ColorRef color);
  // The pointer of the saturation bar; 1 when it loaded.
  int SetThumbImage(const std::string& name);
  void SetPalletHeight(int height);
  int GetPalletHeight() const { return palette_height_; }

  int GetHue() const { return hue_; }
  int GetSaturation() const { return saturation_; }
  int GetLightness() const { return lightness_; }
  Point GetThumbPoint() const { return thumb_; }
  const Rect& GetPlaneRect() const { return plane_; }
  const Rect& GetBarRect() const { return bar_; }

  static constexpr int kBarWidth = 16;

 private:
  void Layout();
  void BuildPlane();
  void BuildBar();
  void PickInPlane(Point p);
  void PickInBar(Point p);
  // Reports the colour when it differs from the last one reported.
  void ReportIfChanged();
  // The plane's right edge is hue 360 (red again), so it counts.
  bool InPlaneColumns(Point p) const { return p.x >= plane_.left && p.x <= plane_.right; }
  bool InBarColumns(Point p) const { return p.x >= bar_.left && p.x < bar_.right; }

  int hue_ = 180;         // 0 to 360
  int saturation_ = 200;  // 0 to 200
  int lightness_ = 120;   // 20 to 200
  int palette_height_ = 150;
  Rect plane_;
  Rect bar_;
  Point thumb_;
  ColorRef last_ = 0;
  SkinPicture bar_thumb_;
  // Columns 0-359 hold the plane (hue by lightness, full saturation), columns
  // 370 on the bar (saturation at the current hue and lightness); 200 rows.
  std::shared_ptr<Image> bitmap_;
  bool dragging_plane_ = false;
  bool dragging_bar_ = false;
};

}  // namespace tumi
