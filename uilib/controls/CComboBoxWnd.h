#pragma once
// A combo box's drop-down: a popup that holds one CComboBoxList (id 88) and
// closes itself after a pick or when it loses activation. Its parent object
// is the combo box, which learns of a pick (code 2, wparam the row, lparam
// the pick marker) and of the window's end (code 22).
#include <string>

#include "uilib/controls/CComboBoxList.h"
#include "uilib/core/MPopupWnd.h"

namespace tumi {

class CComboBoxWnd : public MPopupWnd {
 public:
  static constexpr unsigned kListId = 88;
  // Sent to the combo box when the window is gone, whatever closed it.
  static constexpr unsigned kNotifyClosed = 22;

  CComboBoxWnd(MObject* combo, unsigned scroll_v, unsigned scroll_h);

  // Creates the window, owned by `owner`, over the screen rectangle.
  bool Open(WindowId owner, const Rect& screen);
  CComboBoxList* GetList() const { return list_; }

  // Escape closes the drop-down without a pick.
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;
  void InitUI(const Rect& client) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  int OnDestroy() override;

 private:
  CComboBoxList* list_ = nullptr;  // owned by the paint manager
};

}  // namespace tumi
