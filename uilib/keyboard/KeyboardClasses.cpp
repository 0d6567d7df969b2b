// Registers the keyboard controls with the control factories when the library
// is loaded.
#include "uilib/core/ControlFactory.h"
#include "uilib/keyboard/KeyFuncControl.h"
#include "uilib/keyboard/KeyboardCtrl.h"

namespace tumi {
namespace {

const bool kRegistered = [] {
  ControlFactory::RegisterClass(
      "KeyboardCtrl", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
        return std::make_unique<KeyboardCtrl>(a.parent, a.id, a.rect, a.visible);
      });
  ControlFactory::RegisterClass(
      "KeyFuncControl", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
        return std::make_unique<KeyFuncControl>(a.parent, a.id, a.rect, a.visible);
      });
  return true;
}();

}  // namespace
}  // namespace tumi
