#include <gtest/gtest.h>

#include "uilib/controls/CIDataObject.h"
#include "uilib/controls/CIDropTarget.h"
#include "uilib/controls/WindowDragDrop.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

namespace msg = platform::msg;
namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::RecordingDialog;
using testing::SkinFixture;

class ProbeTarget : public CIDropTarget {
 public:
  ProbeTarget() { AddSuportedFormat({kFormatHDrop, kAspectContent, -1, kTymedHGlobal}); }
  std::vector<std::string> dropped;

 protected:
  bool OnDrop(const FormatEtc&, const StgMedium& medium, unsigned, Point) override {
    dropped = medium.files;
    return true;
  }
};

CIDataObject FilesData() {
  CIDataObject data;
  FormatEtc format{kFormatHDrop, kAspectContent, -1, kTymedHGlobal};
  StgMedium medium{kTymedHGlobal, nullptr, {"/tmp/a.png"}};
  data.SetData(&format, &medium, true);
  return data;
}

TEST(DropEffectTest, KeysAndAllowedEffectsGiveTheEffect) {
  constexpr unsigned kCtrl = msg::kMkControl;
  constexpr unsigned kShift = msg::kMkShift;
  struct Case {
    unsigned keys;
    unsigned allowed;
    unsigned effect;
  };
  const Case cases[] = {
      {0, kDropCopy | kDropMove | kDropLink, kDropCopy},
      {0, kDropMove | kDropLink, kDropMove},
      {0, kDropLink, kDropLink},
      {0, kDropNone, kDropNone},
      {kCtrl, kDropCopy | kDropMove, kDropCopy},
      {kCtrl, kDropMove, kDropNone},
      {kShift, kDropCopy | kDropMove, kDropMove},
      {kShift, kDropCopy, kDropNone},
      {kCtrl | kShift, kDropLink, kDropLink},
      {kCtrl | kShift, kDropCopy, kDropNone},  // Ctrl and Shift over a copy-only source
  };
  ProbeTarget target;
  CIDataObject data = FilesData();
  unsigned effect = kDropCopy;
  ASSERT_TRUE(target.DragEnter(&data, 0, {}, &effect));
  for (const Case& c : cases) {
    unsigned e = c.allowed;
    EXPECT_EQ(target.QueryDrop(c.keys, &e), c.effect != kDropNone) << c.keys << " " << c.allowed;
    EXPECT_EQ(e, c.effect) << c.keys << " " << c.allowed;
  }
  // Nothing is accepted while the data offers no format the target takes.
  target.DragLeave();
  effect = kDropCopy;
  EXPECT_FALSE(target.QueryDrop(0, &effect));
  EXPECT_EQ(effect, kDropNone);
  CIDataObject empty;
  effect = kDropCopy;
  target.DragEnter(&empty, 0, {}, &effect);
  EXPECT_EQ(effect, kDropNone);
  EXPECT_FALSE(target.DragEnter(nullptr, 0, {}, &effect));
  // A drop in the chosen format reaches OnDrop and ends the drag.
  effect = kDropCopy;
  target.DragEnter(&data, 0, {}, &effect);
  target.Drop(&data, 0, {}, &effect);
  EXPECT_EQ(target.dropped, std::vector<std::string>{"/tmp/a.png"});
  EXPECT_FALSE(target.IsAllowDrop());
}

TEST(DataObjectTest, QueriesAnswerWhatMatched) {
  CIDataObject data;
  FormatEtc bitmap{kFormatBitmap, kAspectContent, -1, kTymedGdi};
  EXPECT_EQ(data.QueryGetData(&bitmap), DataResult::kBadTymed);
  StgMedium medium{kTymedGdi, Image::Create(2, 2), {}};
  EXPECT_EQ(data.SetData(&bitmap, nullptr, false), DataResult::kInvalidArg);
  EXPECT_EQ(data.SetData(&bitmap, &medium, false), DataResult::kOk);
  FormatEtc dib{kFormatDib, kAspectContent, -1, kTymedGdi};
  FormatEtc icon_aspect{kFormatBitmap, 4, -1, kTymedGdi};
  FormatEtc global{kFormatBitmap, kAspectContent, -1, kTymedHGlobal};
  EXPECT_EQ(data.QueryGetData(nullptr), DataResult::kInvalidArg);
  EXPECT_EQ(data.QueryGetData(&bitmap), DataResult::kOk);
  EXPECT_EQ(data.QueryGetData(&dib), DataResult::kBadClipFormat);
  EXPECT_EQ(data.QueryGetData(&icon_aspect), DataResult::kBadAspect);
  EXPECT_EQ(data.QueryGetData(&global), DataResult::kBadTymed);
  StgMedium out;
  EXPECT_EQ(data.GetData(&bitmap, &out), DataResult::kOk);
  EXPECT_EQ(out.picture, medium.picture);
  EXPECT_EQ(data.GetData(&dib, &out), DataResult::kBadFormatEtc);
  EXPECT_EQ(data.EnumFormatEtc(false), nullptr);
  auto formats = data.EnumFormatEtc(true);
  EXPECT_EQ(formats->Next(5), std::vector<FormatEtc>{bitmap});
  EXPECT_FALSE(formats->Skip(1));
  formats->Reset();
  EXPECT_EQ(formats->Next(1).size(), 1u);
}

