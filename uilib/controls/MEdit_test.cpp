#include "uilib/controls/MEdit.h"
#include "uilib/controls/MPanel.h"

#include <gtest/gtest.h>

#include "uilib/core/ControlFactory.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/StateButton.h"

namespace tumi {
namespace {

namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::RecordingDialog;
using testing::RecordingTextSink;
using testing::SkinFixture;
using testing::StateButton;
using Codes = std::vector<unsigned>;

constexpr unsigned kEditId = 20;
constexpr unsigned kOtherId = 21;

class MEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("img_edit.png", 60, 32, 4));
    ASSERT_TRUE(ui.AddStrip("icon.png", 12, 12, 3));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      edit = static_cast<MEdit*>(d.CreateControl("MEdit", kEditId, Rect{20, 20, 220, 52}, ""));
      edit->SetImage("img_edit.png", 4);
      edit->SetTipInfo("Name");
      other = static_cast<StateButton*>(d.GetPaintManager().AddControl(
          std::make_unique<StateButton>(&d, kOtherId, Rect{20, 100, 120, 130}, "ok")));
      other->SetTabStop(1);
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 400, 300});
    id = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.System().SetFocus(id);
    ui.Pump();
  }

  void Click(Point p) {
    ui.System().MovePointer(id, {p.x, p.y});
    ui.System().Click(id, {p.x, p.y});
    ui.Pump();
  }
  void Key(int key, int modifier = 0) {
    if (modifier) ui.System().PressKey(modifier);
    ui.System().PressKey(key);
    ui.Pump();
    ui.System().ReleaseKey(key);
    if (modifier) ui.System().ReleaseKey(modifier);
    ui.Pump();
  }
  // The modal loop hands Tab to the dialog before dispatching it.
  void Tab() {
    dialog.PreTranslateMessage({id, platform::msg::kKeyDown, vk::kTab, 0});
    ui.Pump();
  }
  void Type(const std::string& text) {
    ui.System().TypeText(text);
    ui.Pump();
  }
  Codes EditCodes() const { return dialog.CodesFrom(kEditId); }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
  MEdit* edit = nullptr;
  StateButton* other = nullptr;
};

TEST_F(MEditTest, ClickTypeAndLeaveReportStartChangesAndOneEnd) {
  Click({100, 36});
  EXPECT_TRUE(edit->IsEditFocused());
  EXPECT_EQ(ui.System().ShownPixel(id, {21, 21}), SkinFixture::StateColor(2));
  Type("ab");
  // What was typed so far, before editing ends.
  EXPECT_EQ(edit->GetEditText(), "ab");
  Click({50, 115});
  EXPECT_FALSE(edit->IsEditFocused());
  EXPECT_EQ(EditCodes(), (Codes{kNotifyEditStarted, kNotifyPressed, kNotifyActivated,
                                kNotifyTextChanged, kNotifyTextChanged, kNotifyEditEnded}));
  EXPECT_EQ(edit->GetEditText(), "ab");
  EXPECT_EQ(edit->GetState(), 0);
}

TEST_F(MEditTest, HidingTheFocusedEditorEndsEditingOnce) {
  Click({100, 36});
  Type("x");
  dialog.notifications.clear();
  edit->SetVisible(0);
  ui.Pump();
  // Focus moving on afterwards must not report the end a second time.
  dialog.GetPaintManager().SetFocusControl(other);
  Click({50, 115});
  EXPECT_EQ(EditCodes(), (Codes{kNotifyEditEnded}));
  EXPECT_EQ(edit->GetTitle(), "x");
}

TEST_F(MEditTest, TabFocusStartsAndEndsEditing) {
  Tab();
  EXPECT_EQ(dialog.GetPaintManager().GetFocusControl(), edit);
  EXPECT_TRUE(edit->IsEditFocused());
  Type("q");
  Tab();
  EXPECT_EQ(dialog.GetPaintManager().GetFocusControl(), other);
  EXPECT_EQ(EditCodes(), (Codes{kNotifyEditStarted, kNotifyTextChanged, kNotifyEditEnded}));
}

TEST_F(MEditTest, LimitDigitsAndPasteFollowTheFieldsRules) {
  edit->SetLimitText(4);
  edit->SetNumberOnly(1);
  Click({100, 36});
  Type("1a2b3");
  EXPECT_EQ(edit->GetEditText(), "123");
  ui.System().SetClipboardText("4567");
  Key('V', vk::kControl);
  EXPECT_EQ(edit->GetEditText(), "1234");
  Key('A', vk::kControl);
  Key('C', vk::kControl);
  EXPECT_EQ(ui.System().ClipboardText(), "1234");
  Key(vk::kBack);
  EXPECT_EQ(edit->GetEditText(), "");
}

