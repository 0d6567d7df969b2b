#include "uilib/keyboard/KeyboardCtrl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using platform::MouseButton;
using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::SkinFixture;

constexpr unsigned kId = 67;
constexpr Argb kPicture = 0xFFFF0000;  // SkinFixture::StateColor(0)
constexpr std::uintptr_t kNone = static_cast<std::uintptr_t>(-1);

// A 220 x 120 control at (20, 20) with a 200 x 100 picture, so the picture
// sits 10 pixels in: key rectangles move by (30, 20) into the window.
class KeyboardCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(ui.SkinFolder() + "/keyboard");
    ASSERT_TRUE(SkinFixture::WriteStrip(ui.SkinFile("keyboard/kb.png"), 200, 100, 1));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      kb = static_cast<KeyboardCtrl*>(d.CreateControl("KeyboardCtrl", kId, Rect{20, 20, 240, 140}));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 400, 300});
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ASSERT_NE(kb, nullptr);
    ASSERT_TRUE(kb->SetKeyboardImage("keyboard\\kb.png"));
    kb->SetWidthAndHeight(200, 100);
    kb->AddKeyItem("A", "Key A", 0x41, Rect{10, 10, 46, 46}, "");
    kb->AddKeyItem("B", "Key B", 0x42, Rect{60, 10, 96, 46}, "");
    kb->AddKeyItem("Space", "Space bar", 0x20, Rect{10, 56, 150, 92}, "");
    ui.Pump();
  }

  // The key's rectangle in the window, and a point on its outline.
  static Rect Win(const Rect& key) { return key.Offset(30, 20); }
  static Point LeftEdge(const Rect& key) {
    return {Win(key).left, (Win(key).top + Win(key).bottom) / 2};
  }
  static Point Centre(const Rect& key) {
    return {(Win(key).left + Win(key).right) / 2, (Win(key).top + Win(key).bottom) / 2};
  }

  Argb Shown(Point p) {
    ui.Pump();
    return ui.System().ShownPixel(id, {p.x, p.y});
  }
  void Move(Point p) {
    ui.System().MovePointer(id, {p.x, p.y});
    ui.Pump();
  }
  void Click(Point p, MouseButton button = MouseButton::kLeft) {
    Move(p);
    ui.System().Click(id, {p.x, p.y}, button);
    ui.Pump();
  }

  const Rect kA{10, 10, 46, 46};
  const Rect kB{60, 10, 96, 46};
  const Rect kSpace{10, 56, 150, 92};
  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
  KeyboardCtrl* kb = nullptr;
};

TEST_F(KeyboardCtrlTest, KeysModeFillsEachKeyAndDrawsItsNameOverAShadow) {
  testing::RecordingTextSink texts;
  kb->SetKeyboardCtrlMode(kKeyboardModeKeys);
  Point corner{Win(kA).left + 2, Win(kA).top + 2};
  EXPECT_EQ(Shown(corner), KeyboardCtrl::kKeyFill);
  // Inset by one pixel, and no picture.
  EXPECT_NE(Shown({Win(kA).left, Win(kA).top + 2}), KeyboardCtrl::kKeyFill);
  EXPECT_NE(Shown({Win(kA).right + 4, Win(kA).top + 2}), kPicture);
  std::vector<DrawnText> drawn;
  for (const DrawnText& t : texts.Texts()) {
    if (t.text == "A") drawn.push_back(t);
  }
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].color, KeyboardCtrl::kTextShadow);
  EXPECT_EQ(drawn[1].color, KeyboardCtrl::kTextColor);
  EXPECT_EQ(drawn[0].box, drawn[1].box.Offset(1, 1));
  EXPECT_EQ(drawn[1].font.pixel_size, 10);
}

