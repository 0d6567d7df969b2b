#pragma once
// An animated GIF: the shared dialog timer advances it one frame every fifth
// tick (50 ms per frame at the 10 ms tick). It can run on its own or only
// while the pointer is over it.
#include <atomic>
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class CGifPicture : public MControlFont {
 public:
  CGifPicture(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CGifPicture"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, Point p) override;

  // Through the window's image cache; 1 when it loaded.
  int SetImage(const std::string& name, int frame_count) override;
  int SetImage(const std::string& name) { return SetImage(name, 4); }
  // 0 for a picture of at most one frame; else shows `frame` and starts or
  // stops the animation. 1.
  int SetRunState(int run, int frame);
  int IsRunning() const { return running_; }
  int GetCurrentFrame() const { return frame_; }
  int GetGifFrameCount() const { return gif_frames_; }
  // Run only while the pointer is over the control.
  void SetMouseMoveActive(int active) { mouse_active_ = active; }

 private:
  static constexpr int kTicksPerFrame = 5;

  int gif_frames_ = 0;
  // The dialog timer's thread advances the frame while the UI thread draws.
  std::atomic<int> frame_{0};
  std::atomic<int> running_{0};
  int ticks_ = 0;
  int mouse_active_ = 0;
  bool pointer_inside_ = false;
};

}  // namespace tumi