// A dialog that records what drops hand to its window.
class DropDialog : public RecordingDialog {
 public:
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override {
    if (message == msg::kLButtonUp) {
      platform::Point p = platform::UnpackPoint(lparam);
      releases.push_back({p.x, p.y});
    }
    if (message == kMsgSetImage) {
      images.push_back(*reinterpret_cast<const std::shared_ptr<const Image>*>(lparam));
      return 1;
    }
    return RecordingDialog::OnWindowMessage(message, wparam, lparam);
  }
  std::vector<Point> releases;
  std::vector<std::shared_ptr<const Image>> images;
};

class DragDropWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("btn.png", 40, 20, 4));
    source.on_init = [this](RecordingDialog& d, const Rect&) {
      button = static_cast<testing::StateButton*>(d.GetPaintManager().AddControl(
          std::make_unique<testing::StateButton>(&d, 3, Rect{10, 10, 50, 30}, "")));
      button->SetImage("btn.png", 4);
      button->SetDragDrop(1);
    };
    Open(source, Rect{0, 0, 300, 200});
    Open(target, Rect{400, 100, 700, 300});
    ASSERT_EQ(InitDragDrop(source.GetPaintManager()), 1);
    ASSERT_EQ(InitDragDrop(target.GetPaintManager()), 1);
  }
  void Open(RecordingDialog& d, const Rect& at) {
    d.Create(platform::kNoWindow, at);
    d.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }
  WindowDragDrop& Drag() {
    return *static_cast<WindowDragDrop*>(source.GetPaintManager().GetMessageFilter());
  }
  void Move(Point p) {
    ui.System().MovePointer(source.GetSafeHwnd(), {p.x, p.y});
    ui.Pump();
  }

  HeadlessUi ui;
  DropDialog source;
  DropDialog target;
  testing::StateButton* button = nullptr;
};

TEST_F(DragDropWindowTest, DroppedFilesOfferTheFirstPictureAtTheClientPoint) {
  std::string picture = ui.SkinFile("photo.png");
  ASSERT_TRUE(SkinFixture::WriteStrip(picture, 8, 6, 1));
  ui.System().DropFiles(target.GetSafeHwnd(), {ui.SkinFile("notes.txt"), picture}, {30, 40});
  ui.Pump();
  EXPECT_EQ(target.releases, (std::vector<Point>{Point{30, 40}}));
  ASSERT_EQ(target.images.size(), 1u);
  EXPECT_EQ(target.images[0]->Width(), 8);
}

TEST_F(DragDropWindowTest, DraggingAControlDropsItsPictureOnAnotherWindow) {
  WindowId id = source.GetSafeHwnd();
  Move({20, 20});
  ui.System().PressButton(id, platform::MouseButton::kLeft, {20, 20});
  ui.Pump();
  EXPECT_TRUE(Drag().IsDragPending());
  Move({21, 21});  // under the threshold
  EXPECT_FALSE(Drag().IsDragging());
  Move({25, 20});
  ASSERT_TRUE(Drag().IsDragging());
  EXPECT_EQ(ui.System().Capture(), id);
  platform::WindowId picture = Drag().Picture().Window();
  ASSERT_NE(picture, platform::kNoWindow);
  EXPECT_TRUE(ui.System().IsVisible(picture));
  EXPECT_EQ(Drag().CurrentTarget(), &Drag());  // still over its own window
  Move({450, 150});
  EXPECT_EQ(Drag().CurrentTarget(), WindowDragDrop::ForWindow(target.GetSafeHwnd()));
  EXPECT_EQ(Drag().CurrentEffect(), kDropCopy);
  // Ctrl and Shift ask for a link, which the source does not allow.
  ui.System().PressKey(vk::kControl);
  ui.System().PressKey(vk::kShift);
  Move({451, 150});
  EXPECT_EQ(Drag().CurrentEffect(), kDropNone);
  EXPECT_EQ(ui.System().CurrentCursor(), platform::CursorShape::kNo);
  ui.System().ReleaseKey(vk::kShift);
  ui.System().ReleaseKey(vk::kControl);
  Move({450, 150});
  ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {450, 150});
  ui.Pump();
  EXPECT_FALSE(Drag().IsDragging());
  EXPECT_NE(ui.System().Capture(), id);
  EXPECT_FALSE(ui.System().IsVisible(picture));
  EXPECT_EQ(target.releases, (std::vector<Point>{Point{50, 50}}));
  ASSERT_EQ(target.images.size(), 1u);
  EXPECT_EQ(target.images[0]->Width(), 40);
  EXPECT_EQ(target.images[0]->Height(), 20);
}

TEST_F(DragDropWindowTest, ReleasingOutsideEveryTargetDropsNothing) {
  WindowId id = source.GetSafeHwnd();
  Move({20, 20});
  ui.System().PressButton(id, platform::MouseButton::kLeft, {20, 20});
  Move({30, 30});
  ASSERT_TRUE(Drag().IsDragging());
  Move({350, 20});
  EXPECT_EQ(Drag().CurrentTarget(), nullptr);
  EXPECT_EQ(ui.System().CurrentCursor(), platform::CursorShape::kNo);
  ui.System().ReleaseButton(id, platform::MouseButton::kLeft, {350, 20});
  ui.Pump();
  EXPECT_FALSE(Drag().IsDragging());
  EXPECT_TRUE(target.images.empty());
  EXPECT_TRUE(source.images.empty());
  EXPECT_EQ(ui.System().CurrentCursor(), platform::CursorShape::kArrow);
}

}  // namespace
}  // namespace tumi
