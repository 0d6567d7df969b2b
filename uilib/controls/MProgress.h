#pragma once
// A progress bar, from a background and a foreground image, from a
// two-frame strip, or drawn as a thin line with a bar. Running, it is a busy
// indicator: the shared timer advances it one step every third tick.
#include <atomic>
#include <string>

#include "uilib/controls/SkinPicture.h"
#include "uilib/core/MControlFont.h"

namespace tumi {

class MProgress : public MControlFont {
 public:
  MProgress(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "MProgress"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlTimer() override;

  // Only while enabled: above the maximum gives the maximum, below 0 changes
  // nothing. Returns the progress.
  int SetProgress(int value);
  int GetProgress() const { return progress_; }
  void SetMaxProgress(int maximum);
  int GetMaxProgress() const { return max_; }
  // Only while enabled: starts or stops the busy animation and, for a value
  // within 0 to the maximum, sets the progress. Returns the running flag.
  int SetRun(int run, int value = -1);
  int IsRunning() const { return running_; }
  void EnableShowText(int show);
  int SetBackGroundImage(const std::string& name);
  int SetForeGroundImage(const std::string& name);
  void SetLineColor(Argb color) { line_color_ = color; }
  void SetBarColor(Argb color) { bar_color_ = color; }

 private:
  // The width of the filled part of a bar `width` pixels long.
  int FilledWidth(int width) const;
  void DrawBar(cairo_t* cr, int w, int h);

  // The dialog timer's thread steps the progress while the UI thread draws.
  std::atomic<int> progress_{0};
  int max_ = 100;
  std::atomic<int> running_{0};
  int ticks_ = 0;
  int show_text_ = 0;
  Argb line_color_ = 0x64050505;
  Argb bar_color_ = 0xFFFFE100;
  SkinPicture background_;
  SkinPicture foreground_;
};

}  // namespace tumi
