#include "platform/window/sdl/SdlBackend.h"

#include <algorithm>

#include "platform/window/sdl/SdlKeyTable.h"
#include "platform/window/sdl/X11ArgbVisual.h"
#include "platform/window/sdl/X11FocusKeeper.h"
#include "platform/window/sdl/X11InputShape.h"

namespace platform {

namespace {

SDL_Rect ToSdl(const Rect& r) {
  return SDL_Rect{r.left, r.top, r.Width(), r.Height()};
}
Rect RectFromSdl(const SDL_Rect& r) {
  return Rect{r.x, r.y, r.x + r.w, r.y + r.h};
}

SDL_SystemCursor SdlCursor(CursorShape shape) {
  switch (shape) {
    case CursorShape::kArrow:
      return SDL_SYSTEM_CURSOR_ARROW;
    case CursorShape::kIBeam:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorShape::kWait:
      return SDL_SYSTEM_CURSOR_WAIT;
    case CursorShape::kCross:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorShape::kHand:
      return SDL_SYSTEM_CURSOR_HAND;
    case CursorShape::kSizeWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorShape::kSizeNS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorShape::kSizeAll:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case CursorShape::kNo:
      return SDL_SYSTEM_CURSOR_NO;
  }
  return SDL_SYSTEM_CURSOR_ARROW;
}

}  // namespace

bool SdlBackend::Open(std::string* error) {
  // The program handles SIGINT and SIGTERM itself; and closing the last
  // window is the UI's decision, not a quit.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
  // The plain X11 framebuffer (shared memory), not one drawn through OpenGL:
  // it takes the 32-bit visual's premultiplied pixels as they are.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    if (error) *error = SDL_GetError();
    return false;
  }
  open_ = true;
  wake_event_ = SDL_RegisterEvents(1);
  // SDL starts with text input on; it runs only while an edit wants it.
  SDL_StopTextInput();
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::string_view(driver) == "x11") argb_visual_ = FindX11ArgbVisual();
  return true;
}

