#pragma once
// The windowless rich edit family's base: a panel whose content is one text
// field. Without system text services it edits plain text; the content
// operations keep their names and answers (offsets and lengths in UTF-16
// units, lines as laid out by breaks in the text). The four state frames of
// its strip are drawn as nine-patches (0 normal, 1 hover, 2 focused, 3
// disabled), with the tip in grey while the text is empty.
#include <memory>
#include <string>

#include "uilib/controls/MPanel.h"
#include "uilib/controls/TextField.h"
#include "uilib/core/Image.h"

namespace tumi {

// Window-style bits the rich edits read.
enum RichEditStyle : unsigned {
  kStyleCentre = 0x1,
  kStyleRight = 0x2,
  kStyleMultiLine = 0x4,
  kStylePassword = 0x20,
  kStyleAutoHScroll = 0x80,
  kStyleReadOnly = 0x800,
  kStyleWantReturn = 0x1000,
  kStyleNumber = 0x2000,
};

// The context menu's message to the window (lparam: the chosen command).
inline constexpr std::uint32_t kMsgRichEditMenu = 0x7E10;

class MRichEdit : public MPanel {
 public:
  // The context menu's commands.
  enum MenuCommand : unsigned {
    kMenuUndo = 101,
    kMenuCut = 102,
    kMenuCopy = 103,
    kMenuPaste = 104,
    kMenuClear = 105,
    kMenuSelectAll = 106,
    kMenuRedo = 107,
  };
  struct MenuEntry {
    unsigned id = 0;  // 0 for a separator
    std::string title;
    bool enabled = false;
  };

  MRichEdit(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
            int visible = 1, int enabled = 1);
  ~MRichEdit() override;

  const char* GetClassNameW() const override { return "MRichEdit"; }

  // Content.
  int GetTextLength() const;
  std::string GetText() const;
  void SetText(const std::string& text);
  bool GetModify() const { return modified_; }
  void SetModify(bool modified) { modified_ = modified; }
  void GetSel(long& start, long& end) const;
  // (0, -1) selects everything, a start of -1 selects nothing.
  void SetSel(long start, long end);
  void ReplaceSel(const std::string& text, bool can_undo = false);
  std::string GetSelText() const;
  void SetSelAll() { SetSel(0, -1); }
  void SetSelNone() { SetSel(-1, 0); }
  int GetSelectionType() const;  // 0 nothing selected, 1 text
  std::string GetTextRange(long start, long end) const;
  void HideSelection(bool hide) { hide_selection_ = hide; }
  void ScrollCaret();
  void InsertText(long pos, const std::string& text, bool can_undo = false);
  void AppendText(const std::string& text, bool can_undo = false);
  bool CanUndo() const;
  bool CanRedo() const { return redo_ready_; }
  bool CanPaste() const { return field_->CanPaste(); }
  bool Undo();
  bool Redo();
  void Clear();
  void Copy() { field_->Copy(); }
  void Cut();
  void Paste();
  void EmptyUndoBuffer();
  void SetUndoLimit(int limit) { undo_limit_ = limit; }
  int GetLineCount() const;
  std::string GetLine(int line) const;
  // The first character of the line (the caret's line for -1).
  int LineIndex(int line = -1) const;
  int LineLength(int line = -1) const;
  int LineFromChar(long ch) const;
  Point PosFromChar(long ch);
  long CharFromPos(Point p);
  bool GetZoom(int& numerator, int& denominator) const;
  bool SetZoom(int numerator, int denominator);
  bool SetZoomOff() { return SetZoom(0, 0); }
  bool GetAutoURLDetect() const { return auto_url_; }
  void SetAutoURLDetect(bool on) { auto_url_ = on; }
  unsigned GetEventMask() const { return event_mask_; }
  void SetEventMask(unsigned mask) { event_mask_ = mask; }

