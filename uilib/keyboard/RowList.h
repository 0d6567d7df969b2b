#pragma once
// What the profile list and the macro step list share: owned rows under a
// lock, the hovered, selected and edited row, vertical scrolling with the
// panel's bar (the content is never given to the panel as a virtual size;
// the list draws its visible rows itself), the wheel, and an in-place
// editor whose row index is kept right when rows come and go.
//
// Thread rule: the rows are guarded by the list lock; everything else is UI
// thread only. Repaint requests and notifications are made with the lock
// released.
#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "uilib/controls/CScrollVertical.h"
#include "uilib/controls/MPanel.h"
#include "uilib/controls/TextField.h"
#include "uilib/core/MImageList.h"
#include "uilib/core/Manager.h"
#include "uilib/keyboard/ListViewport.h"

namespace tumi {

template <typename Item>
class RowList : public MPanel {
 public:
  RowList(MObject* parent, unsigned id, const Rect& rect, int visible, int item_height)
      : MPanel(parent, id, rect, visible), item_height_(item_height) {
    text_color_ = 0xFFFFFFFF;
    vertical_->SetControlVisible(0);
  }
  ~RowList() override {
    // The editor reports its end to this list: it goes while the list is whole.
    editor_.reset();
  }

  int GetItemCount() const {
    std::lock_guard lock(lock_);
    return static_cast<int>(items_.size());
  }
  int GetCurSel() const { return selected_; }
  // -1 clears the selection; false for an index beyond the rows.
  bool SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) return false;
    if (index != selected_) {
      selected_ = index;
      Repaint();
    }
    return true;
  }
  int GetHoverIndex() const { return hover_; }
  int GetEditIndex() const { return edit_; }

  bool DeleteItem(int index) {
    {
      std::lock_guard lock(lock_);
      if (index < 0 || index >= static_cast<int>(items_.size())) return false;
      items_.erase(items_.begin() + index);
    }
    hover_ = -1;
    selected_ = -1;
    // The row being edited is gone: its editor closes without committing; an
    // editor below the removed row follows its row up.
    if (edit_ == index) {
      CloseEditor();
      edit_ = -1;
    } else if (edit_ > index) {
      --edit_;
    }
    Relayout();
    Repaint();
    return true;
  }
  void DeleteAllItems() {
    {
      std::lock_guard lock(lock_);
      items_.clear();
    }
    if (edit_ >= 0) CloseEditor();
    hover_ = selected_ = edit_ = first_ = last_ = -1;
    vertical_->SetScrollCurrentPos(0);
    Relayout();
    Repaint();
  }
  // Exchanges two rows; no repaint.
  bool SwapItem(int a, int b) {
    std::lock_guard lock(lock_);
    int count = static_cast<int>(items_.size());
    if (a < 0 || b < 0 || a >= count || b >= count || a == b) return false;
    std::swap(items_[a], items_[b]);
    // An open edit stays with the row it edits.
    if (edit_ == a) {
      edit_ = b;
    } else if (edit_ == b) {
      edit_ = a;
    }
    return true;
  }
  void SetItemHeight(int height) {
    item_height_ = std::max(height, 1);
    Relayout();
    Repaint();
  }
  int GetItemHeight() const { return item_height_; }
  void SetImageList(MImageList* list) { image_list_ = list; }
  Rect GetItemRect(int /*index*/) const { return {}; }

  // The rows' scroll geometry as it stands.
  ListViewport Viewport() const {
    return {GetItemCount(), item_height_, rect_.Height(), vertical_->GetScrollCurrentPos(),
            vertical_->GetScrollMaxRange()};
  }
  // The width the rows are drawn in: the scroll bar's strip is left out.
  int RowWidth() const { return rect_.Width() - (vertical_->IsVisible() ? bar_width_ : 0); }

  void SetControlRect(const Rect& rect) override {
    MPanel::SetControlRect(rect);
    Relayout();
  }
  int OnControlMouseMove(unsigned flags, Point p) override {
    if (pressed_in_editor_ || ForEditor(p)) editor_->OnControlMouseMove(flags, p);
    UpdateHover(p);
    return 0;
  }
  int OnControlLButtonDblClk(unsigned flags, Point p) override {
    return ForEditor(p) ? editor_->OnControlLButtonDblClk(flags, p) : 0;
  }
  int SetControlFocus(int focus) override {
    if (!focus && edit_ >= 0) {
      HideEdit(true);
      Repaint();
    }
    return MPanel::SetControlFocus(focus);
  }
  // Commits an open edit: while its row is still the selected one only when
  // forced.
  virtual void HideEdit(bool force) = 0;
  // The in-place editor, null before the first edit.
  TextField* GetEditWindow() const { return editor_.get(); }
  int OnControlScroll(int /*kind*/, int direction, Point /*p*/) override {
    if (!Viewport().NeedsScroll()) return 0;
    int before = vertical_->GetScrollCurrentPos();
    // A turn towards the user (direction 1) goes further down the rows.
    vertical_->ScrollRow(direction == 1 ? kWheelRows : -kWheelRows);
    if (vertical_->GetScrollCurrentPos() == before) return 1;
    OnScrolled();
    Repaint();
    if (vertical_->IsVisible()) vertical_->UpdateControl(1, 0);
    return 1;
  }
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override {
    if ((id == kVerticalBarId || id == kHorizontalBarId) && code == kNotifyScrolled) {
      OnScrolled();
      Repaint();
    }
    return MPanel::OnMessage(id, code, wparam, lparam);
  }

  static constexpr int kWheelRows = 10;

 protected:
  // Appends a row; returns its index.
  int Append(std::unique_ptr<Item> item) {
    int index;
    {
      std::lock_guard lock(lock_);
      items_.push_back(std::move(item));
      index = static_cast<int>(items_.size()) - 1;
    }
    Relayout();
    Repaint();
    return index;
  }
  // Inserts before `index`; the indexes held for rows at or after it move on.
  void InsertAt(int index, std::unique_ptr<Item> item) {
    {
      std::lock_guard lock(lock_);
      items_.insert(items_.begin() + index, std::move(item));
    }
    for (int* held : {&hover_, &selected_, &edit_}) {
      if (*held >= index) ++*held;
    }
    Relayout();
    Repaint();
  }

  // The bar is shown exactly while the rows are higher than the list; its
  // range is the rows' height.
  void Relayout() {
    ListViewport view = Viewport();
    int content = view.ContentHeight();
    int show = view.NeedsScroll() ? 1 : 0;
    if ((show != 0) != (vertical_->IsVisible() != 0)) {
      vertical_->SetControlVisible(show);
      vertical_->UpdateControl(vertical_->GetRect(), 1, 1);
    }
    vertical_->SetScrollMaxRange(content);
    if (vertical_->GetScrollCurrentPos() > content) vertical_->SetScrollCurrentPos(content);
    view = Viewport();
    v_scroll_offset_ = view.Offset();
    first_ = view.FirstVisible();
    last_ = view.LastVisible();
  }
  // The row under a window point, -1 when none.
  int RowAtPoint(Point p) const {
    if (!rect_.Contains(p) || p.x - rect_.left >= RowWidth()) return -1;
    return Viewport().RowAt(p.y - rect_.top);
  }
  // A row's rectangle in window coordinates as it stands on screen.
  Rect RowOnScreen(int row) const {
    int top = rect_.top + row * item_height_ - Viewport().Offset();
    return {rect_.left, top, rect_.left + RowWidth(), top + item_height_};
  }
  void UpdateHover(Point p) {
    int hovered = RowAtPoint(p);
    if (hovered == hover_) return;
    hover_ = hovered;
    Repaint();
  }
  void Repaint() {
    if (visible_) UpdateControl(1, 0);
  }
  // Opens the editor over `box` (window coordinates) on row `row`, with the
  // keyboard; Enter commits, Escape drops the edit.
  void OpenEditor(int row, const Rect& box, const std::string& text, ColorRef background) {
    if (edit_ >= 0 && edit_ != row) HideEdit(true);
    edit_ = row;
    if (!editor_) {
      editor_ = std::make_unique<TextField>(this, kEditorId, box);
      editor_->SetOnEnter([this] { HideEdit(true); });
      editor_->SetOnEscape([this] {
        CloseEditor();
        edit_ = -1;
        Repaint();
      });
      ConfigureEditor(*editor_);
    } else {
      editor_->SetControlRect(box);
    }
    editor_->SetManager(manager_);
    editor_->SetFont(GetFontSpec());
    editor_->SetTextColor(text_color_);
    editor_->SetBackColor(ArgbFromColorRef(background, 255));
    editor_->SetText(text);
    editor_->SetControlVisible(1);
    TakeFocus();
    editor_->BeginEdit(false);
    Repaint();
  }
  // Ends the edit, keeping the text typed: the caller decides what it means.
  std::string TakeEditorText() {
    std::string text = editor_ ? editor_->GetText() : std::string();
    edit_ = -1;
    CloseEditor();
    return text;
  }
  // Hides the editor without committing (its row is going away).
  void CloseEditor() {
    pressed_in_editor_ = false;
    if (!editor_) return;
    editor_->EndEdit();
    editor_->SetControlVisible(0);
  }
  bool Editing() const { return edit_ >= 0 && editor_ && editor_->IsEditing(); }
  // Presses and moves over the open editor belong to it.
  bool ForEditor(Point p) const { return Editing() && editor_->GetRect().Contains(p); }
  // A press on the open editor goes to it (true); a release after such a
  // press too.
  bool EditorPress(unsigned flags, Point p) {
    if (!ForEditor(p)) return false;
    pressed_in_editor_ = true;
    editor_->OnControlLButtonDown(flags, p);
    return true;
  }
  bool EditorRelease(unsigned flags, Point p) {
    if (!pressed_in_editor_) return false;
    pressed_in_editor_ = false;
    if (Editing()) editor_->OnControlLButtonUp(flags, p);
    return true;
  }
  void DrawEditor(cairo_t* cr, const Rect& clip) {
    if (Editing()) editor_->DrawControl(cr, clip);
  }
  // Rules of the editor (digits only, a limit), set once when it is made.
  virtual void ConfigureEditor(TextField& /*editor*/) {}
  // A scrolled list would leave the editor over another row: commit it.
  void OnScrolled() { HideEdit(true); }

  static constexpr unsigned kEditorId = 3;

  mutable std::recursive_mutex lock_;
  std::vector<std::unique_ptr<Item>> items_;
  int hover_ = -1;
  int selected_ = -1;
  int edit_ = -1;
  int first_ = -1;
  int last_ = -1;
  int item_height_;
  Argb hover_color_ = Manager::GetSelectColor();
  Argb select_color_ = Manager::GetSelectColor();
  MImageList* image_list_ = nullptr;
  std::unique_ptr<TextField> editor_;
  bool pressed_in_editor_ = false;
};

}  // namespace tumi