TEST_F(KeyboardCtrlTest, KeyIconsSitUnderTheNameOrInTheMiddle) {
  std::filesystem::create_directories(ui.SkinFolder() + "/icon");
  ASSERT_TRUE(SkinFixture::WriteStrip(ui.SkinFile("icon/fn.png"), 10, 10, 2));  // 20 x 10
  testing::RecordingTextSink texts;
  kb->AddKeyItem("Fn", "", 0x99, Rect{160, 10, 196, 46}, "icon\\fn.png");
  kb->AddKeyItem("", "", 0x98, Rect{160, 56, 196, 92}, "icon/fn.png");
  KEY_INFO* fn = kb->GetKeyItems()[3];
  EXPECT_EQ(fn->icon_width, 20);
  EXPECT_EQ(fn->icon_height, 10);
  kb->SetKeyboardCtrlMode(kKeyboardModeKeys);
  // Named: the icon's top 20 pixels above the key's bottom, the name above it.
  const Rect named = Win(Rect{160, 10, 196, 46});
  EXPECT_EQ(Shown({named.left + 8, named.bottom - 20}), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown({named.left + 8, named.bottom - 21}), KeyboardCtrl::kKeyFill);
  ASSERT_TRUE(texts.Find("Fn").has_value());
  EXPECT_EQ(texts.Find("Fn")->box, Rect(170, 10, 206, 26));
  // Unnamed: centred.
  const Rect bare = Win(Rect{160, 56, 196, 92});
  EXPECT_EQ(Shown({bare.left + 8, bare.top + 13}), SkinFixture::StateColor(0));
  EXPECT_EQ(Shown({bare.left + 8, bare.top + 12}), KeyboardCtrl::kKeyFill);
}

TEST_F(KeyboardCtrlTest, PictureModesOutlineTheRightKeysInTheRightColours) {
  const uint8_t frame[] = {255, 0, 255};
  kb->SetLightModeData(frame, 3);
  kb->SetKeyColor(0x41, 0x00FF00);  // green
  kb->SetKeyColor(0x42, 0x0000FF);  // red
  kb->SetKeyCheck(0x20, 1);
  struct Case {
    int mode;
    Argb a, b, space;
  } cases[] = {
      // Selection: only the checked key (nothing hovered or selected).
      {kKeyboardModeSelect, kPicture, kPicture, KeyboardCtrl::kSelectOutline},
      // Preview: cyan as opaque as the key's byte of the frame.
      {kKeyboardModePreview, 0xFF00FFFF, kPicture, 0xFF00FFFF},
      // Painting and music: each key in its own colour, red in the low byte.
      {kKeyboardModePaint, 0xFF00FF00, 0xFFFF0000, ArgbFromColorRef(kDefaultKeyColor, 255)},
      {kKeyboardModeMusic, 0xFF00FF00, 0xFFFF0000, ArgbFromColorRef(kDefaultKeyColor, 255)},
      // Any other mode draws the background only.
      {99, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    kb->SetKeyboardCtrlMode(c.mode);
    if (c.mode == 99) {
      EXPECT_NE(Shown(Centre(kA)), kPicture);
      continue;
    }
    EXPECT_EQ(Shown(Centre(kA)), kPicture);
    EXPECT_EQ(Shown(LeftEdge(kA)), c.a);
    EXPECT_EQ(Shown(LeftEdge(kB)), c.b);
    EXPECT_EQ(Shown(LeftEdge(kSpace)), c.space);
  }
}

TEST_F(KeyboardCtrlTest, SelectionModeOutlinesTheHoveredAndTheClickedKey) {
  kb->SetKeyboardCtrlMode(kKeyboardModeSelect);
  // The window's shared timer runs, as in the program: hover still repaints.
  dialog.GetPaintManager().SetMTimer(10);
  ui.System().FireDialogTimers();
  Move(Centre(kB));
  EXPECT_EQ(kb->GetHoverItem(), 1);
  EXPECT_EQ(Shown(LeftEdge(kB)), KeyboardCtrl::kSelectOutline);
  Click(Centre(kA));
  Move({Win(kSpace).right + 10, Win(kSpace).bottom + 10});
  EXPECT_EQ(kb->GetHoverItem(), -1);
  EXPECT_EQ(Shown(LeftEdge(kA)), KeyboardCtrl::kSelectOutline);
  EXPECT_EQ(Shown(LeftEdge(kB)), kPicture);
}

TEST_F(KeyboardCtrlTest, ClicksReportTheKeyOrNothing) {
  kb->SetKeyboardCtrlMode(kKeyboardModeSelect);
  Click(Centre(kB));
  Click({Win(kB).right + 5, Win(kB).top});  // between keys
  Click(Centre(kSpace), MouseButton::kRight);
  Click({Win(kB).right + 5, Win(kB).top}, MouseButton::kRight);
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{kId, kNotifyActivated, 1, 0x42},
                                       {kId, kNotifyActivated, kNone, 0},
                                       {kId, kNotifyRightReleased, 2, 0x20},
                                       {kId, kNotifyRightReleased, kNone, 0}}));
  EXPECT_EQ(kb->GetSelectItem(), -1);
  EXPECT_EQ(kb->GetCurrentKeyValue(), 0u);
}