SdlBackend::~SdlBackend() {
  for (auto& [id, window] : windows_) SDL_DestroyWindow(window);
  for (auto& [shape, cursor] : cursors_) SDL_FreeCursor(cursor);
  if (open_) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

SDL_Window* SdlBackend::Native(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

WindowId SdlBackend::FromSdl(Uint32 sdl_id) const {
  auto it = by_sdl_id_.find(sdl_id);
  return it == by_sdl_id_.end() ? kNoWindow : it->second;
}

bool SdlBackend::CreateNativeWindow(WindowId window, const WindowParams& params) {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
  if (params.style & kStylePopup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
  if (params.style & kStyleTool) flags |= SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR;
  if (params.style & kStyleTopmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  if (params.style & kStyleResizable) flags |= SDL_WINDOW_RESIZABLE;
  bool alpha = (params.style & kStylePerPixelAlpha) && !argb_visual_.empty();
  if (alpha) SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, argb_visual_.c_str());
  const Rect& b = params.bounds;
  SDL_Window* native = SDL_CreateWindow(params.title.c_str(), b.left, b.top, std::max(b.Width(), 1),
                                        std::max(b.Height(), 1), flags);
  if (alpha) SDL_ResetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
  if (!native) return false;
  if (params.style & kStyleInputTransparent) MakeInputTransparent(native);
  if (params.style & kStyleNoActivate) no_activate_.insert(window);
  windows_[window] = native;
  by_sdl_id_[SDL_GetWindowID(native)] = window;
  return true;
}

void SdlBackend::DestroyNativeWindow(WindowId window) {
  SDL_Window* native = Native(window);
  if (!native) return;
  by_sdl_id_.erase(SDL_GetWindowID(native));
  windows_.erase(window);
  drops_.erase(window);
  no_activate_.erase(window);
  SDL_DestroyWindow(native);
}

void SdlBackend::ShowNativeWindow(WindowId window, ShowCommand command) {
  SDL_Window* native = Native(window);
  if (!native) return;
  switch (command) {
    case ShowCommand::kHide:
      SDL_HideWindow(native);
      break;
    case ShowCommand::kShowMinimized:
    case ShowCommand::kMinimize:
      SDL_ShowWindow(native);
      SDL_MinimizeWindow(native);
      break;
    case ShowCommand::kRestore:
      SDL_ShowWindow(native);
      SDL_RestoreWindow(native);
      break;
    case ShowCommand::kShowNoActivate:
      ShowWithoutFocus(native);
      break;
    default:
      // Maximising is sizing to the work area, which the core has done.
      if (no_activate_.count(window)) {
        ShowWithoutFocus(native);
      } else {
        SDL_ShowWindow(native);
      }
      break;
  }
}

void SdlBackend::SetNativeBounds(WindowId window, const Rect& screen) {
  SDL_Window* native = Native(window);
  if (!native) return;
  SDL_SetWindowPosition(native, screen.left, screen.top);
  SDL_SetWindowSize(native, std::max(screen.Width(), 1), std::max(screen.Height(), 1));
}

void SdlBackend::SetNativeTitle(WindowId window, const std::string& title) {
  if (SDL_Window* native = Native(window)) SDL_SetWindowTitle(native, title.c_str());
}

bool SdlBackend::SetNativeOpacity(WindowId window, std::uint8_t alpha) {
  SDL_Window* native = Native(window);
  return native && SDL_SetWindowOpacity(native, alpha / 255.0f) == 0;
}

void SdlBackend::RaiseNativeWindow(WindowId window, bool) {
  if (SDL_Window* native = Native(window)) SDL_RaiseWindow(native);
}

void SdlBackend::Present(WindowId window, cairo_surface_t* surface, const Rect& damage) {
  SDL_Window* native = Native(window);
  if (!native || damage.IsEmpty()) return;
  SDL_Surface* target = SDL_GetWindowSurface(native);
  if (!target) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      cairo_image_surface_get_data(surface), cairo_image_surface_get_width(surface),
      cairo_image_surface_get_height(surface), 32, cairo_image_surface_get_stride(surface),
      SDL_PIXELFORMAT_ARGB8888);
  if (!source) return;
  // Cairo's premultiplied pixels are what both an opaque window (alpha
  // dropped, colours already over black) and a 32-bit visual want: a copy.
  SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
  SDL_Rect rect = ToSdl(damage);
  SDL_Rect dest = rect;
  SDL_BlitSurface(source, &rect, target, &dest);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurfaceRects(native, &rect, 1);
}

void SdlBackend::SetCursorShape(CursorShape shape) {
  SDL_Cursor*& cursor = cursors_[shape];
  if (!cursor) cursor = SDL_CreateSystemCursor(SdlCursor(shape));
  if (cursor) SDL_SetCursor(cursor);
}

void SdlBackend::CaptureMouse(bool capture) {
  SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void SdlBackend::StartTextInput(WindowId, const Rect& caret_client) {
  SDL_Rect rect = ToSdl(caret_client);
  SDL_SetTextInputRect(&rect);
  SDL_StartTextInput();
}

void SdlBackend::StopTextInput() {
  SDL_StopTextInput();
}

bool SdlBackend::SetClipboardText(const std::string& text) {
  return SDL_SetClipboardText(text.c_str()) == 0;
}

std::string SdlBackend::ClipboardText() const {
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string out(text);
  SDL_free(text);
  return out;
}

std::vector<Monitor> SdlBackend::Monitors() const {
  std::vector<Monitor> monitors;
  int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    SDL_Rect usable;
    if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
    if (SDL_GetDisplayUsableBounds(i, &usable) != 0) usable = bounds;
    monitors.push_back(Monitor{RectFromSdl(bounds), RectFromSdl(usable)});
  }
  if (monitors.empty()) monitors.push_back(Monitor{Rect{0, 0, 1024, 768}, Rect{0, 0, 1024, 768}});
  return monitors;
}

std::optional<Point> SdlBackend::GlobalPointer() const {
  Point p;
  SDL_GetGlobalMouseState(&p.x, &p.y);
  return p;
}

Point SdlBackend::PointerIn(WindowId window) const {
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  int wx = 0;
  int wy = 0;
  if (SDL_Window* native = Native(window)) SDL_GetWindowPosition(native, &wx, &wy);
  return {x - wx, y - wy};
}

bool SdlBackend::Wait(std::optional<Milliseconds> timeout, BackendEvents& events) {
  SDL_Event event;
  bool any = false;
  while (SDL_PollEvent(&event)) {
    Translate(event, events);
    any = true;
  }
  if (any || (timeout && timeout->count() == 0)) return true;
  SDL_ClearError();
  int got = timeout ? SDL_WaitEventTimeout(
                          &event, static_cast<int>(std::min<long long>(timeout->count(), 1 << 30)))
                    : SDL_WaitEvent(&event);
  if (got) {
    Translate(event, events);
    while (SDL_PollEvent(&event)) Translate(event, events);
    return true;
  }
  // Without a timeout, coming back empty-handed is a failure of the display.
  return timeout.has_value();
}

void SdlBackend::Wake() {
  if (wake_pending_.exchange(true)) return;
  SDL_Event event{};
  event.type = wake_event_;
  if (SDL_PushEvent(&event) != 1) wake_pending_ = false;
}

void SdlBackend::Translate(const SDL_Event& event, BackendEvents& events) {
  if (event.type == wake_event_) {
    wake_pending_ = false;
    return;
  }
  switch (event.type) {
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window, events);
      break;
    case SDL_MOUSEMOTION:
      if (WindowId id = FromSdl(event.motion.windowID)) {
        events.OnPointerMove(id, {event.motion.x, event.motion.y});
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      WindowId id = FromSdl(event.button.windowID);
      MouseButton button = event.button.button == SDL_BUTTON_RIGHT    ? MouseButton::kRight
                           : event.button.button == SDL_BUTTON_MIDDLE ? MouseButton::kMiddle
                                                                      : MouseButton::kLeft;
      if (id && event.button.button <= SDL_BUTTON_RIGHT) {
        events.OnButton(id, button, event.type == SDL_MOUSEBUTTONDOWN,
                        {event.button.x, event.button.y});
      }
      break;
    }
    case SDL_MOUSEWHEEL:
      if (WindowId id = FromSdl(event.wheel.windowID)) {
        int notches =
            event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches != 0) events.OnWheel(id, notches * 120, PointerIn(id));
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      WindowId id = FromSdl(event.key.windowID);
      int key = VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
      if (key != 0) {
        events.OnKey(id, key, 0, IsExtendedKey(event.key.keysym.scancode),
                     event.type == SDL_KEYDOWN);
      }
      break;
    }
    case SDL_TEXTINPUT:
      events.OnText(FromSdl(event.text.windowID), event.text.text);
      break;
    case SDL_TEXTEDITING:
      events.OnComposition(FromSdl(event.edit.windowID),
                           Composition{event.edit.text, event.edit.start, event.edit.length});
      break;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPCOMPLETE:
      TranslateDrop(event.drop, events);
      break;
    default:
      break;
  }
}

