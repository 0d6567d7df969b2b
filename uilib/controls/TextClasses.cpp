// The text family's classes with the control factories.
#include "uilib/controls/MEdit.h"
#include "uilib/controls/MText.h"
#include "uilib/core/ControlFactory.h"

namespace tumi {
namespace {

const bool kRegistered = [] {
  ControlFactory::RegisterClass("MText", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MText>(a.parent, a.id, a.rect, a.title, a.visible);
  });
  ControlFactory::RegisterClass("MEdit", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MEdit>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
  });
  return true;
}();

}  // namespace
}  // namespace tumi
