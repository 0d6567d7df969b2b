#pragma once
// A context menu of MenuItem controls. Created with new, Create and AddMenu;
// every item notification is posted to the owner window as the menu's
// message (wparam: the notification's wparam, lparam: the item id), a click
// on an ordinary item closes the menu, and so does a click anywhere else. The
// menu deletes itself when its window is gone.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "uilib/core/MPopupWnd.h"
#include "uilib/core/MenuItem.h"

namespace tumi {

class MenuWnd : public MPopupWnd {
 public:
  explicit MenuWnd(MObject* parent);

  // Stores the message and the owner, takes the back image (a nine-patch with
  // the corner when back mode is 1) and creates the hidden window at the
  // screen point. 1 on success.
  int Create(WindowId owner, Point point, std::uint32_t message, const std::string& back_image,
             int corner, int width, enumBackMode back_mode);
  int Create(WindowId owner, Point point, std::uint32_t message);

  // Adds an item (with a 4-frame icon strip when the image name is not
  // empty), widening the menu to its title; -1.
  int AddMenu(const std::string& title, unsigned id, const std::string& image = {}, int = 0,
              int = 0);
  int AddSeparator(unsigned id, const std::string& image = {});
  // Lays the items out from the top margin and sizes the window to them.
  void SetMenuPoint();

  // Changes to the items, applied as soon as the item exists; the key is the
  // item id in decimal.
  void SetItemTitle(const std::string& key, const std::string& title);
  void SetItemVisible(const std::string& key, int visible);
  void SetItemEnable(const std::string& key, int enabled);
  void SetItemCheck(const std::string& key, int check);

  void SetFont(const std::string& name, int size, int style) {
    font_name_ = name;
    font_size_ = size;
    font_style_ = style;
  }
  void SetItemHeight(int height) { item_height_ = height; }
  void SetTextMargin(int margin) { text_margin_ = margin; }
  void SetHoverInset(int inset) { hover_inset_ = inset; }
  // A margin of 0 means 2.
  void SetMargins(int top, int bottom) {
    top_margin_ = top == 0 ? 2 : top;
    bottom_margin_ = bottom == 0 ? 2 : bottom;
  }
  void SetHoverColor(Argb color) { hover_color_ = color; }
  void SetHoverImage(const std::string& name);
  void SetArrowImage(const std::string& name);
  int GetMenuWidth() const { return width_; }
  std::uint32_t GetMessageId() const { return message_; }

  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  long SendMessageToParent(unsigned id, unsigned code, std::uintptr_t wparam,
                           std::intptr_t lparam) {
    return OnMessage(id, code, wparam, lparam);
  }
  void InitUI(const Rect& client) override;
  int PostNcDestroy() override;

 private:
  struct PendingChange {
    std::string key;
    std::string title;
    int visible = 1;
    int enabled = 1;
    int check = -1;
  };

  MenuItem* ItemForKey(const std::string& key);
  void ApplyPending();
  void Widen(const std::string& title);

  std::uint32_t message_ = 0;
  WindowId owner_ = platform::kNoWindow;
  std::string font_name_;
  int font_size_;
  int font_style_ = 0;
  int text_margin_ = 5;
  int item_height_ = 35;
  int width_ = 300;
  int hover_inset_ = 0;
  int top_margin_ = 6;
  int bottom_margin_ = 6;
  std::shared_ptr<const Image> hover_image_;
  std::shared_ptr<const Image> arrow_image_;
  Argb hover_color_ = 0xFF285055;
  std::vector<PendingChange> pending_;
};

}  // namespace tumi
