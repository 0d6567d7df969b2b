#pragma once
// The root of the UI object model: what a control's parent is. A parent is a
// dialog, a popup or menu window, or a container control; controls report
// their notifications and repaint requests to it through these two calls.
#include <cstdint>
#include <string_view>

#include "uilib/core/Rect.h"

namespace tumi {

class MControl;

class MObject {
 public:
  virtual ~MObject() = default;

  // 1 when GetClassNameW is exactly this name (case-sensitive).
  virtual int IsClass(std::string_view name) const {
    const char* own = GetClassNameW();
    return own != nullptr && name == own ? 1 : 0;
  }
  virtual const char* GetClassNameW() const { return nullptr; }
  virtual const char* GetObjectClass() const { return nullptr; }
  virtual const char* BaseObjectClassName() const { return nullptr; }
  // A child control's notification: its id, the code and two values.
  virtual long OnBaseMessage(unsigned /*id*/, unsigned /*code*/, std::uintptr_t /*wparam*/,
                             std::intptr_t /*lparam*/) {
    return 0;
  }
  // A child control asks for the rectangle to be repainted; with redraw 1 its
  // cached picture is rebuilt first.
  virtual long OnControlUpdate(const Rect& /*rect*/, int /*redraw*/, MControl* /*control*/) {
    return 0;
  }
};

}  // namespace tumi
