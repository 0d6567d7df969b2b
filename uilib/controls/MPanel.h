#pragma once
// The container control: it holds child controls, owns a vertical and a
// horizontal scroll bar (its first two children, ids 1 and 2), passes its
// children's notifications on to its own parent and maps points and repaint
// requests between its scrolled content and the window. Every scrolling
// control of the library derives from it.
//
// Two ways to scroll: set a virtual (content) size, and the panel shows the
// bars and shifts the content by the bars' positions; or leave it at 0 and
// drive the vertical bar directly (the library's lists do), drawing the
// visible part yourself.
#include <memory>
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class CScrollHorizontal;
class CScrollVertical;
class MScroll;

class MPanel : public MControlFont {
 public:
  static constexpr unsigned kVerticalBarId = 1;
  static constexpr unsigned kHorizontalBarId = 2;

  MPanel(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "MPanel"; }
  long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                     std::intptr_t lparam) override;
  long OnControlUpdate(const Rect& rect, int redraw, MControl* control) override;
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* /*cr*/, const Rect& /*clip*/) override {}
  int DrawSubControls(cairo_t* cr, const Rect& clip) override;
  int OnMousePointChange(Point& p) override;
  int OnCheckMouseResponse(unsigned /*flags*/, Point /*p*/) override { return 1; }
  long OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;
  // Passes a child's notification on, unchanged, to the panel's parent.
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlVisible(int visible) override;
  void SetControlWndVisible(int /*visible*/) override {}
  void SetControlEnabled(int enabled) override;
  int OnControlScroll(int kind, int direction, Point p) override;

  // Creates a control of a registered class as a child: kind 1 appends it to
  // the child controls, kind 0 to the area children. Null for a class the
  // panel factory does not know.
  virtual MControl* CreateControl(int kind, MObject* parent, const std::string& class_name,
                                  unsigned id, const Rect& rect, const std::string& title,
                                  int visible, int enabled);
  MControl* CreateControl(const std::string& class_name, unsigned id, const Rect& rect,
                          const std::string& title = {}, int visible = 1, int enabled = 1);
  MControl* CreateArea(const std::string& class_name, unsigned id, const Rect& rect,
                       const std::string& title = {}, int visible = 1, int enabled = 1);
  virtual int OnControlKeyUp(int /*key*/, int /*repeat*/, int /*modifiers*/) { return 0; }

  MControl* GetScrollVertical() const;
  MControl* GetScrollHorizontal() const;
  CScrollVertical* VerticalBar() const { return vertical_; }
  CScrollHorizontal* HorizontalBar() const { return horizontal_; }

  // The content size. The bars follow at once; a move or resize of the panel
  // resets both to 0, so an owner sets them again after SetControlRect.
  void SetVirtualHeight(int height);
  void SetVirtualWidth(int width);
  int GetVirtualHeight() const { return virtual_height_; }
  int GetVirtualWidth() const { return virtual_width_; }
  void SetEnableScroll(int enable) { enable_scroll_ = enable; }
  int GetEnableScroll() const { return enable_scroll_; }
  int GetScrollBarWidth() const { return bar_width_; }

  // Pixels of content above and left of the visible area, from the bars'
  // positions; 0 while the content fits or scrolling is off.
  int ContentOffsetY() const;
  int ContentOffsetX() const;

  // The vertical bar as the row lists use it: they draw their own rows and
  // keep the bar's range at their content height.
  bool IsBarVisible() const;
  int GetBarPosition() const;
  int GetBarMaximum() const;

 protected:
  // Moves the vertical bar to a position kept in its range; whether it moved.
  bool SetBarPosition(int position);
  // Shows the vertical bar when the content is taller than the panel and gives
  // it the content height as its range.
  void FitBarToContent(int content_height);
  int DrawWidth() const { return rect_.Width() - (IsBarVisible() ? bar_width_ : 0); }

  // Whether the content fits the panel both ways (or scrolling is off): the
  // children are then drawn and hit where they are.
  bool ContentFits() const;

  int initialised_ = 0;
  int virtual_height_ = 0;
  int virtual_width_ = 0;
  CScrollVertical* vertical_ = nullptr;      // owned through the child list
  CScrollHorizontal* horizontal_ = nullptr;  // owned through the child list
  int bar_width_ = 7;
  // Kept by derived controls that scroll their own drawing.
  int v_scroll_offset_ = 0;
  int h_scroll_offset_ = 0;
  int enable_scroll_ = 1;

 private:
  // Shows or hides each bar for the content size and hands it the range.
  void LayoutBars();
  void LayoutBar(MScroll* bar, int extent, int content);
};

}  // namespace tumi
