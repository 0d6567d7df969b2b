#include "uilib/core/MControl.h"

#include <gtest/gtest.h>

#include "uilib/core/CArea.h"
#include "uilib/core/ControlFactory.h"
#include "uilib/core/MControlFont.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::RecordingDialog;
using testing::StateButton;

// A parent that records repaint requests and notifications.
class RecordingParent : public MObject {
 public:
  struct Update {
    Rect rect;
    int redraw;
  };
  long OnControlUpdate(const Rect& rect, int redraw, MControl*) override {
    updates.push_back({rect, redraw});
    return 0;
  }
  long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t, std::intptr_t) override {
    messages.push_back({id, code});
    return 0;
  }
  std::vector<Update> updates;
  std::vector<std::pair<unsigned, unsigned>> messages;
};

// A container whose content is scrolled down by 100 pixels, and a child that
// records the points it is given.
class ScrolledPanel : public StateButton {
 public:
  using StateButton::StateButton;
  int OnMousePointChange(Point& p) override {
    p.y += 100;
    return 1;
  }
};

class PointProbe : public StateButton {
 public:
  using StateButton::StateButton;
  int OnControlLButtonDown(unsigned, Point p) override {
    points.push_back(p);
    return 1;
  }
  int OnControlLButtonDblClk(unsigned, Point) override {
    ++double_clicks;
    return 1;
  }
  void SetDoubleClicks(int on) { dblclk_ = on; }
  std::vector<Point> points;
  int double_clicks = 0;
};

TEST(MControlTest, VisibilityAndRectangleRequestRepaints) {
  RecordingParent parent;
  StateButton button(&parent, 5, Rect{10, 10, 50, 30}, "b");
  button.SetVisible(1);
  EXPECT_TRUE(parent.updates.empty());
  button.SetVisible(0, 0);
  EXPECT_FALSE(button.IsVisible());
  EXPECT_TRUE(parent.updates.empty());
  button.SetVisible(1);
  ASSERT_EQ(parent.updates.size(), 1u);
  EXPECT_EQ(parent.updates[0].redraw, 1);
  button.SetRect(Rect{100, 5, 120, 20});
  ASSERT_EQ(parent.updates.size(), 2u);
  EXPECT_EQ(parent.updates[1].rect, (Rect{10, 5, 120, 30}));
  button.SetEnabled(1);
  EXPECT_EQ(parent.updates.size(), 2u);
}

TEST(MControlTest, ClickDispatchInsideAControl) {
  RecordingParent parent;
  ScrolledPanel panel(&parent, 9, Rect{0, 0, 200, 400}, "");
  auto* under = static_cast<PointProbe*>(
      panel.AddControl(std::make_unique<PointProbe>(&panel, 3, Rect{0, 100, 200, 200}, "")));
  auto* top = static_cast<PointProbe*>(
      panel.AddControl(std::make_unique<PointProbe>(&panel, 4, Rect{0, 100, 200, 200}, "")));
  auto* bar = static_cast<PointProbe*>(
      panel.AddControl(std::make_unique<PointProbe>(&panel, 1, Rect{150, 0, 200, 50}, "")));
  // The later of two overlapping children gets the click, with the scrolled
  // point; a scroll bar (id 1 or 2) would get the raw one.
  panel.OnLButtonDown(0, Point{10, 20});
  EXPECT_TRUE(under->points.empty());
  ASSERT_EQ(top->points.size(), 1u);
  EXPECT_EQ(top->points[0], (Point{10, 120}));
  panel.OnLButtonUp(0, Point{10, 20});
  // A double click on a child without the double-click flag is a second press.
  panel.OnLButtonDblClk(0, Point{10, 20});
  EXPECT_EQ(top->points.size(), 2u);
  top->SetDoubleClicks(1);
  panel.OnLButtonDblClk(0, Point{10, 20});
  EXPECT_EQ(top->points.size(), 2u);
  EXPECT_EQ(top->double_clicks, 1);
  panel.OnLButtonDown(0, Point{160, 20});
  ASSERT_EQ(bar->points.size(), 1u);
  EXPECT_EQ(bar->points[0], (Point{160, 20}));
  panel.OnLButtonUp(0, Point{160, 20});
}

TEST(MControlTest, LookupCursorAndPositions) {
  RecordingParent parent;
  StateButton button(&parent, 5, Rect{10, 10, 50, 30}, "b");
  button.AddControl(std::make_unique<StateButton>(&button, 6, Rect{}, ""));
  EXPECT_EQ(button.GetControl(7), nullptr);
  EXPECT_NE(button.GetControl(6), nullptr);
  EXPECT_EQ(button.SetCursorEx("HAND"), 0);
  EXPECT_EQ(button.OnControlSetCursor(0, Point{20, 20}), 0);  // unchanged: none
  button.SetCursorEx("hand");
  EXPECT_EQ(button.OnControlSetCursor(0, Point{20, 20}), 1);
  EXPECT_EQ(MControl::PositionItem2Value({0, 10, 0}, 100, 200), 110);
  EXPECT_EQ(MControl::PositionItem2Value({0, 10, 1}, 100, 200), 190);
  EXPECT_EQ(MControl::PositionItem2Value({1, 5, 0}, 100, 200), 155);
  EXPECT_EQ(MControl::PositionItem2Value({2, 150, 0}, 100, 200), 200);
  EXPECT_EQ(MControl::PositionItem2Value({7, 5, 0}, 100, 200), 0);
}

