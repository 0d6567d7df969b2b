#pragma once
// A borderless popup with its own paint manager that closes itself when it
// loses activation (a click anywhere else). Its controls report to it; it
// reports to its parent object. Owned by its creator, which deletes it after
// the window is gone.
#include <cstdint>
#include <string>

#include "uilib/core/MDialog.h"
#include "uilib/core/MObject.h"
#include "uilib/core/MWindow.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

class MPopupWnd : public MWindow, public MObject {
 public:
  MPopupWnd();
  ~MPopupWnd() override;

  // MWindow
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;
  int PreTranslateMessage(const platform::Message& /*message*/) override { return 0; }
  int OnInitDialog() override;
  void OnDestroyMessage(WindowId window) override;

  // MObject
  long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                     std::intptr_t lparam) override {
    return OnMessage(id, code, wparam, lparam);
  }
  long OnControlUpdate(const Rect& rect, int redraw, MControl* control) override {
    return pm_.OnControlUpdate(rect, redraw, control);
  }

  MObject* GetParent() const { return parent_object_; }
  void SetParent(MObject* parent) { parent_object_ = parent; }
  virtual void InitUI(const Rect& /*client*/) {}
  virtual void UISize(const Rect& /*client*/) {}
  virtual long OnMessage(unsigned /*id*/, unsigned /*code*/, std::uintptr_t /*wparam*/,
                         std::intptr_t /*lparam*/) {
    return 0;
  }
  virtual long OnUserCloseWindow(std::uintptr_t wparam, std::intptr_t lparam);
  virtual void CloseWindow();
  virtual int OnCreate() { return 1; }
  virtual int OnSize(int type, int width, int height);
  // Losing activation closes the popup.
  virtual int OnNcActivate(int active);
  virtual int OnClose() { return 1; }
  virtual int OnTimer(std::uintptr_t /*id*/) { return 0; }
  virtual int PostNcDestroy() { return 0; }
  virtual int OnDestroy() { return 0; }

  // Shows the popup and gives it the focus, so a click elsewhere closes it.
  void Popup();
  long SendMessageToParent(unsigned code, std::uintptr_t wparam, std::intptr_t lparam);

  int LoadBKImage(const std::string& name) { return pm_.LoadBKImage(name); }
  void SetBackMode(enumBackMode mode, int corner) { pm_.SetBackMode(mode, corner); }
  void SetScrollResID(unsigned vertical, unsigned horizontal) {
    pm_.SetScrollResID(vertical, horizontal);
  }
  void SetLayeredWindow(int layered) { pm_.SetLayeredWindow(layered); }
  void SetupBackTranslucent();
  MControl* CreateControl(const std::string& class_name, unsigned id, const Rect& rect,
                          const std::string& title = {}, int visible = 1, int enabled = 1);
  MControl* CreateArea(const std::string& class_name, unsigned id, const Rect& rect,
                       const std::string& title = {}, int visible = 1, int enabled = 1);
  MControl* GetControl(unsigned id) { return pm_.GetControl(id); }
  PaintManager& GetPaintManager() { return pm_; }

 protected:
  std::uint32_t WindowStyle() const override { return platform::kStylePopup; }

  PaintManager pm_;
  ColorRef color_key_ = 0xF1F1F1;
  int alpha_ = 255;
  MObject* parent_object_ = nullptr;
};

}  // namespace tumi
