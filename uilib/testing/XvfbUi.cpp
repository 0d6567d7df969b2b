#include "uilib/testing/XvfbUi.h"

#include <filesystem>

#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi::testing {

XvfbUi::XvfbUi(Skin skin, int screen_width, int screen_height)
    : previous_system_(Manager::GetWindowSystem()), previous_folder_(Manager::GetProgramFolder()) {
  if (!display_.Start(screen_width, screen_height, &why_)) return;
  Manager::SetWindowSystem(&display_.System());
  Manager::SetProgramFolder(skin == Skin::kProgram ? std::string(TESSARO_PROGRAM_DIR)
                                                   : folder_.Path());
  if (skin == Skin::kScratch) {
    std::filesystem::create_directories(SkinFolder());
  } else if (!std::filesystem::is_directory(SkinFolder())) {
    why_ = "the build has no skin in " + SkinFolder() + " (build the whole tree first)";
    display_.Stop();
  }
}

XvfbUi::~XvfbUi() {
  // Windows still open are destroyed with the window system, without their
  // handlers being called.
  display_.Stop();
  Manager::SetWindowSystem(previous_system_);
  Manager::SetProgramFolder(previous_folder_);
}

std::string XvfbUi::SkinFolder() const {
  return Manager::GetSkinFolder();
}

std::string XvfbUi::SkinFile(const std::string& name) const {
  return SkinPath::Join(SkinFolder(), name);
}

bool XvfbUi::AddStrip(const std::string& name, int frame_width, int frame_height, int count) {
  return SkinFixture::WriteStrip(SkinFile(name), frame_width, frame_height, count);
}

platform::Point XvfbUi::ToScreen(platform::WindowId window, Point client) {
  return System().ClientToScreen(window, platform::Point{client.x, client.y});
}

bool XvfbUi::MoveTo(platform::WindowId window, Point client) {
  if (!Started() || !display_.MovePointer(ToScreen(window, client))) return false;
  display_.Settle();
  return true;
}

bool XvfbUi::Click(platform::WindowId window, Point client) {
  if (!Started() || !display_.Click(ToScreen(window, client))) return false;
  display_.Settle();
  return true;
}

bool XvfbUi::TapKey(const std::string& keysym) {
  if (!Started() || !display_.TapKey(keysym)) return false;
  display_.Settle();
  return true;
}

std::uint32_t XvfbUi::WaitForPixel(platform::WindowId window, Point client, std::uint32_t rgb) {
  return display_.WaitForPixel(ToScreen(window, client), rgb);
}

std::string XvfbUi::ScreenshotFolder() {
  return std::string(TESSARO_BUILD_DIR) + "/screenshots";
}

std::string XvfbUi::SaveScreenshot(platform::WindowId window, const std::string& name) {
  return SaveScreenshot(Shot(window), name);
}

std::string XvfbUi::SaveScreenshot(const platform::Screenshot& shot, const std::string& name) {
  const std::string path = ScreenshotFolder() + "/" + name + ".png";
  return shot.SavePng(path) ? path : std::string();
}

}  // namespace tumi::testing
