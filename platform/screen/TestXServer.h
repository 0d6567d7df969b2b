#pragma once
// Test support: a private Xvfb on a free display number, stopped with the
// object, and painting on its root window.
#include <cstdint>
#include <string>

#include "platform/system/SpawnedProcess.h"

namespace platform {

class TestXServer {
 public:
  static bool Available();

  TestXServer() = default;
  ~TestXServer();
  TestXServer(const TestXServer&) = delete;
  TestXServer& operator=(const TestXServer&) = delete;

  bool Start(int width, int height);
  void Stop();
  // ":N"
  const std::string& Display() const { return display_; }

  // Paints the rectangle of the root window in 0x00RRGGBB.
  bool Fill(int x, int y, int width, int height, uint32_t rgb);
  // Presses or releases the key of an X key code through XTest.
  bool PressKey(uint32_t keycode, bool press);

 private:
  std::string display_;
  SpawnedProcess server_;
};

}  // namespace platform
