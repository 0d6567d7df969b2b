// The indicator classes dialogs and panels create by name.
#include "uilib/core/ControlFactory.h"
#include "uilib/keyboard/BatteryCtrl.h"
#include "uilib/keyboard/CDeviceCtrl.h"
#include "uilib/keyboard/MLevelCtrl.h"

namespace tumi {
namespace {

const bool kRegistered = [] {
  ControlFactory::RegisterClass("CDeviceCtrl", [](const ControlArgs& a) {
    return std::make_unique<CDeviceCtrl>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  ControlFactory::RegisterClass("BatteryCtrl", [](const ControlArgs& a) {
    return std::make_unique<BatteryCtrl>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  ControlFactory::RegisterClass("MLevelCtrl", [](const ControlArgs& a) {
    return std::make_unique<MLevelCtrl>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
  });
  return true;
}();

}  // namespace
}  // namespace tumi
