#include "platform/window/testing/TestDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// clang-format on

extern char** environ;

namespace platform {

namespace {

constexpr int kServerStartTimeoutMs = 10000;

// SDL's video setup and the X input method of the first window shown keep
// allocations for the process's life (D-Bus, XIM); they are not our leaks.
class ProcessLifetimeAllocations {
#if defined(__SANITIZE_ADDRESS__)
  __lsan::ScopedDisabler disabler_;
#endif
};

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Reads the line Xvfb writes to -displayfd once it listens; empty when it
// exits first or takes too long.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  pollfd waiting{fd, POLLIN, 0};
  while (poll(&waiting, 1, kServerStartTimeoutMs) == 1) {
    char c = 0;
    if (read(fd, &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  return number;
}

}  // namespace

bool TestDisplay::Available() {
  return !FindOnPath("Xvfb").empty();
}

TestDisplay::~TestDisplay() {
  Stop();
}

bool TestDisplay::StartServer(int width, int height, std::string* why) {
  const std::string program = FindOnPath("Xvfb");
  if (program.empty()) {
    *why = "Xvfb is not installed";
    return false;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    *why = "no pipe for Xvfb";
    return false;
  }
  // The write end goes to the server as fd 3; every other descriptor of ours
  // stays closed to it (close-on-exec).
  constexpr int kServerFd = 3;
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(kServerFd);
  const char* argv[] = {program.c_str(), "-displayfd", fd.c_str(), "-screen",    "0",
                        screen.c_str(),  "-nolisten",  "tcp",      "-terminate", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], kServerFd);
  pid_t pid = 0;
  const int rc =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    *why = "Xvfb could not be started";
    return false;
  }
  server_pid_ = pid;
  const std::string number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (number.empty()) {
    *why = "Xvfb reported no display";
    return false;
  }
  name_ = ":" + number;
  return true;
}

bool TestDisplay::Start(int width, int height, std::string* why) {
  std::string ignored;
  if (!why) why = &ignored;
  Stop();
  if (!StartServer(width, height, why)) {
    Stop();
    return false;
  }
  x_ = XOpenDisplay(name_.c_str());
  if (!x_) {
    *why = "cannot connect to Xvfb on " + name_;
    Stop();
    return false;
  }
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(x_, &event_base, &error_base, &major, &minor)) {
    *why = "Xvfb has no XTest extension";
    Stop();
    return false;
  }

  const char* display = std::getenv("DISPLAY");
  had_display_ = display != nullptr;
  old_display_ = display ? display : "";
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  had_driver_ = driver != nullptr;
  old_driver_ = driver ? driver : "";
  setenv("DISPLAY", name_.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);  // never a Wayland session the test runs in

  {
    [[maybe_unused]] ProcessLifetimeAllocations lifetime;
    system_ = CreateWindowSystem("sdl", why);
    if (system_) {
      // The first window shown sets up the X input method; do it here, so
      // the test's own windows start from a settled state.
      WindowId first = system_->Create(WindowParams{"", Rect{0, 0, 1, 1}, kStyleTool});
      system_->Show(first, ShowCommand::kShowNoActivate);
      system_->Pump();
      system_->Destroy(first);
      system_->Pump();
    }
  }
  if (!system_) {
    Stop();
    return false;
  }
  return true;
}

