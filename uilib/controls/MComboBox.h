#pragma once
// A drop-down selector drawn from a four-state strip (normal, hover,
// pressed, disabled). A click opens a CComboBoxWnd under the control (above
// it when the work area ends too soon); picking a row selects it and reports
// code 2 with the row to the parent. The setters never notify.
//
// UI thread; the item vector has its own lock, held only while items are
// read or changed, never across a notification or a repaint request.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/controls/CComboBoxWnd.h"
#include "uilib/controls/ComboItem.h"
#include "uilib/core/MControlFont.h"
#include "uilib/core/MRender.h"

namespace tumi {

class MComboBox : public MControlFont {
 public:
  // The id the combo box gives itself to open its drop-down.
  static constexpr unsigned kOpenRequestId = 9;
  static constexpr int kMaxVisibleRows = 5;
  static constexpr int kRowHeight = CComboBoxList::kItemHeight;
  // The drop-down is as high as its rows plus this frame.
  static constexpr int kPopupFrame = 12;

  MComboBox(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);
  ~MComboBox() override;

  const char* GetClassNameW() const override { return "MComboBox"; }

  int AddItem(const std::string& text, long data = 0, const std::string& second_text = {},
              Argb color = 0xFF000000);
  int InsertItem(int index, const std::string& text, long data = 0,
                 const std::string& second_text = {}, Argb color = 0xFF000000);
  int SetItemData(int index, long data);
  long GetItemData(int index) const;
  int SetItemText(int index, const std::string& text);
  std::string GetItemText(int index) const;
  int GetItemCount() const;
  int SetCurSel(int index);
  int GetCurSel() const { return cur_sel_; }
  long GetCurData() const;
  int FindData(long data) const;
  int SelectData(long data);
  int DeleteItem(int index);
  int DelAllItems();

  void SetBackImage(const std::string& name) { back_image_ = name; }
  void SetBackImage(unsigned id, const std::string& type) {
    back_image_id_ = id;
    back_image_type_ = type;
  }
  void SetScrollResID(unsigned vertical, unsigned horizontal) {
    scroll_v_ = vertical;
    scroll_h_ = horizontal;
  }
  // Relative to the control's top-left corner.
  void SetTextRect(const Rect& rect);
  const Rect& GetTextRect() const { return text_rect_; }
  int SetShowModeMID(int left, int top, int right, int bottom);

  int GetState() const { return state_; }
  bool IsOpen() const { return open_; }
  // The open or last drop-down, null before the first opening.
  CComboBoxWnd* GetPopup() const { return popup_.get(); }

  void SetControlRect(const Rect& rect) override;
  void SetControlEnabled(int enabled) override;
  void SetControlVisible(int visible) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  // F4 or Alt+Down opens the drop-down of the focused combo box.
  int OnControlKeyDown(int key, int repeat, int modifiers) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  void SetState(int state);
  void OpenPopup();
  // The drop-down's screen rectangle for `rows` rows.
  Rect PopupRect(int rows) const;
  void DropPopup();
  void ClosePopup();

  mutable std::mutex items_lock_;
  std::vector<ComboItem> items_;
  int cur_sel_ = -1;
  std::unique_ptr<CComboBoxWnd> popup_;
  int state_ = 0;
  Margins margins_{8, 8, 36, 8};
  bool margins_set_ = false;
  std::string back_image_;
  unsigned back_image_id_ = 0;
  std::string back_image_type_ = "PNG";
  unsigned scroll_v_ = 0;
  unsigned scroll_h_ = 0;
  bool open_ = false;
  Rect text_rect_;
  bool text_rect_set_ = false;
};

}  // namespace tumi