TEST_F(KeyboardCtrlTest, PaintModeClickTogglesBetweenNothingAndTheCustomColour) {
  kb->SetKeyboardCtrlMode(kKeyboardModePaint);
  kb->SetCustomColor(0x00FF00);
  kb->SetKeyColor(0x41, 0);
  kb->SetKeyColor(0x42, 0x123456);
  Click(Centre(kA));
  EXPECT_EQ(kb->GetKeyColor(0x41), 0x00FF00u);
  EXPECT_EQ(Shown(LeftEdge(kA)), 0xFF00FF00);
  EXPECT_EQ(kb->GetCurrentKeyValue(), 0x41u);
  Click(Centre(kA));
  EXPECT_EQ(kb->GetKeyColor(0x41), 0u);
  // Any other colour is wiped first.
  Click(Centre(kB));
  EXPECT_EQ(kb->GetKeyColor(0x42), 0u);
  EXPECT_EQ(dialog.CodesFrom(kId), (std::vector<unsigned>{2, 2, 2}));
  // Other modes never paint.
  kb->SetKeyboardCtrlMode(kKeyboardModeSelect);
  Click(Centre(kB));
  EXPECT_EQ(kb->GetKeyColor(0x42), 0u);
}

TEST_F(KeyboardCtrlTest, PreviewStepsFramesAtTheSpeedsTicks) {
  struct Case {
    int speed, ticks;
  } speeds[] = {{0, 5}, {1, 4}, {2, 3}, {3, 2}, {4, 1}, {7, 1}, {-1, 1}};
  for (const Case& c : speeds) {
    kb->SetLightSpeed(c.speed);
    EXPECT_EQ(kb->GetTicksPerFrame(), c.ticks) << c.speed;
  }
  // Three keys: 8 bytes are two whole frames and an incomplete one, dropped.
  const uint8_t data[] = {0, 0, 0, 255, 255, 255, 9, 9};
  kb->SetLightModeData(data, 8);
  EXPECT_EQ(kb->GetPreviewFrameCount(), 2);
  kb->SetLightSpeed(3);
  dialog.GetPaintManager().SetMTimer(10);
  // The preview runs only in its own mode.
  kb->SetKeyboardCtrlMode(kKeyboardModeSelect);
  ui.System().FireDialogTimers();
  ui.System().FireDialogTimers();
  EXPECT_EQ(kb->GetPreviewFrame(), 0);
  kb->SetKeyboardCtrlMode(kKeyboardModePreview);
  EXPECT_EQ(Shown(LeftEdge(kA)), kPicture);  // alpha 0
  ui.System().FireDialogTimers();
  EXPECT_EQ(kb->GetPreviewFrame(), 0);
  ui.System().FireDialogTimers();
  EXPECT_EQ(kb->GetPreviewFrame(), 1);
  EXPECT_EQ(Shown(LeftEdge(kA)), 0xFF00FFFF);
  ui.System().FireDialogTimers();
  ui.System().FireDialogTimers();
  EXPECT_EQ(kb->GetPreviewFrame(), 0);  // wrapped
}

TEST_F(KeyboardCtrlTest, PreviewDataSurvivesMissingOrChangedKeys) {
  const uint8_t data[] = {1, 2, 3, 4, 5, 6};
  kb->SetLightModeData(data, 0);
  EXPECT_EQ(kb->GetPreviewFrameCount(), 0);
  kb->ClearItem();
  kb->SetLightModeData(data, 6);  // no keys: nothing to cut into frames
  EXPECT_EQ(kb->GetPreviewFrameCount(), 0);
  // Data for three keys, then a larger layout: keys beyond the data draw opaque.
  kb->AddKeyItem("A", "", 1, kA, "");
  kb->AddKeyItem("B", "", 2, kB, "");
  kb->AddKeyItem("C", "", 3, kSpace, "");
  kb->SetLightModeData(data, 6);
  EXPECT_EQ(kb->GetPreviewFrameCount(), 2);
  kb->AddKeyItem("D", "", 4, Rect{160, 56, 196, 92}, "");
  kb->SetKeyboardCtrlMode(kKeyboardModePreview);
  dialog.GetPaintManager().SetMTimer(10);
  ui.System().FireDialogTimers();
  EXPECT_EQ(Shown(LeftEdge(Rect{160, 56, 196, 92})), 0xFF00FFFF);
}

