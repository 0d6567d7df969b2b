#include "uilib/core/MenuWnd.h"

#include <charconv>

#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

MenuWnd::MenuWnd(MObject* parent)
    : font_name_(Manager::GetFontName()), font_size_(Manager::GetFontWidth()) {
  parent_object_ = parent;
  color_key_ = 0xFFFFFF;
}

int MenuWnd::Create(WindowId owner, Point point, std::uint32_t message,
                    const std::string& back_image, int corner, int width, enumBackMode back_mode) {
  message_ = message;
  width_ = width;
  owner_ = owner;
  WindowId id = MWindow::Create(owner, "Menu Window", WindowStyle(),
                                Rect::FromSize(point.x, point.y, width, width));
  if (id == platform::kNoWindow) return 0;
  if (!back_image.empty()) pm_.LoadBKImage(back_image);
  pm_.SetBackMode(back_mode, corner);
  return 1;
}

int MenuWnd::Create(WindowId owner, Point point, std::uint32_t message) {
  return Create(owner, point, message, {}, 4, width_, kBackNatural);
}

void MenuWnd::Widen(const std::string& title) {
  FontSpec font{font_name_, font_size_, font_style_};
  TextFormat format;
  format.single_line = true;
  int text_width = MRender::GetTextBounds(font, title, format).cx;
  if (width_ - text_margin_ - 4 < text_width) width_ = text_width + text_margin_ + 4;
}

int MenuWnd::AddMenu(const std::string& title, unsigned id, const std::string& image, int, int) {
  Widen(title);
  auto* item = dynamic_cast<MenuItem*>(pm_.CreateControl(this, "MenuItem", id, {}, title, 1, 1));
  if (item) {
    item->SetFont(font_name_, font_size_, font_style_);
    if (!image.empty()) item->SetImage(image, 4);
  }
  ApplyPending();
  SetMenuPoint();
  return -1;
}

int MenuWnd::AddSeparator(unsigned id, const std::string& image) {
  auto* item = dynamic_cast<MenuItem*>(pm_.CreateControl(this, "MenuItem", id, {}, {}, 1, 1));
  if (item) {
    item->SetSeparator(1);
    if (!image.empty()) item->SetImage(image, 1);
  }
  SetMenuPoint();
  return -1;
}

void MenuWnd::SetMenuPoint() {
  int y = top_margin_;
  for (MControl* control : pm_.ControlsSnapshot()) {
    auto* item = dynamic_cast<MenuItem*>(control);
    Rect old = control->GetRect();
    Rect next;
    if (item) item->SetFrameWidth(hover_inset_);
    if (control->IsVisible() && item && item->IsSeparator()) {
      next = Rect{text_margin_ + 1, y + 1, width_ - 1, y + 2};
      y += 4;
    } else if (control->IsVisible()) {
      next = Rect{2, y, width_ - 2, y + item_height_};
      y += item_height_;
      if (item) {
        item->SetTextMargin(text_margin_);
        item->SetHoverColor(hover_color_);
        item->SetHoverImage(hover_image_);
        item->SetArrowImage(arrow_image_);
      }
    }
    control->SetControlRect(next);
    if (control->IsVisible()) control->UpdateControl(old.Union(next), 1, 0);
  }
  Rect bounds = GetWindowRect();
  MoveWindow(Rect::FromSize(bounds.left, bounds.top, width_, y + bottom_margin_));
  InvalidateRect();
}

void MenuWnd::SetHoverImage(const std::string& name) {
  if (const ImgResInfo* info = pm_.AddImgResInfo(name, 1)) hover_image_ = info->image;
}

void MenuWnd::SetArrowImage(const std::string& name) {
  if (const ImgResInfo* info = pm_.AddImgResInfo(name, 1)) arrow_image_ = info->image;
}

void MenuWnd::SetItemTitle(const std::string& key, const std::string& title) {
  pending_.push_back({key, title, 1, 1, -1});
  ApplyPending();
}

void MenuWnd::SetItemVisible(const std::string& key, int visible) {
  pending_.push_back({key, {}, visible, 1, -1});
  ApplyPending();
  SetMenuPoint();
}

void MenuWnd::SetItemEnable(const std::string& key, int enabled) {
  pending_.push_back({key, {}, 1, enabled, -1});
  ApplyPending();
}

void MenuWnd::SetItemCheck(const std::string& key, int check) {
  pending_.push_back({key, {}, 1, 1, check});
  ApplyPending();
}

MenuItem* MenuWnd::ItemForKey(const std::string& key) {
  unsigned id = 0;
  auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
  if (error != std::errc() || end == key.data()) return nullptr;
  return dynamic_cast<MenuItem*>(pm_.GetControl(id));
}

void MenuWnd::InitUI(const Rect& /*client*/) {
  ApplyPending();
}

void MenuWnd::ApplyPending() {
  if (pending_.empty()) return;
  std::vector<PendingChange> waiting;
  for (const PendingChange& change : pending_) {
    MenuItem* item = ItemForKey(change.key);
    // Kept for an item that is added later.
    if (!item) {
      waiting.push_back(change);
      continue;
    }
    if (!change.title.empty()) item->SetControlTitle(change.title);
    if (change.visible == 0 && item->IsVisible()) item->SetControlVisible(0);
    if (change.enabled == 0 && item->IsEnabled()) item->SetControlEnabled(0);
    if (change.check != -1 && item->IsEnabled() && item->IsCheckable()) {
      item->SetControlCheck(change.check);
    }
  }
  pending_ = std::move(waiting);
}

long MenuWnd::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                        std::intptr_t /*lparam*/) {
  if (System() && owner_ != platform::kNoWindow) {
    System()->Post(owner_, message_, wparam, static_cast<std::intptr_t>(id));
  }
  if (code == kNotifyActivated) CloseWindow();
  return 0;
}

int MenuWnd::PostNcDestroy() {
  // Called last for the window (nothing of the object is touched after it).
  delete this;
  return 0;
}

}  // namespace tumi
