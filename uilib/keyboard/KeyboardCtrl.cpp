#include "uilib/keyboard/KeyboardCtrl.h"

#include <algorithm>

#include "uilib/core/ImageStore.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace {

std::shared_ptr<const Image> LoadSkinFile(const std::string& name) {
  if (name.empty()) return nullptr;
  return ImageStore::Shared().Load(SkinPath::Join(Manager::GetSkinFolder(), name));
}

// Ticks of the shared timer per preview frame, by light speed (0 slowest).
int TicksForSpeed(int speed) {
  switch (speed) {
    case 0:
      return 5;
    case 1:
      return 4;
    case 2:
      return 3;
    case 3:
      return 2;
    default:
      return 1;
  }
}

}  // namespace

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MPanel(parent, id, rect, visible) {
  h_align_ = kAlignCenter;
}

KeyboardCtrl::~KeyboardCtrl() {
  // Off the shared timer before the keys go: a tick in flight finishes first.
  if (manager_) {
    while (manager_->DeleteQelTimer(this)) {
    }
  }
}

void KeyboardCtrl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (!manager) return;
  // The light preview steps on the window's shared timer.
  run_timer_ = 1;
  AddMTimer();
  SetControlRect(rect_);
}

void KeyboardCtrl::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  {
    std::lock_guard lock(items_lock_);
    LayOutPicture();
  }
  Repaint();
}

void KeyboardCtrl::SetControlVisible(int visible) {
  MPanel::SetControlVisible(visible);
  // A page switch must not leave the tip of a key behind.
  if (!visible) HideTip();
}

void KeyboardCtrl::LayOutPicture() {
  if (rect_.IsEmpty() || picture_width_ <= 0) return;
  scale_ = 1.0;
  offset_y_ = 0;
  offset_x_ = (rect_.Width() - picture_width_) / 2;
}

bool KeyboardCtrl::SetKeyboardImage(const std::string& file) {
  std::shared_ptr<const Image> picture = LoadSkinFile(file);
  {
    std::lock_guard lock(items_lock_);
    picture_ = picture;
  }
  Repaint();
  return picture != nullptr;
}

void KeyboardCtrl::SetWidthAndHeight(int width, int height) {
  {
    std::lock_guard lock(items_lock_);
    picture_width_ = width;
    picture_height_ = height;
    LayOutPicture();
  }
  Repaint();
}

int KeyboardCtrl::AddKeyItem(const std::string& name, const std::string& description,
                             uint32_t value, const Rect& rect, const std::string& icon_file) {
  auto key = std::make_unique<KEY_INFO>();
  key->value = value;
  key->name = name;
  key->description = description;
  key->rect = rect;
  key->icon = LoadSkinFile(icon_file);
  if (key->icon) {
    key->icon_width = key->icon->Width();
    key->icon_height = key->icon->Height();
  }
  int index = 0;
  {
    std::lock_guard lock(items_lock_);
    index = key->index = static_cast<int>(keys_.size());
    keys_.push_back(std::move(key));
  }
  // The layout is loaded key by key: the next paint shows them all.
  SetUpdate(0, 0);
  return index;
}

