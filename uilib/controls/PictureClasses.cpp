// Registers the picture, slider and progress classes with the control
// factories.
#include "uilib/controls/CGifPicture.h"
#include "uilib/controls/CPhotoFrame.h"
#include "uilib/controls/CSliderPicture.h"
#include "uilib/controls/MPicture.h"
#include "uilib/controls/MProgress.h"
#include "uilib/controls/MSlider.h"
#include "uilib/controls/MSpinButton.h"
#include "uilib/core/ControlFactory.h"

namespace tumi {
namespace {

template <typename Control>
void RegisterPicture(const char* name) {
  ControlFactory::RegisterClass(name, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<Control>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
}

[[maybe_unused]] const bool kRegistered = [] {
  RegisterPicture<MPicture>("MPicture");
  RegisterPicture<MSlider>("MSlider");
  RegisterPicture<MProgress>("MProgress");
  RegisterPicture<MSpinButton>("MSpinButton");
  RegisterPicture<CGifPicture>("CGifPicture");
  RegisterPicture<CPhotoFrame>("CPhotoFrame");
  RegisterPicture<CSliderPicture>("CSliderPicture");
  return true;
}();

}  // namespace
}  // namespace tumi