void SdlBackend::TranslateWindowEvent(const SDL_WindowEvent& event, BackendEvents& events) {
  WindowId id = FromSdl(event.windowID);
  SDL_Window* native = Native(id);
  if (!native) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
      events.OnExposed(id);
      break;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      int x = 0;
      int y = 0;
      int w = 0;
      int h = 0;
      SDL_GetWindowPosition(native, &x, &y);
      SDL_GetWindowSize(native, &w, &h);
      events.OnBoundsChanged(id, Rect{x, y, x + w, y + h});
      break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
      events.OnMinimized(id, true);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      events.OnMinimized(id, false);
      break;
    case SDL_WINDOWEVENT_LEAVE:
      events.OnPointerLeave(id);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      events.OnFocus(id, true);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      events.OnFocus(id, false);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      events.OnCloseRequest(id);
      break;
    default:
      break;
  }
}

void SdlBackend::TranslateDrop(const SDL_DropEvent& event, BackendEvents& events) {
  WindowId id = FromSdl(event.windowID);
  if (event.type == SDL_DROPFILE) {
    if (event.file) {
      if (id) drops_[id].push_back(event.file);
      SDL_free(event.file);
    }
    return;
  }
  if (event.type == SDL_DROPCOMPLETE && id) {
    std::vector<std::string> paths = std::move(drops_[id]);
    drops_.erase(id);
    events.OnDropFiles(id, paths, PointerIn(id));
  }
}

}  // namespace platform