TEST(MControlTest, ParentVisibilityFollowsTheChainToTheDialog) {
  RecordingDialog dialog;
  StateButton outer(&dialog, 1, Rect{}, "");
  auto* inner = outer.AddControl(std::make_unique<StateButton>(&outer, 2, Rect{}, ""));
  EXPECT_EQ(outer.IsParentVisible(), 1);
  EXPECT_EQ(inner->IsParentVisible(), 1);
  outer.SetVisible(0, 0);
  EXPECT_EQ(inner->IsParentVisible(), 0);
  StateButton orphan(nullptr, 3, Rect{}, "");
  EXPECT_EQ(orphan.IsParentVisible(), 0);
}

TEST(MControlTest, KeysReachTheFocusedChildOrTheHotKey) {
  RecordingParent parent;
  StateButton button(&parent, 5, Rect{0, 0, 50, 30}, "");
  button.SetHotKey('S', kModCtrl);
  EXPECT_EQ(button.OnKeyDown('S', 1, kModCtrl), 1);
  EXPECT_EQ(button.OnKeyDown('S', 1, 0), 0);
  EXPECT_EQ(button.OnKeyDown('S', 1, kModCtrl | kModAlt), 0);
}

class ControlWithManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 200}); }
  HeadlessUi ui;
  RecordingDialog dialog;
};

TEST_F(ControlWithManagerTest, StripImageFramesAndFonts) {
  ASSERT_TRUE(testing::SkinFixture::WriteStrip(ui.SkinFile("strip.png"), 60, 30, 4));
  auto* button = static_cast<MControlFont*>(dialog.GetPaintManager().AddControl(
      std::make_unique<StateButton>(&dialog, 1, Rect{0, 0, 60, 30}, "Go")));
  EXPECT_EQ(button->SetImage("missing.png", 4), 0);
  EXPECT_EQ(button->SetImage("strip.png", 4), 1);
  EXPECT_EQ(button->GetImageSize(), (Size{60, 30}));
  EXPECT_EQ(button->SetImage("missing.png", 4), 0);
  EXPECT_EQ(button->GetImagePath(), "strip.png");
  button->SetFontStyle(kFontBold);
  EXPECT_EQ(button->GetFontWeight(), 700);
  EXPECT_EQ(button->GetFontSpec().style, kFontBold);
  EXPECT_FALSE(button->GetFontFamily().empty());
  StateButton unmanaged(nullptr, 2, Rect{}, "");
  EXPECT_EQ(unmanaged.SetImage("strip.png", 4), 0);
  EXPECT_TRUE(unmanaged.GetFontFamily().empty());
}

TEST_F(ControlWithManagerTest, FactoryCreatesKnownClassesOnly) {
  EXPECT_EQ(dialog.CreateControl("", 1, Rect{}), nullptr);
  EXPECT_EQ(dialog.CreateControl("NoSuchControl", 1, Rect{}), nullptr);
  EXPECT_EQ(dialog.CreateControl("carea", 1, Rect{}), nullptr);
  MControl* area = dialog.CreateArea("CArea", 2, Rect{0, 0, 10, 10});
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->IsClass("CArea"), 1);
  EXPECT_EQ(area->GetManager(), &dialog.GetPaintManager());
  EXPECT_EQ(dialog.GetControl(2), area);
  EXPECT_NE(dialog.CreateControl("MenuItem", 3, Rect{}, "Copy"), nullptr);
  EXPECT_FALSE(ControlFactory::IsRegistered("StateButton", FactoryKind::kDialog));
  StateButton::Register();
  EXPECT_NE(dialog.CreateControl("StateButton", 4, Rect{}), nullptr);
  // Listed classes join the factories they are listed for.
  auto creator = [](const ControlArgs& args) -> std::unique_ptr<MControl> {
    return std::make_unique<StateButton>(args.parent, args.id, args.rect, args.title);
  };
  EXPECT_FALSE(ControlFactory::RegisterClass("NoSuchControl", creator));
  // The library's own panel-only class (registered when it loads) is not
  // made by a dialog.
  EXPECT_FALSE(ControlFactory::IsRegistered("KeyFuncControl", FactoryKind::kDialog));
  EXPECT_TRUE(ControlFactory::IsRegistered("KeyFuncControl", FactoryKind::kPanel));
  EXPECT_EQ(dialog.CreateControl("KeyFuncControl", 5, Rect{}), nullptr);
  ControlFactory::UnregisterClass("StateButton");
}

TEST_F(ControlWithManagerTest, AreaDrawsAVeilOrAFramedFill) {
  dialog.GetPaintManager().SetBackColor(0x000000, 0x000000);
  auto* veil = static_cast<CArea*>(dialog.CreateArea("CArea", 1, Rect{10, 10, 60, 60}));
  auto* framed = static_cast<CArea*>(dialog.CreateArea("CArea", 2, Rect{100, 10, 150, 60}));
  framed->SetTransparent(0, 0, 0x0000FF);  // red, as a colour reference
  framed->SetFrame(1, 0xFF00FF00);
  dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  ui.Pump();
  WindowId id = dialog.GetSafeHwnd();
  // White at alpha 80 over black.
  std::uint32_t veil_pixel = ui.System().ShownPixel(id, {30, 30});
  EXPECT_NEAR(static_cast<int>(veil_pixel & 0xFF), 80, 2);
  EXPECT_EQ(ui.System().ShownPixel(id, {100, 10}), 0xFF00FF00u);
  EXPECT_EQ(ui.System().ShownPixel(id, {120, 30}), 0xFFFF0000u);
  (void)veil;
}

}  // namespace
}  // namespace tumi
