#pragma once
// The picture that follows the pointer during a drag: a small topmost tool
// window that never takes the focus and lets clicks through, showing the
// dragged control's picture slightly transparent.
#include <memory>

#include "platform/window/WindowSystem.h"
#include "uilib/controls/CIDataObject.h"
#include "uilib/core/Color.h"
#include "uilib/core/Image.h"
#include "uilib/core/Rect.h"

namespace tumi {

class CDragSourceHelper : private platform::MessageHandler {
 public:
  CDragSourceHelper() = default;
  ~CDragSourceHelper() override;
  CDragSourceHelper(const CDragSourceHelper&) = delete;
  CDragSourceHelper& operator=(const CDragSourceHelper&) = delete;

  // Shows the picture with the pointer at `point` (in the coordinates of
  // `rect`, whose top-left corner is the picture's). False without a window
  // system or picture: the drag then goes on without a picture.
  bool InitializeFromBitmap(std::shared_ptr<const Image> picture, Point point, const Rect& rect,
                            const CIDataObject* data, ColorRef color_key);
  // The pointer moved to this screen point.
  void MoveTo(platform::Point screen);
  void Hide();
  platform::WindowId Window() const { return window_; }

 private:
  std::intptr_t OnMessage(const platform::Message& message) override;

  platform::WindowId window_ = platform::kNoWindow;
  std::shared_ptr<const Image> picture_;
  Point offset_;
};

}  // namespace tumi
