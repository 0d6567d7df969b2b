#pragma once
// A picture revealed by a sliding edge: left to right, top to bottom or
// right to left, one hundredth of the control per timer tick; the part not
// yet revealed is light grey.
#include <atomic>

#include "uilib/controls/MPicture.h"

namespace tumi {

enum SLIDER_MODE : int {
  kSlideLeftToRight = 1,
  kSlideTopToBottom = 2,
  kSlideRightToLeft = 3,
};

class CSliderPicture : public MPicture {
 public:
  CSliderPicture(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CSliderPicture"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlTimer() override;

  // Only while enabled: starts (or stops) a slide in the mode. Returns the
  // running flag.
  int SetRun(int run, int mode);
  int IsRunning() const { return running_; }
  int GetEdge() const { return edge_; }

 private:
  int Step() const;

  std::atomic<int> running_{0};
  int mode_ = kSlideLeftToRight;
  // Until the first slide the whole picture shows.
  std::atomic<int> started_{0};
  std::atomic<int> edge_{0};
  int end_ = 0;
};

}  // namespace tumi
