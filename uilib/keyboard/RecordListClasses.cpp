// The list classes panels create by name.
#include "uilib/core/ControlFactory.h"
#include "uilib/keyboard/CRecordList.h"
#include "uilib/keyboard/DListBox.h"

namespace tumi {
namespace {

const bool kRegistered = [] {
  ControlFactory::RegisterClass("DListBox", [](const ControlArgs& a) {
    return std::make_unique<DListBox>(a.parent, a.id, a.rect, a.visible);
  });
  ControlFactory::RegisterClass("CRecordList", [](const ControlArgs& a) {
    return std::make_unique<CRecordList>(a.parent, a.id, a.rect, a.visible);
  });
  return true;
}();

}  // namespace
}  // namespace tumi
