// The panel family's classes in the dialog and panel factories.
#include <memory>

#include "uilib/controls/MTabCtrl.h"
#include "uilib/controls/MTabLayout.h"
#include "uilib/core/ControlFactory.h"

namespace tumi {
namespace {

[[maybe_unused]] const bool kRegistered = [] {
  ControlFactory::RegisterClass("MTabCtrl", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MTabCtrl>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  ControlFactory::RegisterClass(
      "MTabLayout", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
        return std::make_unique<MTabLayout>(a.parent, a.id, a.rect, a.visible);
      });
  return true;
}();

}  // namespace
}  // namespace tumi
