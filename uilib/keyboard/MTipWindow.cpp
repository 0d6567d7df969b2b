#include "uilib/keyboard/MTipWindow.h"

#include <numbers>

#include "uilib/core/FontRegistry.h"
#include "uilib/core/ImageStore.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace msg = platform::msg;

namespace {
// The window's corners are cut round as by a 3 x 3 ellipse.
constexpr double kCornerRadius = 1.5;
// The close request of the library's windows.
constexpr std::uint32_t kCloseRequest = 1090;
}  // namespace

MTipWindow::~MTipWindow() {
  // While this class's handlers still exist.
  DestroyWindow();
}

std::uint32_t MTipWindow::WindowStyle() const {
  // An override-redirect popup rather than a utility window: the window
  // manager must neither place it nor give it the focus.
  return platform::kStylePopup | platform::kStyleTopmost | platform::kStyleNoActivate |
         platform::kStylePerPixelAlpha;
}

WindowId MTipWindow::CreateTip(WindowId owner, const std::string& title) {
  return Create(owner, title, WindowStyle(), Rect{});
}

std::shared_ptr<const Image> MTipWindow::LoadSkinImage(const std::string& name) {
  if (name.empty()) return nullptr;
  return ImageStore::Shared().Load(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name)));
}

int MTipWindow::LoadBKImage(const std::string& name) {
  std::shared_ptr<const Image> image = LoadSkinImage(name);
  if (!image) return 0;
  background_ = std::move(image);
  return 1;
}

void MTipWindow::CloseWindow() {
  platform::WindowSystem* system = System();
  if (system && system->IsWindow(GetSafeHwnd())) PostMessageW(msg::kClose);
}

int MTipWindow::OnInitDialog() {
  GetFontFamily();
  return 1;
}

const std::string& MTipWindow::GetFontFamily() {
  if (font_family_.empty()) {
    // The library's own font, from the program's font folder when it is
    // there; otherwise what the system draws the library font name with.
    FontRegistry::AddProgramFonts(Manager::GetProgramFolder());
    font_family_ = FontRegistry::ResolveFamily(Manager::GetFontName());
  }
  return font_family_;
}

std::intptr_t MTipWindow::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                          std::intptr_t lparam) {
  switch (message) {
    case msg::kEraseBackground:
      return 1;
    case kCloseRequest:
      return OnUserCloseWindow(wparam, lparam);
    case msg::kSize:
      OnSize();
      break;
    case msg::kKillFocus:
      OnKillFocus();
      break;
    case msg::kTimer:
      OnTimer(wparam);
      break;
    case msg::kPaint:
      OnPaint();
      return 0;
    default:
      break;
  }
  return MWindow::OnWindowMessage(message, wparam, lparam);
}

long MTipWindow::OnUserCloseWindow(std::uintptr_t wparam, std::intptr_t lparam) {
  PostMessageW(msg::kClose, wparam, lparam);
  return 1;
}

int MTipWindow::OnSize() {
  if (!IsIconic()) InvalidateRect();
  return 1;
}

int MTipWindow::OnKillFocus() {
  if (mode_ != kModeKeepOnDeactivate && IsWindowVisible()) {
    ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
  }
  KillTimer(kHideTimer);
  return 1;
}

void MTipWindow::OnTimer(std::uintptr_t id) {
  if (id != kHideTimer) return;
  KillTimer(kHideTimer);
  if (IsWindowVisible()) ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
}

void MTipWindow::PlaceWindow(const Rect& screen) {
  platform::WindowSystem* system = System();
  if (!system || !system->IsWindow(GetSafeHwnd())) return;
  MoveWindow(screen);
  InvalidateRect();
}

void MTipWindow::OnPaint() {
  platform::WindowSystem* system = System();
  if (!system || IsIconic()) return;
  platform::PaintContext ctx = system->BeginPaint(GetSafeHwnd());
  if (!ctx.surface) return;
  const int width = cairo_image_surface_get_width(ctx.surface);
  const int height = cairo_image_surface_get_height(ctx.surface);
  cairo_t* cr = cairo_create(ctx.surface);
  // Every pixel is ours: what the picture leaves out shows the desktop.
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  const double r = kCornerRadius;
  cairo_arc(cr, width - r, r, r, -std::numbers::pi / 2, 0);
  cairo_arc(cr, width - r, height - r, r, 0, std::numbers::pi / 2);
  cairo_arc(cr, r, height - r, r, std::numbers::pi / 2, std::numbers::pi);
  cairo_arc(cr, r, r, r, std::numbers::pi, 3 * std::numbers::pi / 2);
  cairo_close_path(cr);
  cairo_clip(cr);
  if (background_) {
    MRender::DrawImageFrame(cr, *background_, Rect{0, 0, width, height},
                            Rect{0, 0, background_->Width(), background_->Height()},
                            kBackgroundCorner);
  }
  DrawText(cr, width, height);
  cairo_destroy(cr);
  cairo_surface_flush(ctx.surface);
}

}  // namespace tumi
