#include "uilib/keyboard/KeyFuncControl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"
#include "uilib/keyboard/KeyFuncButton.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::SkinFixture;

constexpr unsigned kId = 69;
constexpr Point kOrigin{10, 10};
constexpr Argb kIconColor = 0xFF123456;

class KeyFuncControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("img_customkey.png", 36, 28, 4));
    // Only the first icon exists: the others draw as frames alone.
    std::filesystem::create_directories(ui.SkinFolder() + "/icon");
    auto icon = MRender::CreateARGB32Bitmap(20, 20);
    {
      Graphics g(*icon);
      MRender::FillSolidRect(g, Rect{0, 0, 20, 20}, ColorRefFromArgb(kIconColor));
    }
    ASSERT_TRUE(MRender::SaveBitmapToFile(*icon, ui.SkinFile("icon/icon_pc.png")));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      auto control = std::make_unique<KeyFuncControl>(&d, kId, Rect{10, 10, 920, 290}, 1);
      grid = static_cast<KeyFuncControl*>(d.GetPaintManager().AddControl(std::move(control)));
      grid->SetImage("img_customkey.png", 4);
      grid->SetFontWidth(10);
      grid->InitItemInfo();
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 960, 320});
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }

  static Point At(int x, int y) { return {kOrigin.x + x, kOrigin.y + y}; }
  Argb Shown(Point p) {
    ui.Pump();
    return ui.System().ShownPixel(id, {p.x, p.y});
  }
  void Move(Point p) {
    ui.System().MovePointer(id, {p.x, p.y});
    ui.Pump();
  }
  void Click(Point p) {
    Move(p);
    ui.System().Click(id, {p.x, p.y});
    ui.Pump();
  }
  PaintManager& pm() { return dialog.GetPaintManager(); }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
  KeyFuncControl* grid = nullptr;
};

TEST_F(KeyFuncControlTest, ClickReportsTheButtonUnderThePointer) {
  ASSERT_EQ(grid->GetItemCount(), 122);
  int first = 7, data = 0, key = -1, second = -1;
  std::string text;
  EXPECT_FALSE(grid->GetCurItemData(first, data, key, second, text));
  struct Case {
    Point p;   // relative to the grid
    int code;  // 0: no button
  } cases[] = {
      {{18, 52}, 41},    // Esc
      {{50, 52}, 0},     // the gap after Esc
      {{20, 10}, 249},   // the first function icon
      {{46, 10}, 0},     // between icons
      {{880, 120}, 87},  // numeric "+", upper half
      {{880, 160}, 87},  // numeric "+", lower half
      {{880, 230}, 88},  // numeric Enter, lower half
      {{560, 150}, 40},  // main Enter
      {{440, 90}, 45},   // "-" of the main block
      {{880, 90}, 86},   // "-" of the numeric pad
      {{850, 220}, 99},  // the wide numeric "."
      {{700, 150}, 0},   // beside the arrow keys
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    Click(At(c.p.x, c.p.y));
    int index = grid->HitTest(At(c.p.x, c.p.y));
    ASSERT_EQ(dialog.notifications.back(),
              (Notification{kId, kNotifyPressed,
                            static_cast<std::uintptr_t>(static_cast<std::intptr_t>(index)), 0}));
    ASSERT_EQ(grid->GetCurItemData(first, data, key, second, text), c.code != 0);
    if (c.code == 0) continue;
    EXPECT_EQ(data, c.code);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(text, grid->GetItem(index).text);
  }
  EXPECT_EQ(first, 7);
  EXPECT_EQ(dialog.CodesFrom(kId).size(), std::size(cases));
}

