#include "uilib/core/ControlFactory.h"

#include "uilib/core/CArea.h"
#include "uilib/core/MenuItem.h"

namespace tumi {

std::map<std::string, ControlFactory::Entry>& ControlFactory::Table() {
  // The core's own classes are in from the start; later components add theirs.
  static std::map<std::string, Entry> table = {
      {"CArea",
       {[](const ControlArgs& a) -> std::unique_ptr<MControl> {
          return std::make_unique<CArea>(a.parent, a.id, a.rect, a.visible, a.enabled);
        },
        true, true}},
      {"MenuItem",
       {[](const ControlArgs& a) -> std::unique_ptr<MControl> {
          return std::make_unique<MenuItem>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
        },
        true, true}},
  };
  return table;
}

bool ControlFactory::KnownClass(const std::string& name, Membership* membership) {
  // The library's control classes and the factories that create them; each
  // control component registers its creators under these names.
  static const std::map<std::string, Membership> kClasses = {
      {"CArea", {true, true}},          {"MText", {true, true}},
      {"MPicture", {true, true}},       {"CPhotoFrame", {true, true}},
      {"CSliderPicture", {true, true}}, {"CGifPicture", {true, true}},
      {"MProgress", {true, true}},      {"MSlider", {true, true}},
      {"MSpinButton", {true, true}},    {"MLevelCtrl", {true, true}},
      {"MButton", {true, true}},        {"CImageButton", {true, true}},
      {"CTextButton", {true, true}},    {"CCheckButton", {true, true}},
      {"CRadioButton", {true, true}},   {"CIconButton", {true, true}},
      {"CTimerButton", {true, true}},   {"CHelpButton", {true, true}},
      {"CColorButton", {true, true}},   {"CSwitchButton", {true, true}},
      {"CSpinButton", {true, true}},    {"MEdit", {true, true}},
      {"MRichEdit", {true, true}},      {"MEditEx", {true, true}},
      {"MComboBox", {true, true}},      {"MListBox", {true, true}},
      {"MTabCtrl", {true, true}},       {"MTabLayout", {true, true}},
      {"MPalette", {true, true}},       {"CColorPalette", {true, true}},
      {"CColorSelect", {true, true}},   {"CirclePalette", {true, true}},
      {"MenuItem", {true, true}},       {"KeyboardCtrl", {true, true}},
      {"CDeviceCtrl", {true, true}},    {"CComboBoxList", {true, false}},
      {"BatteryCtrl", {true, false}},   {"KeyFuncControl", {false, true}},
      {"DListBox", {false, true}},      {"CRecordList", {false, true}},
      {"UpgradeButton", {false, true}}, {"DownloadButton", {false, true}},
  };
  auto it = kClasses.find(name);
  if (it == kClasses.end()) return false;
  if (membership) *membership = it->second;
  return true;
}

bool ControlFactory::RegisterClass(const std::string& name, Creator creator) {
  Membership membership;
  if (!KnownClass(name, &membership)) return false;
  RegisterClass(name, std::move(creator), membership.dialog, membership.panel);
  return true;
}

void ControlFactory::RegisterClass(const std::string& name, Creator creator, bool dialog,
                                   bool panel) {
  if (name.empty() || !creator) return;
  Table()[name] = Entry{std::move(creator), dialog, panel};
}

bool ControlFactory::IsRegistered(const std::string& name, FactoryKind kind) {
  auto it = Table().find(name);
  if (it == Table().end()) return false;
  return kind == FactoryKind::kDialog ? it->second.dialog : it->second.panel;
}

std::unique_ptr<MControl> ControlFactory::Create(FactoryKind kind, const std::string& name,
                                                 const ControlArgs& args) {
  if (!IsRegistered(name, kind)) return nullptr;
  return Table()[name].creator(args);
}

}  // namespace tumi
