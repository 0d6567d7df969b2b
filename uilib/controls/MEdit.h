#pragma once
// A skinned edit field: four state frames of its strip image as nine-patches
// (0 normal, 1 hover, 2 editing, 3 disabled) with the text or, while that is
// empty, the tip in grey. While the user types, its editor (CEditWnd, the
// library's text field) lies over the text rectangle; the notifications are
// 30 when editing starts, 26 for each change, 29 once when it ends, 1 and 2
// for a press and release, 9 and 31 for the icon.
#include <memory>
#include <string>

#include "uilib/controls/CEditWnd.h"
#include "uilib/core/Image.h"
#include "uilib/core/MControlFont.h"

namespace tumi {

class MEdit : public MControlFont {
 public:
  MEdit(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible = 1,
        int enabled = 1);
  ~MEdit() override;

  const char* GetClassNameW() const override { return "MEdit"; }

  // The text. SetEditText stores it (no repaint); GetEditText is what the
  // user typed so far while editing.
  void SetEditText(const std::string& text);
  std::string GetEditText() const;
  void SetTipInfo(const std::string& tip) { tip_ = tip; }
  const std::string& GetTipInfo() const { return tip_; }

  // Effective when editing next starts.
  void EnablePassWord(int on) { password_ = on; }
  void EnableMultLine(int on) { multi_line_ = on; }
  void SetReadOnly(int on) { read_only_ = on; }
  void SetNumberOnly(int on) { number_only_ = on; }
  void EnableCharMessage(int on) { char_message_ = on; }
  void SetLimitText(int limit) { limit_ = limit; }
  void SetPassWordChar(char32_t c) { password_char_ = c; }
  void SetEditBKColor(ColorRef color) { edit_back_ = color; }
  int IsPassWordMode() const { return password_; }
  int IsMultLineMode() const { return multi_line_; }
  int IsReadOnly() const { return read_only_; }
  int IsNumberOnly() const { return number_only_; }
  int GetCharMessage() const { return char_message_; }
  int GetLimitText() const { return limit_; }
  char32_t GetPassWordChar() const { return password_char_; }
  ColorRef GetEditBKColor() const { return edit_back_; }
  std::string GetTitleEx() const { return title_; }
  ColorRef GetEditTextColor() const { return ColorRefFromArgb(text_color_); }

  // The editor's font: the control's own size and style in the library
  // font, or the given one.
  void SetEditFont();
  void SetEditFont(const std::string& name, int size, int bold, int underline, int italic);
  FontSpec GetDefaultFont() const;

  void SetTextRect(const Rect& rect);
  Rect GetTextRect() const;
  // An icon strip (from the skin folder) 9 pixels in from the right edge,
  // vertically centred. 1 when it was loaded.
  int SetIconImage(const std::string& name, int frame_count);
  const Rect& GetIconRect() const { return icon_rect_; }
  int GetIconState() const { return icon_state_; }
  int GetState() const { return state_; }
  void SetCorner(int corner) { corner_ = corner; }

  bool IsEditFocused() const;
  CEditWnd* GetEditWindow() const { return edit_.get(); }
  void SetEditWindow(std::unique_ptr<CEditWnd> edit);

  // Starts and ends editing. ShowEdit does nothing for a read-only or
  // disabled field; HideEdit sends 29 when editing was running.
  void ShowEdit();
  void HideEdit();

  // What the editor reports.
  void OnEditChanged();

  // MControlFont / MControl
  std::string GetControlTitle() const override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlVisible(int visible) override;
  void SetControlEnabled(int enabled) override;
  int SetControlFocus(int focus) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlLButtonDblClk(unsigned flags, Point p) override;
  int OnControlKeyDown(int key, int repeat, int modifiers) override;
  int OnControlSetCursor(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override;

 private:
  void SetState(int state);
  Rect ComputedTextRect(const Rect& box) const;
  Rect EditorRect();
  void Configure(CEditWnd& edit);
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) const;
  void PlaceIcon();

  std::string tip_;
  int password_ = 0;
  int multi_line_ = 0;
  int read_only_ = 0;
  int number_only_ = 0;
  int char_message_ = 1;
  int limit_ = 120;
  char32_t password_char_ = 0x25CF;
  ColorRef edit_back_ = 0x351806;
  FontSpec edit_font_;
  bool custom_font_ = false;
  bool title_stale_ = false;  // the pictures still show the text from before editing
  std::unique_ptr<CEditWnd> edit_;
  int state_ = 0;
  std::shared_ptr<Image> icon_;
  int icon_frames_ = 4;
  int icon_state_ = 0;
  Rect icon_rect_;
  int corner_ = 4;
  Rect text_rect_;
  bool has_text_rect_ = false;
};

}  // namespace tumi
