// Registers the colour pickers with the control factories.
#include "uilib/controls/CColorPalette.h"
#include "uilib/controls/CColorSelect.h"
#include "uilib/controls/CirclePalette.h"
#include "uilib/controls/MPalette.h"
#include "uilib/core/ControlFactory.h"

namespace tumi {
namespace {

template <typename Control>
void RegisterPalette(const char* name) {
  ControlFactory::RegisterClass(name, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<Control>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
}

[[maybe_unused]] const bool kRegistered = [] {
  RegisterPalette<CirclePalette>("CirclePalette");
  RegisterPalette<MPalette>("MPalette");
  RegisterPalette<CColorSelect>("CColorSelect");
  RegisterPalette<CColorPalette>("CColorPalette");
  return true;
}();

}  // namespace
}  // namespace tumi