void KeyboardCtrl::ClearItem() {
  {
    std::lock_guard lock(items_lock_);
    keys_.clear();
    // Nothing may point at a key that is gone.
    hovered_ = -1;
    selected_ = -1;
  }
  current_value_ = 0;
  SetUpdate(0, 0);
  HideTip();
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems() const {
  std::lock_guard lock(items_lock_);
  std::vector<KEY_INFO*> out;
  out.reserve(keys_.size());
  for (const auto& key : keys_) out.push_back(key.get());
  return out;
}

int KeyboardCtrl::GetKeyCount() const {
  std::lock_guard lock(items_lock_);
  return static_cast<int>(keys_.size());
}

void KeyboardCtrl::SetKeyboardCtrlMode(int mode) {
  mode_ = mode;
  Repaint();
}

void KeyboardCtrl::SetLightModeData(const uint8_t* data, int length) {
  {
    std::lock_guard lock(items_lock_);
    preview_.clear();
    preview_frames_ = 0;
    preview_frame_ = 0;
    ticks_ = 0;
    // Without keys there is no frame to cut the data into.
    if (data && length > 0 && !keys_.empty()) {
      int frames = length / static_cast<int>(keys_.size());
      preview_.assign(data, data + static_cast<size_t>(frames) * keys_.size());
      preview_frames_ = frames;
    }
  }
  Repaint();
}

void KeyboardCtrl::SetLightSpeed(int speed) {
  std::lock_guard lock(items_lock_);
  ticks_per_frame_ = TicksForSpeed(speed);
}

int KeyboardCtrl::GetPreviewFrameCount() const {
  std::lock_guard lock(items_lock_);
  return preview_frames_;
}

int KeyboardCtrl::GetPreviewFrame() const {
  std::lock_guard lock(items_lock_);
  return preview_frame_;
}

int KeyboardCtrl::GetTicksPerFrame() const {
  std::lock_guard lock(items_lock_);
  return ticks_per_frame_;
}

uint8_t KeyboardCtrl::PreviewAlpha(int key_index) const {
  if (preview_frames_ <= 0) return 255;
  size_t at = static_cast<size_t>(preview_frame_) * keys_.size() + static_cast<size_t>(key_index);
  // Keys added after the data was set have no byte in it.
  return at < preview_.size() ? preview_[at] : 255;
}

void KeyboardCtrl::SetSelectItem(int index) {
  std::lock_guard lock(items_lock_);
  selected_ = ValidIndex(index) ? index : -1;
}

int KeyboardCtrl::GetSelectItem() const {
  std::lock_guard lock(items_lock_);
  return selected_;
}

int KeyboardCtrl::GetHoverItem() const {
  std::lock_guard lock(items_lock_);
  return hovered_;
}

int KeyboardCtrl::GetCheckItemCount() const {
  std::lock_guard lock(items_lock_);
  return static_cast<int>(
      std::count_if(keys_.begin(), keys_.end(), [](const auto& key) { return key->checked != 0; }));
}

void KeyboardCtrl::SetAllSelectColor(ColorRef color) {
  {
    std::lock_guard lock(items_lock_);
    for (const auto& key : keys_) {
      if (key->checked || key->index == selected_) key->color = color;
    }
  }
  Repaint();
}

void KeyboardCtrl::SetCustomColor(ColorRef color) {
  std::lock_guard lock(items_lock_);
  custom_color_ = color;
}

ColorRef KeyboardCtrl::GetCustomColor() const {
  std::lock_guard lock(items_lock_);
  return custom_color_;
}

void KeyboardCtrl::ResetAllItemCheck() {
  ResetAllItemCheck(0);
}

void KeyboardCtrl::ResetAllItemCheck(int check) {
  {
    std::lock_guard lock(items_lock_);
    for (const auto& key : keys_) key->checked = check;
    selected_ = -1;
  }
  Repaint();
}

void KeyboardCtrl::ResetAllItemsColor(ColorRef color) {
  {
    std::lock_guard lock(items_lock_);
    for (const auto& key : keys_) key->color = color;
  }
  Repaint();
}

void KeyboardCtrl::SetLightModeColor(bool white, ColorRef color) {
  ResetAllItemsColor(white ? 0xFFFFFF : color);
}

void KeyboardCtrl::SetMusicBrightness(int brightness) {
  {
    std::lock_guard lock(items_lock_);
    if (brightness == music_brightness_) return;
    for (const auto& key : keys_) key->color = 0xFFFF00;
    music_brightness_ = brightness;
  }
  Repaint();
}

KEY_INFO* KeyboardCtrl::FindKey(uint32_t value) const {
  auto it = std::find_if(keys_.begin(), keys_.end(),
                         [value](const auto& key) { return key->value == value; });
  return it == keys_.end() ? nullptr : it->get();
}

void KeyboardCtrl::SetKeyColor(uint32_t value, ColorRef color) {
  std::lock_guard lock(items_lock_);
  if (KEY_INFO* key = FindKey(value)) key->color = color;
}

ColorRef KeyboardCtrl::GetKeyColor(uint32_t value) const {
  std::lock_guard lock(items_lock_);
  const KEY_INFO* key = FindKey(value);
  return key ? key->color : 0;
}

void KeyboardCtrl::SetKeyCheck(uint32_t value, int check) {
  std::lock_guard lock(items_lock_);
  if (KEY_INFO* key = FindKey(value)) key->checked = check;
}

void KeyboardCtrl::SetKeyDesc(uint32_t value, const std::string& text) {
  std::lock_guard lock(items_lock_);
  if (KEY_INFO* key = FindKey(value)) {
    key->name = text;
    key->description = text;
  }
}

void KeyboardCtrl::SetTipKey(uint32_t value, const std::string& line1, const std::string& line2) {
  std::lock_guard lock(items_lock_);
  if (KEY_INFO* key = FindKey(value)) {
    key->tip_line1 = line1;
    key->tip_line2 = line2;
  }
}

void KeyboardCtrl::ResetTipKey() {
  std::lock_guard lock(items_lock_);
  for (const auto& key : keys_) {
    key->tip_line1.clear();
    key->tip_line2.clear();
  }
}

Rect KeyboardCtrl::GetRealRect(const Rect& rect) const {
  return rect.Offset(offset_x_, offset_y_);
}

Rect KeyboardCtrl::KeyWindowRect(const KEY_INFO& key) const {
  return key.rect.Offset(offset_x_ + rect_.left, offset_y_ + rect_.top);
}

}  // namespace tumi
