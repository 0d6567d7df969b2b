#include "platform/screen/TestXServer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace platform {

namespace {

// The process id an X server writes into its display's lock file.
int LockOwner(const std::string& lock) {
  std::ifstream file(lock);
  int pid = -1;
  file >> pid;
  return file ? pid : -1;
}

}  // namespace

bool TestXServer::Available() {
  return SpawnedProcess::OnPath("Xvfb");
}

TestXServer::~TestXServer() {
  Stop();
}

bool TestXServer::Start(int width, int height) {
  for (int number = 90; number < 190; ++number) {
    const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    if (access(lock.c_str(), F_OK) == 0 || access(socket.c_str(), F_OK) == 0) continue;
    const std::string display = ":" + std::to_string(number);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // -noreset: the picture painted by a client that disconnected stays.
    if (!server_.Start({"Xvfb", display, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}))
      return false;
    for (int i = 0; i < 500 && server_.Running(); ++i) {
      if (::Display* probe = XOpenDisplay(display.c_str())) {
        XCloseDisplay(probe);
        // The server answering must be ours, not one that won the number in
        // a race while ours is about to give up.
        if (LockOwner(lock) != server_.Pid()) break;
        display_ = display;
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    server_.Stop();  // lost a race for the number, or it did not come up: the next one
  }
  return false;
}

void TestXServer::Stop() {
  server_.Stop();
  display_.clear();
}

bool TestXServer::Fill(int x, int y, int width, int height, uint32_t rgb) {
  ::Display* display = XOpenDisplay(display_.c_str());
  if (display == nullptr) return false;
  const Window root = DefaultRootWindow(display);
  GC gc = XCreateGC(display, root, 0, nullptr);
  XSetForeground(display, gc, rgb);  // a 24-bit TrueColor visual: the pixel is the colour
  XSetSubwindowMode(display, gc, IncludeInferiors);
  XFillRectangle(display, root, gc, x, y, static_cast<unsigned>(width),
                 static_cast<unsigned>(height));
  XFreeGC(display, gc);
  XSync(display, False);
  XCloseDisplay(display);
  return true;
}

bool TestXServer::PressKey(uint32_t keycode, bool press) {
  ::Display* display = XOpenDisplay(display_.c_str());
  if (display == nullptr) return false;
  const bool sent = XTestFakeKeyEvent(display, keycode, press ? True : False, CurrentTime) != 0;
  XSync(display, False);
  XCloseDisplay(display);
  return sent;
}

}  // namespace platform