TEST_F(KeyFuncControlTest, OnlyFunctionIconsWithATextShowTooltips) {
  grid->SetItemDesc(249, "My computer");
  Move(At(20, 10));
  EXPECT_EQ(ui.System().CurrentCursor(), platform::CursorShape::kHand);
  EXPECT_EQ(pm().GetTooltipText(), "My computer");
  EXPECT_EQ(pm().GetTooltipOwner(), grid);
  // The calculator icon has no text yet; Esc is a key.
  Move(At(70, 10));
  EXPECT_EQ(pm().GetTooltipText(), "");
  Move(At(18, 52));
  EXPECT_EQ(pm().GetTooltipText(), "");
  Move(At(50, 52));
  EXPECT_EQ(ui.System().CurrentCursor(), platform::CursorShape::kArrow);
  EXPECT_EQ(grid->GetHoverItem(), -1);
  // Leaving the grid takes its tooltip away.
  Move(At(20, 10));
  EXPECT_EQ(pm().GetTooltipOwner(), grid);
  Move({2, 2});
  EXPECT_EQ(pm().GetTooltipOwner(), nullptr);
}

TEST_F(KeyFuncControlTest, ButtonsShowRestHoverAndMarkedFrames) {
  const Point esc = At(2, 40);       // a corner of Esc, clear of its label
  const Point space = At(162, 211);  // a corner of the wide Space bar
  const Point enter = At(870, 232);  // low on the tall numeric Enter
  EXPECT_EQ(Shown(esc), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown(space), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown(enter), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown(At(21, 14)), kIconColor);
  int builds = grid->CacheBuildCount();
  Move(At(18, 52));
  EXPECT_EQ(Shown(esc), SkinFixture::StateColor(1));
  Move(At(170, 220));
  EXPECT_EQ(Shown(esc), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown(space), SkinFixture::StateColor(1));
  grid->SetItemCheckByItemData(88, 0, 0);
  EXPECT_EQ(grid->GetMarkedItem(), grid->HitTest(enter));
  EXPECT_EQ(Shown(enter), SkinFixture::StateColor(2));
  // Values that do not all match mark nothing; item data 0 clears the mark.
  grid->SetItemCheckByItemData(88, 1, 0);
  EXPECT_EQ(grid->GetMarkedItem(), -1);
  grid->SetItemCheckByItemData(41, 0, 0);
  grid->SetItemCheckByItemData(0, 0, 0);
  EXPECT_EQ(grid->GetMarkedItem(), -1);
  EXPECT_EQ(Shown(esc), SkinFixture::StateColor(0));
  // A click marks the button too, and clears with the next marking.
  Click(At(18, 52));
  Move(At(50, 52));
  EXPECT_EQ(Shown(esc), SkinFixture::StateColor(2));
  grid->SetItemCheckByItemData(0, 0, 0);
  EXPECT_EQ(Shown(esc), SkinFixture::StateColor(0));
  // Hover, clicks and marks copy prepared frames; the grid is drawn once.
  EXPECT_EQ(grid->CacheBuildCount(), builds);
}

TEST_F(KeyFuncControlTest, LabelsAreCentredInTheControlsFontAndColour) {
  testing::RecordingTextSink texts;
  grid->SetTextColor(0xFFC9D3DC);
  grid->SetTitle("");
  ui.Pump();
  std::optional<DrawnText> esc = texts.Find("Esc");
  ASSERT_TRUE(esc.has_value());
  EXPECT_EQ(esc->box, Rect(0, 38, 36, 66));
  EXPECT_EQ(esc->color, 0xFFC9D3DCu);
  EXPECT_EQ(esc->font.pixel_size, 10);
  // Icon buttons draw no text, even with a tooltip text.
  grid->SetItemDesc(249, "My computer");
  texts.Clear();
  grid->SetTitle("x");
  ui.Pump();
  EXPECT_FALSE(texts.Find("My computer").has_value());
}

TEST(KeyFuncButtons, CodesAreUniqueAndRowsDoNotOverlap) {
  std::set<int> codes;
  auto buttons = KeyFuncButtons();
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_TRUE(codes.insert(buttons[i].code).second) << buttons[i].code;
    EXPECT_EQ(buttons[i].icon != nullptr, buttons[i].code > kLastKeyCode) << buttons[i].code;
    for (size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(buttons[i].Area().Intersects(buttons[j].Area()))
          << buttons[i].code << " " << buttons[j].code;
    }
  }
}

}  // namespace
}  // namespace tumi
