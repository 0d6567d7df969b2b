#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/window/WindowSystem.h"

namespace platform {
namespace {

TEST(CreateWindowSystem, PicksTheBackendByNameOrEnvironment) {
  std::string error;
  std::unique_ptr<WindowSystem> headless = CreateWindowSystem("headless", &error);
  ASSERT_NE(headless, nullptr);
  EXPECT_EQ(headless->BackendName(), "headless");

  EXPECT_EQ(CreateWindowSystem("gdi", &error), nullptr);
  EXPECT_NE(error.find("gdi"), std::string::npos);

  setenv("TESSARO_WINDOW_BACKEND", "headless", 1);
  std::unique_ptr<WindowSystem> chosen = CreateWindowSystem("", &error);
  unsetenv("TESSARO_WINDOW_BACKEND");
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->BackendName(), "headless");
  EXPECT_EQ(WindowBackendNames(), (std::vector<std::string>{"sdl", "headless"}));
}

}  // namespace
}  // namespace platform
