#pragma once
// Test support for the control tests (header only, included by *_test.cpp):
// a shown recording dialog on the headless window system, with helpers to add
// a control, point, click and sample what the window shows.
#include <memory>
#include <utility>

#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"

namespace tumi::testing {

class ControlTestWindow {
 public:
  explicit ControlTestWindow(Rect client = Rect{0, 0, 400, 300}) {
    dialog.Create(platform::kNoWindow, client);
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }

  template <typename Control, typename... Args>
  Control* Add(Args&&... args) {
    auto* control = static_cast<Control*>(
        pm().AddControl(std::make_unique<Control>(&dialog, std::forward<Args>(args)...)));
    Show();
    return control;
  }

  PaintManager& pm() { return dialog.GetPaintManager(); }
  // Repaints everything and shows it.
  void Show() {
    pm().Invalidate();
    ui.Pump();
  }
  Argb Shown(Point p) { return ui.System().ShownPixel(id, {p.x, p.y}); }
  void Move(Point p) {
    ui.System().MovePointer(id, {p.x, p.y});
    ui.Pump();
  }
  void Press(Point p) {
    ui.System().PressButton(id, platform::MouseButton::kLeft, {p.x, p.y});
    ui.Pump();
  }
  void Release(Point p) {
    ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {p.x, p.y});
    ui.Pump();
  }
  void Click(Point p) {
    Move(p);
    Press(p);
    Release(p);
  }
  void Wheel(Point p, int delta) {
    ui.System().Wheel(id, delta, {p.x, p.y});
    ui.Pump();
  }
  void Key(int virtual_key) {
    ui.System().SetFocus(id);
    ui.System().PressKey(virtual_key);
    ui.System().ReleaseKey(virtual_key);
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
};

}  // namespace tumi::testing