TEST_F(KeyboardCtrlTest, RightDragFramesKeysAndReportsTwentyFour) {
  kb->EnableFrameSelect(true);
  kb->SetKeyboardCtrlMode(kKeyboardModeSelect);
  kb->SetKeyCheck(0x42, 1);
  Point start{Win(kA).left - 5, Win(kA).top - 5};
  Move(start);
  ui.System().PressButton(id, MouseButton::kRight, {start.x, start.y});
  // Within 20 pixels of the press nothing happens yet.
  Move({start.x + 20, start.y + 20});
  EXPECT_EQ(kb->GetCheckItemCount(), 1);
  // Over A and Space, not B: the frame replaces the earlier checks.
  Move({start.x + 30, start.y + 60});
  std::vector<int> checks;
  for (KEY_INFO* key : kb->GetKeyItems()) checks.push_back(key->checked);
  EXPECT_EQ(checks, (std::vector<int>{1, 0, 1}));
  // The dotted frame shows while dragging.
  EXPECT_EQ(Shown({start.x, start.y + 30}), KeyboardCtrl::kFrameSelectPen);
  ui.System().ReleaseButton(id, MouseButton::kRight, {start.x + 30, start.y + 60});
  ui.Pump();
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{kId, kNotifyKeyboardRightClick, 0, 0}}));
  EXPECT_NE(Shown({start.x, start.y + 30}), KeyboardCtrl::kFrameSelectPen);
}

TEST_F(KeyboardCtrlTest, TinyFrameUnchecksEverythingAndRightClickStaysAClick) {
  kb->EnableFrameSelect(true);
  kb->ResetAllItemCheck(1);
  // A press on B that trembles a little is still a right click on B.
  Point p = Centre(kB);
  Move(p);
  ui.System().PressButton(id, MouseButton::kRight, {p.x, p.y});
  Move({p.x + 3, p.y + 2});
  ui.System().ReleaseButton(id, MouseButton::kRight, {p.x + 3, p.y + 2});
  ui.Pump();
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{kId, kNotifyRightReleased, 1, 0x42}}));
  EXPECT_EQ(kb->GetCheckItemCount(), 3);
  // A drag that ends up less than 6 pixels wide selects nothing.
  ui.System().PressButton(id, MouseButton::kRight, {p.x, p.y});
  Move({p.x + 4, p.y + 30});
  EXPECT_EQ(kb->GetCheckItemCount(), 0);
  ui.System().ReleaseButton(id, MouseButton::kRight, {p.x + 4, p.y + 30});
  ui.Pump();
  EXPECT_EQ(dialog.CodesFrom(kId).back(), kNotifyKeyboardRightClick);
}

TEST_F(KeyboardCtrlTest, ClearingAndSelectingNeverPointPastTheKeys) {
  kb->SetKeyboardCtrlMode(kKeyboardModeSelect);
  Click(Centre(kSpace));
  EXPECT_EQ(kb->GetSelectItem(), 2);
  kb->ClearItem();
  EXPECT_EQ(kb->GetSelectItem(), -1);
  EXPECT_EQ(kb->GetHoverItem(), -1);
  EXPECT_EQ(kb->GetCurrentKeyValue(), 0u);
  Shown(Centre(kA));  // draws with no keys
  kb->AddKeyItem("A", "", 0x41, kA, "");
  ui.System().Click(id, {Centre(kA).x, Centre(kA).y});
  ui.Pump();
  EXPECT_EQ(dialog.notifications.back(), (Notification{kId, kNotifyActivated, kNone, 0}));
  for (int index : {5, -7, 1}) {
    kb->SetSelectItem(index);
    EXPECT_EQ(kb->GetSelectItem(), -1) << index;
  }
  kb->SetSelectItem(0);
  EXPECT_EQ(kb->GetSelectItem(), 0);
}

TEST_F(KeyboardCtrlTest, PerKeyOperationsTakeTheFirstKeyWithTheValue) {
  kb->AddKeyItem("A2", "second A", 0x41, Rect{160, 10, 196, 46}, "");
  kb->SetKeyColor(0x41, 0x111111);
  kb->SetKeyCheck(0x41, 1);
  kb->SetKeyDesc(0x41, "Alpha");
  kb->SetTipKey(0x41, "one", "two");
  std::vector<KEY_INFO*> keys = kb->GetKeyItems();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0]->color, 0x111111u);
  EXPECT_EQ(keys[3]->color, kDefaultKeyColor);
  EXPECT_EQ(keys[3]->checked, 0);
  EXPECT_EQ(keys[0]->name, "Alpha");
  EXPECT_EQ(keys[0]->description, "Alpha");
  EXPECT_EQ(keys[3]->name, "A2");
  EXPECT_EQ(keys[0]->tip_line1, "one");
  EXPECT_EQ(keys[3]->tip_line1, "");
  EXPECT_EQ(kb->GetKeyColor(0x99), 0u);
  kb->SetKeyColor(0x99, 0x222222);  // nothing happens
  kb->ResetTipKey();
  EXPECT_EQ(keys[0]->tip_line2, "");
  // Music brightness recolours only when it changes.
  kb->SetMusicBrightness(255);
  EXPECT_EQ(kb->GetKeyColor(0x42), kDefaultKeyColor);
  kb->SetMusicBrightness(128);
  EXPECT_EQ(kb->GetKeyColor(0x42), 0xFFFF00u);
  kb->SetLightModeColor(true, 0x123456);
  EXPECT_EQ(kb->GetKeyColor(0x20), 0xFFFFFFu);
  kb->SetSelectItem(1);
  kb->SetAllSelectColor(0x0000AA);  // the selected key and every checked one
  EXPECT_EQ(keys[0]->color, 0x0000AAu);
  EXPECT_EQ(keys[1]->color, 0x0000AAu);
  EXPECT_EQ(keys[2]->color, 0xFFFFFFu);
}

