#include "platform/window/headless/HeadlessBackend.h"

#include <cstring>

namespace platform {

HeadlessBackend::HeadlessBackend()
    : monitors_{Monitor{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040}}} {}

bool HeadlessBackend::CreateNativeWindow(WindowId window, const WindowParams&) {
  frames_[window] = Frame{};
  return true;
}

void HeadlessBackend::DestroyNativeWindow(WindowId window) {
  frames_.erase(window);
}

bool HeadlessBackend::SetNativeOpacity(WindowId window, std::uint8_t alpha) {
  auto it = frames_.find(window);
  if (it == frames_.end()) return false;
  it->second.opacity = alpha;
  return true;
}

std::uint8_t HeadlessBackend::Opacity(WindowId window) const {
  auto it = frames_.find(window);
  return it == frames_.end() ? 0 : it->second.opacity;
}

void HeadlessBackend::Present(WindowId window, cairo_surface_t* surface, const Rect& damage) {
  auto it = frames_.find(window);
  if (it == frames_.end()) return;
  Frame& frame = it->second;
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  cairo_surface_t* shown = frame.shown.get();
  if (!shown || cairo_image_surface_get_width(shown) != width ||
      cairo_image_surface_get_height(shown) != height) {
    frame.shown.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    shown = frame.shown.get();
  }
  // Only the damage reaches the screen, as on a real display.
  cairo_t* cr = cairo_create(shown);
  cairo_rectangle(cr, damage.left, damage.top, damage.Width(), damage.Height());
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(shown);
  ++frame.presents;
}

std::uint32_t HeadlessBackend::ShownPixel(WindowId window, Point client) const {
  auto it = frames_.find(window);
  if (it == frames_.end() || !it->second.shown) return 0;
  cairo_surface_t* shown = it->second.shown.get();
  int width = cairo_image_surface_get_width(shown);
  int height = cairo_image_surface_get_height(shown);
  if (client.x < 0 || client.y < 0 || client.x >= width || client.y >= height) return 0;
  const unsigned char* row =
      cairo_image_surface_get_data(shown) + client.y * cairo_image_surface_get_stride(shown);
  std::uint32_t pixel;
  std::memcpy(&pixel, row + client.x * 4, sizeof pixel);
  return pixel;
}

int HeadlessBackend::PresentCount(WindowId window) const {
  auto it = frames_.find(window);
  return it == frames_.end() ? 0 : it->second.presents;
}

bool HeadlessBackend::SaveShownPng(WindowId window, const std::string& path) const {
  auto it = frames_.find(window);
  if (it == frames_.end() || !it->second.shown) return false;
  return cairo_surface_write_to_png(it->second.shown.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void HeadlessBackend::StartTextInput(WindowId, const Rect& caret_client) {
  text_input_ = true;
  text_caret_ = caret_client;
}

void HeadlessBackend::StopTextInput() {
  text_input_ = false;
}

bool HeadlessBackend::SetClipboardText(const std::string& text) {
  clipboard_ = text;
  return true;
}

bool HeadlessBackend::Wait(std::optional<Milliseconds> timeout, BackendEvents&) {
  if (fail_next_wait_) {
    fail_next_wait_ = false;
    return false;
  }
  {
    std::lock_guard lock(wake_mutex_);
    if (wake_pending_) {
      wake_pending_ = false;
      return true;
    }
  }
  if (timeout && timeout->count() == 0) return true;
  if (idle_) return idle_();
  // Nothing can arrive but another thread's post: wait for its wake-up.
  std::unique_lock lock(wake_mutex_);
  woken_.wait(lock, [this] { return wake_pending_; });
  wake_pending_ = false;
  return true;
}

void HeadlessBackend::Wake() {
  {
    std::lock_guard lock(wake_mutex_);
    wake_pending_ = true;
  }
  woken_.notify_all();
}

}  // namespace platform
