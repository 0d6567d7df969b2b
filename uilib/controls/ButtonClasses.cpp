// Registers the button classes with the control factories.
#include "uilib/controls/CCheckButton.h"
#include "uilib/controls/CColorButton.h"
#include "uilib/controls/CHelpButton.h"
#include "uilib/controls/CIconButton.h"
#include "uilib/controls/CImageButton.h"
#include "uilib/controls/CRadioButton.h"
#include "uilib/controls/CSwitchButton.h"
#include "uilib/controls/CTextButton.h"
#include "uilib/controls/CTimerButton.h"
#include "uilib/controls/DownloadButton.h"
#include "uilib/controls/MButton.h"
#include "uilib/controls/UpgradeButton.h"
#include "uilib/core/ControlFactory.h"

namespace tumi {
namespace {

template <typename Button>
void RegisterButton(const char* name) {
  ControlFactory::RegisterClass(name, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<Button>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
  });
}

[[maybe_unused]] const bool kRegistered = [] {
  RegisterButton<MButton>("MButton");
  RegisterButton<CImageButton>("CImageButton");
  RegisterButton<CCheckButton>("CCheckButton");
  RegisterButton<CRadioButton>("CRadioButton");
  RegisterButton<CColorButton>("CColorButton");
  RegisterButton<CTextButton>("CTextButton");
  RegisterButton<CSwitchButton>("CSwitchButton");
  RegisterButton<CIconButton>("CIconButton");
  RegisterButton<CTimerButton>("CTimerButton");
  RegisterButton<CHelpButton>("CHelpButton");
  RegisterButton<UpgradeButton>("UpgradeButton");
  RegisterButton<DownloadButton>("DownloadButton");
  return true;
}();

}  // namespace
}  // namespace tumi
