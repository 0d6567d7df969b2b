#include "uilib/controls/MRichEdit.h"

#include <gtest/gtest.h>

#include "uilib/controls/CSpinButton.h"
#include "uilib/core/ControlFactory.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::RecordingDialog;
using Codes = std::vector<unsigned>;

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui.AddStrip("img_spin_up.png", 16, 12, 4));
    ASSERT_TRUE(ui.AddStrip("img_spin_down.png", 16, 12, 4));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      rich = static_cast<MRichEdit*>(
          d.CreateControl("MRichEdit", 5, Rect{10, 10, 210, 110}, "one\ntwo"));
      spin = static_cast<CSpinButton*>(
          d.CreateControl("CSpinButton", 6, Rect{10, 150, 90, 180}, "100"));
      line = static_cast<MEditEx*>(d.CreateControl("MEditEx", 7, Rect{100, 150, 200, 190}, ""));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 250});
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

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId id = platform::kNoWindow;
  MRichEdit* rich = nullptr;
  CSpinButton* spin = nullptr;
  MEditEx* line = nullptr;
};

TEST_F(RichEditTest, ContentOperationsCountUtf16Units) {
  rich->SetMultiLine(true);
  rich->SetText(
      "a\xF0\x9F\x98\x80"
      "b\nsecond");
  EXPECT_EQ(rich->GetTextLength(), 11);
  rich->SetSel(1, 3);
  EXPECT_EQ(rich->GetSelText(), "\xF0\x9F\x98\x80");
  long start = 0;
  long end = 0;
  rich->GetSel(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 3);
  rich->ReplaceSel("x");
  EXPECT_EQ(rich->GetText(), "axb\nsecond");
  EXPECT_TRUE(rich->GetModify());
  EXPECT_EQ(rich->GetLineCount(), 2);
  EXPECT_EQ(rich->GetLine(1), "second");
  EXPECT_EQ(rich->LineIndex(1), 4);
  EXPECT_EQ(rich->LineLength(1), 6);
  EXPECT_EQ(rich->LineFromChar(5), 1);
  EXPECT_EQ(rich->GetTextRange(4, 7), "sec");
  EXPECT_TRUE(rich->Undo());
  EXPECT_TRUE(rich->CanRedo());
  EXPECT_EQ(rich->GetText(),
            "a\xF0\x9F\x98\x80"
            "b\nsecond");
  EXPECT_TRUE(rich->Redo());
  EXPECT_EQ(rich->GetText(), "axb\nsecond");
  rich->AppendText("!");
  EXPECT_EQ(rich->GetText(), "axb\nsecond!");
  rich->SetSelAll();
  EXPECT_EQ(rich->GetSelectionType(), 1);
  rich->Clear();
  EXPECT_EQ(rich->GetTextLength(), 0);
  EXPECT_FALSE(rich->SetZoom(65, 1));
  EXPECT_TRUE(rich->SetZoom(3, 2));
}

TEST_F(RichEditTest, ClickFocusesAndTypingReports) {
  Click({50, 50});
  EXPECT_EQ(rich->GetState(), 2);
  EXPECT_TRUE(rich->Field().IsEditing());
  ui.System().PressKey(vk::kEnd);
  ui.System().ReleaseKey(vk::kEnd);
  ui.System().TypeText("!");
  ui.Pump();
  EXPECT_EQ(dialog.CodesFrom(5), (Codes{kNotifyPressed, kNotifyActivated, kNotifyTextChanged}));
  Click({280, 230});
  EXPECT_EQ(rich->GetState(), 0);
  EXPECT_FALSE(rich->Field().IsEditing());
  EXPECT_EQ(rich->GetText(), "one\ntwo!");
}

TEST_F(RichEditTest, ContextMenuOffersWhatCanBeDoneAndRunsTheChoice) {
  auto enabled = [this] {
    std::vector<unsigned> ids;
    for (const auto& entry : rich->ContextMenuEntries()) {
      if (entry.enabled) ids.push_back(entry.id);
    }
    return ids;
  };
  ui.System().SetClipboardText("");
  EXPECT_EQ(enabled(), (std::vector<unsigned>{MRichEdit::kMenuSelectAll}));
  rich->SetSel(0, 3);
  ui.System().SetClipboardText("X");
  EXPECT_EQ(enabled(),
            (std::vector<unsigned>{MRichEdit::kMenuCut, MRichEdit::kMenuCopy, MRichEdit::kMenuPaste,
                                   MRichEdit::kMenuClear, MRichEdit::kMenuSelectAll}));
  std::size_t windows = ui.System().AllWindows().size();
  ui.System().MovePointer(id, {50, 50});
  ui.System().Click(id, {50, 50}, platform::MouseButton::kRight);
  ui.Pump();
  ASSERT_EQ(ui.System().AllWindows().size(), windows + 1);
  platform::WindowId menu = ui.System().AllWindows().back();
  EXPECT_TRUE(ui.System().IsVisible(menu));
  ui.System().Click(id, {280, 230});
  ui.Pump();
  EXPECT_FALSE(ui.System().IsWindow(menu));
  // The menu answers with the chosen command; only the rich edit that
  // opened it takes it.
  ui.System().Post(id, kMsgRichEditMenu, 0, MRichEdit::kMenuPaste);
  ui.Pump();
  EXPECT_EQ(rich->GetText(), "X\ntwo");
  ui.System().Post(id, kMsgRichEditMenu, 0, MRichEdit::kMenuPaste);
  ui.Pump();
  EXPECT_EQ(rich->GetText(), "X\ntwo");
}

TEST_F(RichEditTest, TipShowsWhileEmptyInGrey) {
  testing::RecordingTextSink sink;
  line->SetTipInfo("Search");
  ui.Pump();
  auto tip = sink.Find("Search");
  ASSERT_TRUE(tip.has_value());
  EXPECT_EQ(tip->color, 0xFF808080u);
  // The one-line edit centres a 16-pixel line.
  EXPECT_EQ(line->GetTextRect(), (Rect{100, 162, 200, 178}));
}

TEST_F(RichEditTest, SpinArrowsWrapAndTypingClampsQuietly) {
  EXPECT_EQ(spin->GetCurValue(), 100);
  EXPECT_EQ(spin->ArrowRect(CSpinButton::kUpId), (Rect{70, 152, 86, 164}));
  EXPECT_EQ(spin->ArrowRect(CSpinButton::kDownId), (Rect{70, 166, 86, 178}));
  Click({78, 158});
  EXPECT_EQ(spin->GetCurValue(), 0);
  EXPECT_EQ(spin->GetText(), "0");
  Click({78, 170});
  EXPECT_EQ(spin->GetCurValue(), 100);
  EXPECT_EQ(dialog.CodesFrom(6), (Codes{kNotifySpinChanged, kNotifySpinChanged}));
  dialog.notifications.clear();
  Click({30, 165});
  ui.System().PressKey(vk::kBack);
  ui.System().ReleaseKey(vk::kBack);
  ui.Pump();
  EXPECT_EQ(spin->GetText(), "10");
  ui.System().TypeText("5a");
  ui.Pump();
  EXPECT_EQ(spin->GetCurValue(), 100);
  EXPECT_EQ(spin->GetText(), "100");
  EXPECT_EQ(dialog.CodesFrom(6), (Codes{kNotifyPressed, kNotifyActivated}));
  spin->SetRange(5, 9);
  EXPECT_EQ(spin->GetCurValue(), 9);
}

}  // namespace
}  // namespace tumi