  // Properties.
  void SetWinStyle(unsigned style);
  unsigned GetWinStyle() const { return style_; }
  void SetMultiLine(bool on);
  bool GetMultiLine() const { return (style_ & kStyleMultiLine) != 0; }
  void SetWantTab(bool on) { want_tab_ = on; }
  bool GetWantTab() const { return want_tab_; }
  void SetWantReturn(bool on) { want_return_ = on; }
  bool GetWantReturn() const { return want_return_; }
  void SetWantCtrlReturn(bool on) { want_ctrl_return_ = on; }
  bool GetWantCtrlReturn() const { return want_ctrl_return_; }
  void SetRich(bool on) { rich_ = on; }
  bool IsRich() const { return rich_; }
  void SetReadOnly(bool on);
  bool IsReadOnly() const { return (style_ & kStyleReadOnly) != 0; }
  void SetWordWrap(bool on) { word_wrap_ = on; }
  bool GetWordWrap() const { return word_wrap_; }
  void SetPassword(bool on);
  bool IsPassword() const { return (style_ & kStylePassword) != 0; }
  void SetPassWordChar(char32_t c) { field_->SetPasswordChar(c); }
  char32_t GetPassWordChar() const { return field_->GetPasswordChar(); }
  void SetLimitText(int limit) { field_->SetLimitText(limit); }
  int GetLimitText() const { return field_->GetLimitText(); }
  void SetTextPadding(const Rect& padding);
  const Rect& GetTextPadding() const { return padding_; }
  void SetAccumulateDBCMode(bool on) { accumulate_dbc_ = on; }
  bool IsAccumulateDBCMode() const { return accumulate_dbc_; }
  void SetTextColor(Argb color) override;
  using MControlFont::SetFont;
  void SetFont(int size, int style);
  void SetTextFont(const std::string& name) override;
  void SetDropAcceptFile(bool on) { drop_files_ = on; }
  bool IsDropAcceptFile() const { return drop_files_; }
  int SetIconImage(const std::string& name, int frame_count);
  void SetTipInfo(const std::string& tip);
  const std::string& GetTipInfo() const { return tip_; }
  int GetState() const { return state_; }
  // The rectangle the text is laid out in: the control less the padding.
  Rect GetTextRect() const;
  TextField& Field() { return *field_; }
  // The context menu as it would open now, and what its commands do.
  std::vector<MenuEntry> ContextMenuEntries() const;
  void RunMenuCommand(unsigned command);

  // MPanel / MControl
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlVisible(int visible) override;
  void SetControlEnabled(int enabled) override;
  int SetControlFocus(int focus) override;
  std::string GetControlTitle() const override { return GetText(); }
  void SetControlTitle(const std::string& title) override { SetText(title); }
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlLButtonDblClk(unsigned flags, Point p) override;
  int OnControlRButtonUp(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override {
    return field_->OnControlScroll(kind, direction, p);
  }
  long OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

 protected:
  // After the user changed the text.
  virtual void OnTextChanged();
  void PlaceField();

  std::unique_ptr<TextField> field_;
  unsigned style_ = 0;
  Rect padding_;
  std::string tip_;
  int state_ = 0;

 private:
  std::size_t ByteAt(long ch) const;
  // The byte ranges of the text's lines (split at line breaks).
  std::vector<std::pair<std::size_t, std::size_t>> Lines() const;

  bool modified_ = false;
  bool redo_ready_ = false;
  bool hide_selection_ = false;
  bool auto_url_ = false;
  unsigned event_mask_ = 0x4100001;
  int undo_limit_ = 100;
  int zoom_numerator_ = 0;
  int zoom_denominator_ = 0;
  bool want_tab_ = false;
  bool want_return_ = false;
  bool want_ctrl_return_ = false;
  bool rich_ = false;
  bool word_wrap_ = true;
  bool accumulate_dbc_ = false;
  bool drop_files_ = false;
  std::shared_ptr<Image> icon_;
  int icon_frames_ = 1;
};

// A one-line rich edit whose 16-pixel line is centred vertically.
class MEditEx : public MRichEdit {
 public:
  MEditEx(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible = 1,
          int enabled = 1);
  const char* GetClassNameW() const override { return "MEditEx"; }
  void SetControlRect(const Rect& rect) override;

 private:
  void Centre();
};

// The log-on field: font size 16, text 50 pixels in from the left (room for
// an icon), 5 from the right and bottom and 14 from the top.
class CLogonEdit : public MRichEdit {
 public:
  CLogonEdit(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
             int visible = 1, int enabled = 1);
  const char* GetClassNameW() const override { return "CLogonEdit"; }
};

}  // namespace tumi
