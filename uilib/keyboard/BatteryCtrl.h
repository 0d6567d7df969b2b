#pragma once
// The keyboard's battery: an outline picture, a level bar cut from the level
// picture, the level in percent, and a charge icon beside it while charging.
// While charging the bar fills up again and again on the shared timer.
//
// Thread rule: the shared timer ticks on its own thread; the charging state
// and the animated level are atomics, everything else is UI thread only.
#include <atomic>
#include <memory>
#include <string>

#include "uilib/core/Image.h"
#include "uilib/core/MControlFont.h"

namespace tumi {

class BatteryCtrl : public MControlFont {
 public:
  BatteryCtrl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);

  const char* GetClassNameW() const override { return "BatteryCtrl"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlTimer() override;
  // The outline, read from the skin folder (not shared through the window's
  // image cache); the frame count is ignored. 0 when it cannot be loaded: the
  // outline is then not drawn.
  int SetImage(const std::string& name, int frame_count) override;

  // Both pictures from the skin folder; one that cannot be loaded is not drawn.
  int SetBatteryIcon(const std::string& level_image, const std::string& charge_icon);
  // The level is clamped to 0-100; the flag is charging or not.
  void SetBatteryInfo(int level, int charging);
  int GetLevel() const { return level_; }
  int IsCharging() const { return charging_; }
  int GetChargingLevel() const { return charging_level_; }

  static constexpr int kChargeIconGap = 5;
  // The charging bar grows by this many percent every kTicksPerStep ticks.
  static constexpr int kChargeStep = 2;
  static constexpr int kTicksPerStep = 5;

 private:
  static std::shared_ptr<Image> LoadSkinImage(const std::string& name);

  std::shared_ptr<Image> background_;
  std::shared_ptr<Image> level_image_;
  std::shared_ptr<Image> charge_icon_;
  int level_ = 100;
  std::atomic<int> charging_level_{0};
  std::atomic<int> charging_{0};
  int ticks_ = 0;  // timer thread only
  PaintManager* timer_manager_ = nullptr;
};

}  // namespace tumi
