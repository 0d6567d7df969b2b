// The list controls' names in the control factory.
#include <memory>

#include "uilib/controls/CComboBoxList.h"
#include "uilib/controls/MComboBox.h"
#include "uilib/controls/MListBox.h"
#include "uilib/core/ControlFactory.h"

namespace tumi {
namespace {

const bool kRegistered = [] {
  ControlFactory::RegisterClass("MComboBox", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MComboBox>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  ControlFactory::RegisterClass(
      "CComboBoxList", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
        return std::make_unique<CComboBoxList>(a.parent, a.id, a.rect, a.visible, a.enabled);
      });
  ControlFactory::RegisterClass("MListBox", [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MListBox>(a.parent, a.id, a.rect, a.visible);
  });
  return true;
}();

}  // namespace
}  // namespace tumi