void TestDisplay::RestoreEnvironment() {
  if (name_.empty()) return;
  if (had_display_) {
    setenv("DISPLAY", old_display_.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
  if (had_driver_) {
    setenv("SDL_VIDEODRIVER", old_driver_.c_str(), 1);
  } else {
    unsetenv("SDL_VIDEODRIVER");
  }
}

void TestDisplay::Stop() {
  system_.reset();
  if (x_) {
    XCloseDisplay(x_);
    x_ = nullptr;
  }
  if (server_pid_ > 0) {
    kill(server_pid_, SIGTERM);
    // It ends within moments of SIGTERM; one that hangs is killed.
    for (int i = 0; i < 100; ++i) {
      if (waitpid(server_pid_, nullptr, WNOHANG) != 0) {
        server_pid_ = -1;
        break;
      }
      usleep(10000);
    }
    if (server_pid_ > 0) {
      kill(server_pid_, SIGKILL);
      waitpid(server_pid_, nullptr, 0);
      server_pid_ = -1;
    }
  }
  RestoreEnvironment();
  name_.clear();
}

bool TestDisplay::MovePointer(Point screen) {
  if (!x_) return false;
  const bool sent = XTestFakeMotionEvent(x_, -1, screen.x, screen.y, CurrentTime) != 0;
  XFlush(x_);
  return sent;
}

bool TestDisplay::Button(MouseButton button, bool press) {
  if (!x_) return false;
  const bool sent = XTestFakeButtonEvent(x_, static_cast<unsigned>(button), press ? True : False,
                                         CurrentTime) != 0;
  XFlush(x_);
  return sent;
}

bool TestDisplay::Click(Point screen, MouseButton button) {
  if (!MovePointer(screen)) return false;
  // The window system sees the pointer arrive (hover) before the press.
  Settle();
  if (!Button(button, true)) return false;
  Settle();
  return Button(button, false);
}

bool TestDisplay::Key(const std::string& keysym, bool press) {
  if (!x_) return false;
  const KeySym sym = XStringToKeysym(keysym.c_str());
  if (sym == NoSymbol) return false;
  const KeyCode code = XKeysymToKeycode(x_, sym);
  if (code == 0) return false;
  const bool sent = XTestFakeKeyEvent(x_, code, press ? True : False, CurrentTime) != 0;
  XFlush(x_);
  return sent;
}

bool TestDisplay::TapKey(const std::string& keysym) {
  return Key(keysym, true) && Key(keysym, false);
}

Screenshot TestDisplay::Grab(const Rect& screen) {
  if (!x_) return {};
  const int screen_width = DisplayWidth(x_, DefaultScreen(x_));
  const int screen_height = DisplayHeight(x_, DefaultScreen(x_));
  Rect area = screen;
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, screen_width);
  area.bottom = std::min(area.bottom, screen_height);
  if (area.right <= area.left || area.bottom <= area.top) return {};
  XImage* image =
      XGetImage(x_, DefaultRootWindow(x_), area.left, area.top, static_cast<unsigned>(area.Width()),
                static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
  if (!image) return {};
  cairo_surface_t* out =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.Width(), area.Height());
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  // A 24-bit TrueColor screen: the pixel value is the colour. Xvfb keeps it
  // in 32-bit words; in the host's byte order they copy as they are.
  const bool direct =
      image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
      image->blue_mask == 0xFF &&
      (image->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
  for (int y = 0; y < area.Height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    if (direct) {
      const auto* source =
          reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
      for (int x = 0; x < area.Width(); ++x) row[x] = source[x] & 0xFFFFFF;
    } else {
      for (int x = 0; x < area.Width(); ++x)
        row[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    }
  }
  cairo_surface_mark_dirty(out);
  XDestroyImage(image);
  return Screenshot(out);
}

Screenshot TestDisplay::GrabWindow(WindowId window) {
  if (!system_) return {};
  return Grab(system_->Bounds(window));
}

void TestDisplay::Settle() {
  if (!x_ || !system_) return;
  XSync(x_, False);
  system_->Pump();
  // The server's events to the window system's own connection may still be
  // on their way; a moment and a second pump take them.
  clock_.SleepFor(Milliseconds{5});
  system_->Pump();
}

bool TestDisplay::PumpUntil(const std::function<bool()>& done, Milliseconds timeout) {
  const Milliseconds end = clock_.Now() + timeout;
  for (;;) {
    if (system_) system_->Pump();
    if (done()) return true;
    if (clock_.Now() >= end) return false;
    clock_.SleepFor(Milliseconds{10});
  }
}

std::uint32_t TestDisplay::WaitForPixel(Point screen, std::uint32_t rgb, Milliseconds timeout) {
  std::uint32_t seen = 0;
  PumpUntil(
      [&] {
        seen = Grab(Rect{screen.x, screen.y, screen.x + 1, screen.y + 1}).Pixel(0, 0);
        return seen == rgb;
      },
      timeout);
  return seen;
}

}  // namespace platform
