// A dialog on a real X server: a private Xvfb, the SDL window system, clicks
// and keys injected through XTest, and a screenshot of what the server shows,
// saved in the build folder and sampled. Skipped when Xvfb is not installed.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/window/VirtualKeys.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/StateButton.h"
#include "uilib/testing/XvfbUi.h"

namespace tumi {
namespace {

namespace msg = platform::msg;
using testing::Notification;
using testing::RecordingDialog;
using testing::SkinFixture;
using testing::StateButton;
using testing::XvfbUi;

// Records the keys that reach the window, then handles them as any dialog.
class KeyDialog : public RecordingDialog {
 public:
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override {
    if (message == msg::kKeyDown) keys.push_back(static_cast<int>(wparam));
    return RecordingDialog::OnWindowMessage(message, wparam, lparam);
  }
  std::vector<int> keys;
};

struct DialogButton {
  unsigned id;
  Rect rect;
  const char* title;
};
constexpr DialogButton kButtons[] = {
    {10, Rect{20, 20, 140, 60}, "Apply"},
    {11, Rect{160, 20, 280, 60}, "Cancel"},
    {12, Rect{20, 100, 140, 140}, "OK"},
};

// Pixels of the box that are not the frame colour: the title drawn on it.
int TitlePixels(const platform::Screenshot& shot, const Rect& box, Argb frame) {
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) count += shot.Pixel(x, y) != (frame & 0xFFFFFF);
  }
  return count;
}

TEST(MDialogDisplayTest, ButtonsAreDrawnHoveredAndClickedThroughTheXServer) {
  if (!XvfbUi::Available()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbUi ui;
  ASSERT_TRUE(ui.Started()) << ui.Why();
  ASSERT_TRUE(ui.AddStrip("btn.png", 120, 40, 4));
  StateButton::Register();

  KeyDialog dialog;
  dialog.on_init = [](RecordingDialog& d, const Rect&) {
    for (const DialogButton& entry : kButtons) {
      MControl* button = d.CreateControl("StateButton", entry.id, entry.rect, entry.title);
      ASSERT_NE(button, nullptr);
      static_cast<StateButton*>(button)->SetImage("btn.png", 4);
    }
  };
  ASSERT_NE(dialog.Create(platform::kNoWindow, Rect{100, 80, 400, 240}), platform::kNoWindow);
  const WindowId window = dialog.GetSafeHwnd();
  dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));

  const Argb normal = SkinFixture::StateColor(0) & 0xFFFFFF;
  const Argb hover = SkinFixture::StateColor(1) & 0xFFFFFF;
  EXPECT_EQ(ui.WaitForPixel(window, {24, 24}, normal), normal);

  // The pointer over "Cancel" shows its hover frame.
  ASSERT_TRUE(ui.MoveTo(window, {220, 40}));
  EXPECT_EQ(ui.WaitForPixel(window, {164, 24}, hover), hover);
  EXPECT_EQ(ui.WaitForPixel(window, {24, 24}, normal), normal);

  // A click on it is a press and a completed click, in that order.
  ASSERT_TRUE(ui.Click(window, {220, 40}));
  EXPECT_TRUE(ui.PumpUntil([&] { return dialog.notifications.size() >= 2; }));
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{11, kNotifyPressed, 0, 0}, {11, kNotifyActivated, 0, 0}}));

  // Keys reach the window under the pointer as virtual keys.
  ASSERT_TRUE(ui.TapKey("Return"));
  ASSERT_TRUE(ui.TapKey("a"));
  EXPECT_TRUE(ui.PumpUntil([&] { return dialog.keys.size() >= 2; }));
  EXPECT_EQ(dialog.keys, (std::vector<int>{platform::vk::kReturn, 'A'}));

  // The screenshot shows the three buttons drawn with their titles.
  const std::string path = ui.SaveScreenshot(window, "mdialog_buttons");
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(std::filesystem::exists(path));
  platform::Screenshot shot = ui.Shot(window);
  ASSERT_EQ(shot.Width(), 300);
  ASSERT_EQ(shot.Height(), 160);
  EXPECT_EQ(shot.Pixel(24, 24), normal);
  EXPECT_EQ(shot.Pixel(164, 24), hover);  // still under the pointer
  EXPECT_EQ(shot.Pixel(24, 104), normal);
  for (const DialogButton& entry : kButtons) {
    SCOPED_TRACE(entry.title);
    const Argb frame = entry.id == 11 ? hover : normal;
    EXPECT_GT(TitlePixels(shot, entry.rect, frame), 20);
  }
}

}  // namespace
}  // namespace tumi