TEST_F(MEditTest, TipPasswordAndDisabledPictures) {
  RecordingTextSink sink;
  edit->SetTitle("");
  ui.Pump();
  auto tip = sink.Find("Name");
  ASSERT_TRUE(tip.has_value());
  EXPECT_EQ(tip->color, 0xFF808080u);
  sink.Clear();
  edit->EnablePassWord(1);
  edit->SetTitle("se\xC3\xA7");
  ui.Pump();
  const std::string three = "\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F";
  int white = 0;
  for (const DrawnText& t : sink.Texts()) white += t.text == three && t.color == 0xFFFFFFFF;
  EXPECT_GT(white, 0);
  EXPECT_FALSE(sink.Find("se\xC3\xA7").has_value());
  // Typing shows bullets too.
  sink.Clear();
  Click({100, 36});
  Type("x");
  EXPECT_TRUE(sink.Find(three + "\xE2\x97\x8F").has_value());
  Click({50, 115});
  edit->SetEnabled(0);
  ui.Pump();
  EXPECT_EQ(ui.System().ShownPixel(id, {21, 21}), SkinFixture::StateColor(3));
  dialog.notifications.clear();
  Click({100, 36});
  EXPECT_TRUE(EditCodes().empty());
}

TEST_F(MEditTest, IconClickEndsEditingWithItsOwnCodes) {
  ASSERT_EQ(edit->SetIconImage("icon.png", 3), 1);
  EXPECT_EQ(edit->GetIconRect(), (Rect{199, 30, 211, 42}));
  EXPECT_EQ(edit->GetTextRect().right, 220 - 8 - 12 - 6);
  Click({100, 36});
  dialog.notifications.clear();
  Click({205, 36});
  EXPECT_EQ(EditCodes(), (Codes{kNotifyEditEnded, kNotifyEditButton, kNotifyEditButtonReleased}));
  EXPECT_EQ(ui.System().ShownPixel(id, {205, 36}), SkinFixture::StateColor(1));
}

TEST_F(MEditTest, ClicksInsideAFieldInAPanelKeepEditingGoing) {
  auto* panel = static_cast<MPanel*>(dialog.GetPaintManager().AddControl(
      std::make_unique<MPanel>(&dialog, 40, Rect{20, 150, 380, 280}, 1)));
  auto* inner = static_cast<MEdit*>(panel->CreateControl("MEdit", 41, Rect{30, 160, 230, 192}));
  panel->AddControl(std::make_unique<StateButton>(panel, 42, Rect{250, 160, 330, 190}, "b"));
  ui.Pump();
  Click({100, 176});
  ASSERT_TRUE(inner->IsEditFocused());
  Type("ab");
  Click({39, 176});  // before the first letter
  Type("c");
  EXPECT_EQ(inner->GetEditText(), "cab");
  EXPECT_EQ(dialog.CodesFrom(41),
            (Codes{kNotifyEditStarted, kNotifyPressed, kNotifyActivated, kNotifyTextChanged,
                   kNotifyTextChanged, kNotifyPressed, kNotifyActivated, kNotifyTextChanged}));
  dialog.notifications.clear();
  // Another control of the same panel takes the focus.
  Click({290, 175});
  EXPECT_FALSE(inner->IsEditFocused());
  EXPECT_EQ(dialog.CodesFrom(41), (Codes{kNotifyEditEnded}));
  // A field whose panel is hidden under it (a page switch) lets go of the
  // keys at the next one.
  Click({100, 176});
  panel->SetVisible(0);
  Type("z");
  EXPECT_FALSE(inner->IsEditFocused());
  EXPECT_EQ(inner->GetEditText(), "cab");
  EXPECT_EQ(dialog.GetPaintManager().GetKeyboardOwner(), nullptr);
}

TEST_F(MEditTest, ReadOnlyFieldNeverOpensTheEditor) {
  edit->SetReadOnly(1);
  Click({100, 36});
  EXPECT_FALSE(edit->IsEditFocused());
  EXPECT_EQ(EditCodes(), (Codes{kNotifyPressed, kNotifyActivated}));
  EXPECT_TRUE(ControlFactory::IsRegistered("MEdit", FactoryKind::kPanel));
}

}  // namespace
}  // namespace tumi
