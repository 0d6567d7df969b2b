#pragma once
// A borderless skinned top-level window that owns a paint manager: the base
// of the program's main window and of every dialog. Window messages become
// virtual handlers, then go to the paint manager; control notifications reach
// OnMessage. Close with DoOK and its siblings: ShowModal returns their result.
#include <cstdint>
#include <string>

#include "uilib/core/MObject.h"
#include "uilib/core/MShadow.h"
#include "uilib/core/MWindow.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

// The close request: wparam is the result ShowModal returns.
inline constexpr std::uint32_t kMsgCloseRequest = 1090;

enum DialogResult : unsigned {
  kResultOK = 1,
  kResultCancel = 2,
  kResultYes = 6,
  kResultNo = 7,
};

// Where a bubble tip points below a control: its left edge, centre or right.
enum AIRBLADDER_TYPE { kBubbleLeft = 0, kBubbleCentre = 1, kBubbleRight = 2 };

class MDialog : public MWindow, public MObject {
 public:
  MDialog();
  ~MDialog() override;

  // MWindow
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;
  int PreTranslateMessage(const platform::Message& message) override;
  int OnInitDialog() override;
  void OnDestroyMessage(WindowId window) override;

  // MObject
  const char* GetClassNameW() const override { return "MDialog"; }
  long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                     std::intptr_t lparam) override {
    return OnMessage(id, code, wparam, lparam);
  }
  long OnControlUpdate(const Rect& rect, int redraw, MControl* control) override {
    return pm_.OnControlUpdate(rect, redraw, control);
  }

  virtual Point GetAirBladderPoint(MControl* control, int type);
  virtual void OnMinimize();
  virtual void OnMaximize();
  virtual void InitUI(const Rect& /*client*/) {}
  virtual void UISize(const Rect& /*client*/) {}
  // Every notification of the dialog's controls.
  virtual long OnMessage(unsigned /*id*/, unsigned /*code*/, std::uintptr_t /*wparam*/,
                         std::intptr_t /*lparam*/) {
    return 0;
  }
  virtual long OnUserCloseWindow(std::uintptr_t wparam, std::intptr_t lparam);
  virtual int OnCreate() { return 1; }
  virtual int OnSize(int type, int width, int height);
  virtual int OnMouseMove(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnMouseLeave(std::uintptr_t /*wparam*/, std::intptr_t /*lparam*/) { return 0; }
  virtual int OnMouseHover(std::uintptr_t /*wparam*/, std::intptr_t /*lparam*/) { return 0; }
  virtual int OnMouseWheel(unsigned /*flags*/, int /*delta*/, Point /*p*/) { return 0; }
  virtual int OnLButtonDown(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnLButtonUp(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnLButtonDblClk(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnRButtonDown(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnRButtonUp(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnRButtonDblClk(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnKeyDown(int /*key*/, int /*repeat*/, int /*flags*/) { return 0; }
  virtual int OnNcActivate(int /*active*/) { return 0; }
  virtual int OnWindowPosChanged() { return 1; }
  virtual int OnPaint() { return 0; }
  virtual void OnTimer(std::uintptr_t /*id*/) {}
  virtual int OnClose() { return 1; }
  virtual int OnDestroy() { return 0; }
  virtual int PostNcDestroy() { return 0; }

  MControl* CreateControl(const std::string& class_name, unsigned id, const Rect& rect,
                          const std::string& title = {}, int visible = 1, int enabled = 1);
  MControl* CreateArea(const std::string& class_name, unsigned id, const Rect& rect,
                       const std::string& title = {}, int visible = 1, int enabled = 1);
  MControl* GetControl(unsigned id) { return pm_.GetControl(id); }
  std::vector<MControl*>* GetControls() { return pm_.GetControls(); }
  void SetFocusControl(MControl* control) { pm_.SetFocusControl(control); }
  int LoadBKImage(const std::string& name) { return pm_.LoadBKImage(name); }
  void SetBackMode(enumBackMode mode, int corner) { pm_.SetBackMode(mode, corner); }
  void SetLayeredWindow(int layered) { pm_.SetLayeredWindow(layered); }
  void EnableWndDrag(int enable) { pm_.EnableWndDrag(enable); }
  void SetScrollResID(unsigned vertical, unsigned horizontal) {
    pm_.SetScrollResID(vertical, horizontal);
  }
  int SetMTimer(int period_ms) { return pm_.SetMTimer(period_ms); }
  void KillMTimer(int id) { pm_.KillMTimer(id); }
  int SetTooltip(const std::string& text, const Rect& rect) { return pm_.SetTooltip(text, rect); }
  void ClearTooltip() { pm_.ClearTooltip(); }
  void SetTooltipCtrlID(int id) { pm_.SetTooltipCtrlID(id); }
  int GetTooltipCtrlID() const { return pm_.GetTooltipCtrlID(); }

  // A status message; an empty box means the default one, 200 x 58 centred
  // 2 pixels above the lower edge (moved down by the message offset).
  void SetMessage(const std::string& text, const Rect& box = {}, MsgLevel level = kMsgInfo);
  void SetProgress(int percent, const std::string& text, const Rect& box = {});
  Rect DefaultMessageBox() const;
  void SetMessageOffset(int offset) { message_offset_ = offset; }
  // A bubble tip at a screen point; 0 (nothing shown) when x or y is 0.
  int SetAirBladderMsg(const std::string& text, Point screen, int type);

  // The window's drop shadow.
  bool CreateShadow(bool show) { return pm_.CreateShadow(show); }
  int SetSize(int size) { return pm_.Shadow().SetSize(size); }
  int SetSharpness(int sharpness) { return pm_.Shadow().SetSharpness(sharpness); }
  int SetDarkness(int darkness) { return pm_.Shadow().SetDarkness(darkness); }
  int SetPosition(int x, int y) { return pm_.Shadow().SetPosition(x, y); }
  int SetShadowColor(ColorRef color) { return pm_.Shadow().SetColor(color); }
  int SetShadowImage(const std::string& name, Margins corner) {
    return pm_.Shadow().SetShadowCorner(corner) && pm_.Shadow().SetImage(name) ? 1 : 0;
  }
  void SetShadowShow(bool show) { pm_.Shadow().ShowShadow(show); }

  void SetupBackTranslucent();
  void SetColorKey(ColorRef key) { color_key_ = key; }
  void SetAlpha(int alpha) { alpha_ = alpha; }

  void DoOK() { PostMessageW(kMsgCloseRequest, kResultOK); }
  void DoCancel() { PostMessageW(kMsgCloseRequest, kResultCancel); }
  void DoClose() { PostMessageW(kMsgCloseRequest, kResultCancel); }
  void DoYes() { PostMessageW(kMsgCloseRequest, kResultYes); }
  void DoNo() { PostMessageW(kMsgCloseRequest, kResultNo); }

  PaintManager& GetPaintManager() { return pm_; }
  const Rect& GetClientRectCached() const { return client_; }

 protected:
  PaintManager pm_;
  ColorRef color_key_ = 0xFFFFFF;
  int alpha_ = 255;
  int message_offset_ = 0;
  Rect client_;
};

}  // namespace tumi
