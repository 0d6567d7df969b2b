#pragma once
// A push button that shows a download's progress: once it is above 0 the
// button fills from the left with its second frame and shows the percent.
#include <string>

#include "uilib/controls/MButton.h"

namespace tumi {

class DownloadButton : public MButton {
 public:
  DownloadButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                 int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "DownloadButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  // The percent done, held within 0 to 100.
  void SetDownloadProcess(int percent);
  int GetDownloadProcess() const { return progress_; }

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;

 private:
  int progress_ = 0;
};

}  // namespace tumi
