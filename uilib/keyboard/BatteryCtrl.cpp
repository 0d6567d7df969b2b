#include "uilib/keyboard/BatteryCtrl.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/SkinPath.h"
#include "uilib/keyboard/CentredText.h"

namespace tumi {

BatteryCtrl::BatteryCtrl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  font_size_ = 14;
  run_timer_ = 1;
}

void BatteryCtrl::InitControl(PaintManager* manager) {
  // Once per window: a second registration would tick the control twice.
  if (!manager || manager == timer_manager_) return;
  manager->AddMTimer(this);
  timer_manager_ = manager;
}

std::shared_ptr<Image> BatteryCtrl::LoadSkinImage(const std::string& name) {
  if (name.empty()) return nullptr;
  return MRender::LoadImageFromFile(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name)));
}

int BatteryCtrl::SetImage(const std::string& name, int /*frame_count*/) {
  background_ = LoadSkinImage(name);
  image_path_ = name;
  frame_count_ = 1;
  frame_width_ = background_ ? background_->Width() : 0;
  frame_height_ = background_ ? background_->Height() : 0;
  if (visible_) UpdateControl(1, 0);
  return background_ ? 1 : 0;
}

int BatteryCtrl::SetBatteryIcon(const std::string& level_image, const std::string& charge_icon) {
  level_image_ = LoadSkinImage(level_image);
  charge_icon_ = LoadSkinImage(charge_icon);
  if (visible_) UpdateControl(1, 0);
  return 1;
}

void BatteryCtrl::SetBatteryInfo(int level, int charging) {
  level = std::clamp(level, 0, 100);
  charging = charging ? 1 : 0;
  if (level == level_ && charging == charging_) return;
  level_ = level;
  // A charge starts its animation from the level the battery has.
  if (charging && !charging_) charging_level_ = level;
  charging_ = charging;
  UpdateControl(1, 0);
}

int BatteryCtrl::OnControlTimer() {
  if (!charging_) return 0;
  if (++ticks_ < kTicksPerStep) return 0;
  ticks_ = 0;
  int next = charging_level_ + kChargeStep;
  charging_level_ = next > 100 ? 0 : next;
  UpdateControl(1, 0);
  return 1;
}

void BatteryCtrl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    if (background_) {
      Rect whole{0, 0, background_->Width(), background_->Height()};
      MRender::DrawImage(g, *background_, whole, whole);
    }
    const bool charging = charging_ != 0;
    if (level_image_) {
      int bar = (charging ? charging_level_.load() : level_) * level_image_->Width() / 100;
      if (bar > 0) {
        Rect part{0, 0, bar, level_image_->Height()};
        MRender::DrawImage(g, *level_image_, part, part);
      }
    }
    if (charging) {
      if (charge_icon_) {
        int x = frame_width_ + kChargeIconGap;
        int y = static_cast<int>((h - charge_icon_->Height()) * 0.5);
        Rect source{0, 0, charge_icon_->Width(), charge_icon_->Height()};
        MRender::DrawImage(g, *charge_icon_, source.Offset(x, y), source);
      }
    } else if (level_ != 0) {
      title_ = std::to_string(level_) + "%";
      MRender::DrawString(g, title_, Rect{0, 0, frame_width_, h}, GetFontSpec(),
                          CentredText(rendering_hint_), text_color_);
    }
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
