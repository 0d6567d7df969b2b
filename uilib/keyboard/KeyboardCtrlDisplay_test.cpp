// The keyboard picture of the served layout on a real X server, in each
// drawing mode: the built skin's picture with the layout file's keys. Each
// mode's screenshot is saved in the build folder. Skipped without Xvfb.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "uilib/core/Manager.h"
#include "uilib/keyboard/KeyboardCtrl.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/XvfbUi.h"

namespace tumi {
namespace {

using testing::RecordingDialog;
using testing::XvfbUi;

struct LayoutKey {
  uint32_t code = 0;
  std::string name;
  std::string desc;
  Rect rect;
};

std::string Unescape(std::string text) {
  static const std::pair<const char*, const char*> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : kEntities) {
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
      text.replace(at, std::string(entity).size(), plain);
    }
  }
  return text;
}

// The keys of a layout file, as its loader hands them to the picture.
std::vector<LayoutKey> ReadLayoutKeys(const std::string& path) {
  static const std::regex kKey(
      R"re(<key code="0x([0-9A-Fa-f]+)" name="([^"]*)" desc="([^"]*)".* rect="(\d+)#(\d+)#(\d+)#(\d+)")re");
  std::vector<LayoutKey> keys;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, kKey)) continue;
    LayoutKey key;
    key.code = static_cast<uint32_t>(std::stoul(m[1], nullptr, 16));
    key.name = Unescape(m[2]);
    key.desc = Unescape(m[3]);
    key.rect = Rect::FromSize(std::stoi(m[4]), std::stoi(m[5]), std::stoi(m[6]), std::stoi(m[7]));
    keys.push_back(key);
  }
  return keys;
}

constexpr int kPictureWidth = 935;
constexpr int kPictureHeight = 287;
constexpr Point kAt{20, 20};

TEST(KeyboardCtrlDisplayTest, LayoutPictureInEveryMode) {
  if (!XvfbUi::Available()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbUi ui(XvfbUi::Skin::kProgram);
  ASSERT_TRUE(ui.Started()) << ui.Why();
  const std::vector<LayoutKey> keys =
      ReadLayoutKeys(Manager::GetProgramFolder() + "/layouts/norvik_q700.xml");
  ASSERT_EQ(keys.size(), 104u);

  KeyboardCtrl* kb = nullptr;
  RecordingDialog dialog;
  dialog.on_init = [&kb](RecordingDialog& d, const Rect&) {
    kb = static_cast<KeyboardCtrl*>(d.CreateControl(
        "KeyboardCtrl", 67, Rect::FromSize(kAt.x, kAt.y, kPictureWidth, kPictureHeight)));
  };
  ASSERT_NE(dialog.Create(platform::kNoWindow, Rect{40, 40, 1015, 367}), platform::kNoWindow);
  ASSERT_NE(kb, nullptr);
  ASSERT_TRUE(kb->SetKeyboardImage("keyboard\\norvik_q700.png"));
  kb->SetWidthAndHeight(kPictureWidth, kPictureHeight);
  for (const LayoutKey& key : keys) kb->AddKeyItem(key.name, key.desc, key.code, key.rect, "");
  const WindowId window = dialog.GetSafeHwnd();
  dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));

  const Rect esc = keys.front().rect.Offset(kAt.x, kAt.y);
  const Point esc_edge{esc.left, (esc.top + esc.bottom) / 2};
  const Point esc_corner{esc.left + 3, esc.top + 3};
  // The first key checked, every key at full preview strength, every key red.
  kb->SetKeyCheck(keys.front().code, 1);
  std::vector<uint8_t> frame(keys.size(), 255);
  kb->SetLightModeData(frame.data(), static_cast<int>(frame.size()));
  kb->ResetAllItemsColor(0x0000FF);
  struct Case {
    int mode;
    Point probe;
    uint32_t rgb;
  } cases[] = {
      {kKeyboardModeKeys, esc_corner, KeyboardCtrl::kKeyFill & 0xFFFFFF},
      {kKeyboardModeSelect, esc_edge, KeyboardCtrl::kSelectOutline & 0xFFFFFF},
      {kKeyboardModePreview, esc_edge, 0x00FFFF},
      {kKeyboardModePaint, esc_edge, 0xFF0000},
      {kKeyboardModeMusic, esc_edge, 0xFF0000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    kb->SetKeyboardCtrlMode(c.mode);
    EXPECT_EQ(ui.WaitForPixel(window, c.probe, c.rgb), c.rgb);
    EXPECT_FALSE(ui.SaveScreenshot(window, "keyboard_mode_" + std::to_string(c.mode)).empty());
  }
}

}  // namespace
}  // namespace tumi
