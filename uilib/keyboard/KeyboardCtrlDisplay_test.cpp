// The keyboard picture of the shipped layout on a real X server with the real
// skin, in each of its five display modes: every mode saved as a screenshot in
// the build folder and sampled where it must differ. Skipped when Xvfb is not
// installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "uilib/keyboard/KeyboardCtrl.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/XvfbUi.h"

namespace tumi {
namespace {

using testing::RecordingDialog;
using testing::XvfbUi;

constexpr unsigned kControlId = 67;
constexpr int kShow = static_cast<int>(platform::ShowCommand::kShow);

struct LayoutKey {
  std::uint32_t code = 0;
  std::string name;
  std::string desc;
  Rect rect;  // picture pixels
};

struct Layout {
  Rect picture;  // where the main window puts the picture
  std::string image;
  std::vector<LayoutKey> keys;
};

std::map<std::string, std::string> Attributes(const std::string& element) {
  static const std::regex kAttribute(R"re((\w+)="([^"]*)")re");
  std::map<std::string, std::string> out;
  for (auto it = std::sregex_iterator(element.begin(), element.end(), kAttribute);
       it != std::sregex_iterator(); ++it) {
    out[(*it)[1]] = (*it)[2];
  }
  return out;
}

int Number(const std::string& text) {
  return static_cast<int>(std::strtol(text.c_str(), nullptr, 0));
}

// The keyboard element of the layout file and its keys; enough of the file
// for the picture (the program's own reader is not part of the UI library).
Layout ReadLayout(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  const std::string xml = text.str();
  Layout layout;
  std::smatch m;
  if (std::regex_search(xml, m, std::regex(R"(<Keyboard\s[^>]*>)"))) {
    auto a = Attributes(m.str());
    layout.picture = Rect::FromSize(Number(a["xpos"]), Number(a["ypos"]), Number(a["width"]),
                                    Number(a["height"]));
    layout.image = a["image"];
  }
  static const std::regex kKey(R"(<key\s[^>]*/>)");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), kKey); it != std::sregex_iterator();
       ++it) {
    auto a = Attributes(it->str());
    LayoutKey key;
    key.code = static_cast<std::uint32_t>(Number(a["code"]));
    key.name = a["name"];
    key.desc = a["desc"];
    int v[4] = {0, 0, 0, 0};
    std::stringstream parts(a["rect"]);
    std::string part;
    for (int i = 0; i < 4 && std::getline(parts, part, '#'); ++i) v[i] = Number(part);
    key.rect = Rect::FromSize(v[0], v[1], v[2], v[3]);
    layout.keys.push_back(key);
  }
  return layout;
}

class KeyboardCtrlDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbUi::Available()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(ui.Started()) << ui.Why();
    layout = ReadLayout(std::string(TESSARO_SOURCE_DIR) + "/data/layouts/norvik_q700.xml");
    ASSERT_EQ(layout.keys.size(), 104u);
    ASSERT_FALSE(layout.image.empty());

    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      kb = static_cast<KeyboardCtrl*>(d.CreateControl("KeyboardCtrl", kControlId, layout.picture));
    };
    ASSERT_NE(dialog.Create(platform::kNoWindow, Rect{0, 0, 1280, 720}), platform::kNoWindow);
    ASSERT_EQ(dialog.LoadBKImage("main_bkg.png"), 1);
    ASSERT_NE(kb, nullptr);
    ASSERT_TRUE(kb->SetKeyboardImage("keyboard\\" + layout.image));
    kb->SetWidthAndHeight(layout.picture.Width(), layout.picture.Height());
    for (const LayoutKey& key : layout.keys) {
      kb->AddKeyItem(key.name, key.desc, key.code, key.rect, "");
    }
    dialog.ShowWindow(kShow);
  }

  // A key's rectangle in the dialog.
  Rect OnScreen(const LayoutKey& key) const {
    return key.rect.Offset(layout.picture.left + kb->GetPictureOffset().x,
                           layout.picture.top + kb->GetPictureOffset().y);
  }
  // The middle of the key's left edge, where its outline runs, and a point
  // inside the key clear of its label.
  Point Edge(const LayoutKey& key) const {
    Rect r = OnScreen(key);
    return {r.left, (r.top + r.bottom) / 2};
  }
  Point Inside(const LayoutKey& key) const {
    Rect r = OnScreen(key);
    return {r.left + 4, r.top + 4};
  }
  const LayoutKey& Key(std::uint32_t code) const {
    for (const LayoutKey& key : layout.keys) {
      if (key.code == code) return key;
    }
    return layout.keys.front();
  }
  // Shows the mode, waits for the sampled pixel and saves the screenshot.
  platform::Screenshot ShowMode(int mode, Point probe, std::uint32_t expected) {
    kb->SetKeyboardCtrlMode(mode);
    EXPECT_EQ(ui.WaitForPixel(dialog.GetSafeHwnd(), probe, expected), expected) << mode;
    platform::Screenshot shot = ui.Shot(dialog.GetSafeHwnd());
    EXPECT_FALSE(XvfbUi::SaveScreenshot(shot, "keyboard_mode_" + std::to_string(mode)).empty());
    return shot;
  }

  XvfbUi ui{XvfbUi::Skin::kProgram};
  Layout layout;
  RecordingDialog dialog;
  KeyboardCtrl* kb = nullptr;
};

