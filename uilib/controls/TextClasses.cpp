// The text family's classes with the control factories.
#include "uilib/controls/CSpinButton.h"
#include "uilib/controls/MEdit.h"
#include "uilib/controls/MRichEdit.h"
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
  ControlFactory::RegisterClass("MRichEdit", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MRichEdit>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
  });
  ControlFactory::RegisterClass("MEditEx", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MEditEx>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
  });
  ControlFactory::RegisterClass(
      "CSpinButton", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
        return std::make_unique<CSpinButton>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
      });
  return true;
}();

}  // namespace
}  // namespace tumi
