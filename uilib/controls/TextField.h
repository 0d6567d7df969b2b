#pragma once
// The library's one text-field engine: what a native edit window was for the
// skinned controls. It edits one text (caret, selection, limit, digits only,
// password shown as U+25CF, read-only, one line or wrapped lines), scrolls to
// the caret, undoes the last edit, talks to the clipboard and shows an input
// method's composition. It is windowless: its host control draws it and
// forwards the mouse; while it edits it holds the window's keyboard through
// the paint manager (SetKeyboardOwner), as a focused native window would.
//
// Embedding it (MEdit, CEditWindow and the list editors do this):
//
//   field_ = std::make_unique<TextField>(this, kFieldId, text_rect);
//   field_->SetManager(GetManager());          // the host's paint manager
//   field_->SetFont(GetFontSpec());            // and colours, rules, password
//   field_->SetOnChange([this] { ... });       // after each edit by the user
//   field_->SetOnEnter([this] { ... });        // Enter on one line (optional)
//   field_->SetOnEscape([this] { ... });       // Escape (optional)
//   field_->SetText(title_);
//   field_->SetControlVisible(1);
//   field_->BeginEdit(/*select_all=*/true);    // keyboard, caret, input method
//   ...
//   if (field_->EndEdit()) { /* ended now: send "editing ended" once */ }
//
// The host calls field_->DrawControl(cr, clip) after drawing itself, and hands
// it presses, moves, releases and double clicks inside its rectangle
// (OnControlLButtonDown and friends, client coordinates). EndEdit answers
// false when the field was not editing, so a host that ends editing from
// several paths (focus loss, hiding, Enter) reports the end once. The field
// is not a child in the control tree: a click on it must not move the paint
// manager's focus away from the host. UI thread only.
#include <functional>
#include <string>

#include "platform/window/KeyboardInput.h"
#include "uilib/controls/TextLayout.h"
#include "uilib/controls/TextModel.h"
#include "uilib/core/MControl.h"
#include "uilib/core/TextStyle.h"

namespace tumi {

// Every password character is shown as this one (U+25CF BLACK CIRCLE).
inline constexpr char kPasswordBullet[] = "\xE2\x97\x8F";
// A code point as UTF-8; empty for a surrogate or a value beyond Unicode.
std::string Utf8FromCodePoint(char32_t cp);

class TextField : public MControl {
 public:
  TextField(MObject* parent, unsigned id, const Rect& rect);
  ~TextField() override;

  const char* GetClassNameW() const override { return "TextField"; }

  // Content.
  void SetText(const std::string& text);
  const std::string& GetText() const { return model_.Text(); }
  TextModel& Model() { return model_; }
  const TextModel& Model() const { return model_; }

  // Rules and look.
  void SetLimitText(int limit);
  int GetLimitText() const { return model_.Rules().limit; }
  void SetNumberOnly(bool on);
  void SetMultiLine(bool on);
  void SetReadOnly(bool on);
  bool IsReadOnly() const { return model_.Rules().read_only; }
  void SetPassword(bool on);
  bool IsPassword() const { return password_; }
  // The character shown for each one of a password (U+25CF unless set).
  void SetPasswordChar(char32_t c);
  char32_t GetPasswordChar() const { return password_char_; }
  void SetFont(const FontSpec& font);
  void SetTextColor(Argb color);
  // Filled behind the text; alpha 0 draws no background.
  void SetBackColor(Argb color);
  void SetSelectionColor(Argb color) { selection_color_ = color; }
  // 0 left, 1 centre, 2 right.
  void SetAlignment(int h_align);

  // Editing: the keyboard, the caret and the input method. BeginEdit puts the
  // caret at the end or selects everything; EndEdit answers whether the field
  // was editing (and so has ended now).
  void BeginEdit(bool select_all);
  bool EndEdit();
  bool IsEditing() const { return editing_; }

  // What the host learns.
  void SetOnChange(std::function<void()> on_change) { on_change_ = std::move(on_change); }
  void SetOnEnter(std::function<void()> on_enter) { on_enter_ = std::move(on_enter); }
  void SetOnEscape(std::function<void()> on_escape) { on_escape_ = std::move(on_escape); }

  // Commands (keys and menus lead here too). Each answers whether it did
  // something.
  bool Copy();
  bool Cut();
  bool Paste();
  bool Undo();
  bool CanUndo() const { return model_.CanUndo(); }
  bool CanPaste() const;
  void SelectAll();
  void SetSel(std::size_t anchor, std::size_t caret);
  // Replaces the selection as the program asks (rules apply, no notification).
  bool ReplaceSel(const std::string& text);

  // Where the text is: its top-left corner in client coordinates (after
  // scrolling and alignment), the caret rectangle, the scroll offsets.
  Point TextOrigin();
  Rect CaretClientRect();
  Point ScrollOffset() const { return {scroll_x_, scroll_y_}; }
  // The laid-out text as shown (bullets, composition).
  const TextLayout& Layout();
  int LineHeight();

  // MControl
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  long OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlLButtonDblClk(unsigned flags, Point p) override;
  // The wheel scrolls wrapped lines by three (direction 1 is down); 0 when
  // there is nothing to scroll.
  int OnControlScroll(int kind, int direction, Point p) override;

 private:
  long OnKey(int key);
  long OnChar(char32_t cp);
  void OnComposition(std::uint32_t message);
  // After the user changed the text: layout, scroll, caret, repaint, host.
  void Edited();
  // After the caret or selection moved.
  void Moved();
  void Refresh();
  void UpdateCaret();
  void ScrollToCaret();
  void Repaint();
  std::string Shown(std::size_t from, std::size_t to) const;
  std::size_t ToShown(std::size_t pos) const;
  std::size_t FromShown(std::size_t index) const;
  std::size_t IndexAtPoint(Point client);
  std::size_t LineEdge(bool end);
  std::size_t VerticalMove(int lines);
  bool Ctrl() const;
  bool Shift() const;

  TextModel model_;
  TextLayout layout_;
  bool layout_stale_ = true;
  bool password_ = false;
  char32_t password_char_ = 0x25CF;
  std::string bullet_ = kPasswordBullet;
  FontSpec font_;
  Argb text_color_ = 0xFFFFFFFF;
  Argb back_color_ = 0;
  Argb selection_color_;
  int h_align_ = kAlignLeft;
  bool editing_ = false;
  bool dragging_ = false;
  int scroll_x_ = 0;
  int scroll_y_ = 0;
  int preferred_x_ = -1;  // where Up and Down aim, kept across lines
  platform::Composition composition_;
  std::function<void()> on_change_;
  std::function<void()> on_enter_;
  std::function<void()> on_escape_;
};

}  // namespace tumi