TEST_F(KeyboardCtrlDisplayTest, EachDisplayModeShowsTheLayoutsKeys) {
  const LayoutKey& esc = Key(0x1B);
  const LayoutKey& w = Key('W');
  const LayoutKey& space = Key(0x20);
  ASSERT_EQ(esc.name, "Esc");
  ASSERT_EQ(w.name, "W");

  // 100: keys as filled boxes with their names, no picture.
  platform::Screenshot keys = ShowMode(kKeyboardModeKeys, Inside(esc), 0x007ACC);
  EXPECT_EQ(keys.Pixel(Inside(space).x, Inside(space).y), 0x007ACCu);
  int label = 0;
  const Rect esc_box = OnScreen(esc);
  for (int x = esc_box.left + 6; x < esc_box.right - 6; ++x) {
    label += keys.Pixel(x, (esc_box.top + esc_box.bottom) / 2) != 0x007ACC;
  }
  EXPECT_GT(label, 2) << "the key's name is drawn on it";

  // 101: the picture, with checked and selected keys outlined.
  kb->SetKeyCheck(0x1B, 1);
  kb->SetSelectItem(static_cast<int>(&w - layout.keys.data()));
  platform::Screenshot select = ShowMode(kKeyboardModeSelect, Edge(esc), 0xFF7D00);
  EXPECT_EQ(select.Pixel(Edge(w).x, Edge(w).y), 0xFF7D00u);
  EXPECT_NE(select.Pixel(Edge(space).x, Edge(space).y), 0xFF7D00u);
  EXPECT_NE(select.Pixel(Inside(esc).x, Inside(esc).y), 0x007ACCu) << "the picture, not boxes";

  // 102: the light preview outlines every key with its frame's alpha.
  std::vector<std::uint8_t> frame(layout.keys.size(), 0);
  frame[0] = 255;  // Esc is the first key
  kb->SetLightModeData(frame.data(), static_cast<int>(frame.size()));
  platform::Screenshot preview = ShowMode(kKeyboardModePreview, Edge(esc), 0x00FFFF);
  EXPECT_NE(preview.Pixel(Edge(space).x, Edge(space).y), 0x00FFFFu);

  // 103: painting shows each key's own colour (colour references, red low).
  kb->ResetAllItemsColor(0x00FF00);
  kb->SetKeyColor(0x1B, 0x0000FF);
  platform::Screenshot paint = ShowMode(kKeyboardModePaint, Edge(esc), 0xFF0000);
  EXPECT_EQ(paint.Pixel(Edge(space).x, Edge(space).y), 0x00FF00u);

  // 104: the colours the light engines drive.
  kb->ResetAllItemsColor(0xFF0000);
  platform::Screenshot music = ShowMode(kKeyboardModeMusic, Edge(space), 0x0000FF);
  EXPECT_EQ(music.Pixel(Edge(w).x, Edge(w).y), 0x0000FFu);
}

}  // namespace
}  // namespace tumi