TEST_F(KeyboardCtrlTest, TipsShowAboveTheHoveredKeyOnlyWhenEnabled) {
  Move(Centre(kA));
  EXPECT_EQ(kb->GetTipsWindow(), nullptr);
  kb->EnableKBTips(true);
  kb->SetTitle("Assign");
  kb->SetTipKey(0x42, "Macro", "Run 3");
  Move(Centre(kB));
  CKeyboardTips* tip = kb->GetTipsWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->IsWindowVisible());
  // Its bottom edge is centred on the key's top edge.
  const Rect window = dialog.GetWindowRect();
  const Point anchor{window.left + (Win(kB).left + Win(kB).right) / 2, window.top + Win(kB).top};
  EXPECT_EQ(tip->GetPoint(), anchor);
  EXPECT_EQ(FromPlatform(ui.System().Bounds(tip->GetSafeHwnd())), CKeyboardTips::CardRect(anchor));
  EXPECT_EQ(tip->GetTitle(), "Key B");
  EXPECT_EQ(tip->GetLine1(), "Macro");
  EXPECT_EQ(tip->GetLine2(), "Run 3");
  // Without tip lines: the control's title and the description.
  Move(Centre(kA));
  EXPECT_EQ(tip->GetTitle(), "Key A");
  EXPECT_EQ(tip->GetLine1(), "Assign");
  EXPECT_EQ(tip->GetLine2(), "Key A");
  // The tip never takes the activation from the window.
  EXPECT_EQ(ui.System().ActiveWindow(), id);
  Move({Win(kB).right + 5, Win(kB).top});
  EXPECT_FALSE(tip->IsWindowVisible());
  Move(Centre(kA));
  EXPECT_TRUE(tip->IsWindowVisible());
  ui.System().PointerLeft(id);
  ui.Pump();
  EXPECT_FALSE(tip->IsWindowVisible());
  Move(Centre(kA));
  kb->SetVisible(0);
  EXPECT_FALSE(tip->IsWindowVisible());
}

// A parent that reads the control from another thread while a repaint is
// being requested, as the window's painting may: the request must not come
// with the item lock held.
class ProbingParent : public MObject {
 public:
  long OnControlUpdate(const Rect&, int, MControl* control) override {
    auto* kb = static_cast<KeyboardCtrl*>(control);
    auto read = std::async(std::launch::async, [kb] { return kb->GetKeyCount(); });
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      deadlocked = true;
      std::abort();  // the reader would wait for ever
    }
    ++requests;
    return 0;
  }
  bool deadlocked = false;
  int requests = 0;
};

TEST(KeyboardCtrlLocking, RepaintRequestsComeAfterTheItemLockIsReleased) {
  ProbingParent parent;
  KeyboardCtrl kb(&parent, 1, Rect{0, 0, 100, 50}, 1);
  kb.AddKeyItem("A", "", 1, Rect{0, 0, 10, 10}, "");
  const uint8_t data[] = {1};
  kb.ResetAllItemsColor(0x10);
  kb.ResetAllItemCheck(1);
  kb.SetAllSelectColor(0x20);
  kb.SetLightModeColor(false, 0x30);
  kb.SetMusicBrightness(3);
  kb.SetLightModeData(data, 1);
  kb.SetWidthAndHeight(50, 20);
  kb.SetKeyboardCtrlMode(kKeyboardModePreview);
  kb.OnControlTimer();
  EXPECT_EQ(parent.requests, 9);
  EXPECT_FALSE(parent.deadlocked);
}

}  // namespace
}  // namespace tumi
