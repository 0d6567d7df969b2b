#include "uilib/keyboard/CRecordList.h"

#include <gtest/gtest.h>

#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::RecordingTextSink;

constexpr unsigned kId = 90;
constexpr int kLeft = 10;
constexpr int kTop = 20;

class CRecordListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      list = static_cast<CRecordList*>(d.GetPaintManager().AddControl(
          std::make_unique<CRecordList>(&d, kId, Rect{kLeft, kTop, kLeft + 440, kTop + 200}, 1)));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 480, 260});
    window = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.System().SetFocus(window);
    list->AddString("A", RecordItem::kKeyDown, 4, 250);
    list->AddString("A", RecordItem::kKeyUp, 4, 30);
    list->AddString("Wait", 9, 0, 1000);
    ui.Pump();
  }
  static Point OnRow(int row, int x) { return {kLeft + x, kTop + row * 41 + 20}; }
  void Click(Point p, platform::MouseButton button = platform::MouseButton::kLeft) {
    ui.System().MovePointer(window, {p.x, p.y});
    ui.System().Click(window, {p.x, p.y}, button);
    ui.Pump();
  }
  int Delay(int row) const { return list->GetRecordItems()[row]->delay; }
  std::vector<unsigned> Codes() const { return dialog.CodesFrom(kId); }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId window = platform::kNoWindow;
  CRecordList* list = nullptr;
};

TEST_F(CRecordListTest, RowsShowTextKindAndDelayInTheirColumns) {
  RecordingTextSink texts;
  list->SetCurSel(0);
  ui.Pump();
  auto kind = texts.Find("Key Up");
  ASSERT_TRUE(kind.has_value());
  EXPECT_EQ(kind->box, (Rect{180, 41, 280, 82}));
  auto delay = texts.Find("1000");
  ASSERT_TRUE(delay.has_value());
  EXPECT_EQ(delay->box, (Rect{300, 82, 420, 123}));
  EXPECT_TRUE(texts.Find("Key Down").has_value());
  EXPECT_EQ(texts.Find("Wait")->box, (Rect{0, 82, 160, 123}));
  // Only the kinds 2 and 3 are named.
  int kinds = 0;
  for (const DrawnText& t : texts.Texts()) kinds += t.box.left == 180 && !t.text.empty();
  EXPECT_EQ(kinds, 2);
}

TEST_F(CRecordListTest, ClicksSelectNotifyAndOpenTheDelayEditor) {
  Click(OnRow(1, 50));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(list->GetEditIndex(), -1);
  Click(OnRow(4, 50));  // inside the list, below the rows
  EXPECT_EQ(list->GetCurSel(), -1);
  Click(OnRow(2, 50), platform::MouseButton::kRight);
  Click(OnRow(4, 50), platform::MouseButton::kRight);
  const std::uintptr_t none = static_cast<std::uintptr_t>(-1);
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{kId, kNotifyPressed, 1, 0},
                                                             {kId, kNotifyPressed, none, 0},
                                                             {kId, kNotifyRightReleased, 2, 0}}));
  Click(OnRow(0, 310));
  EXPECT_EQ(list->GetEditIndex(), 0);
  ASSERT_NE(list->GetEditWindow(), nullptr);
  EXPECT_EQ(list->GetEditWindow()->GetText(), "250");
  // Font 14: ((41 - 14) / 2 - 3) below the row's top, 17 high.
  EXPECT_EQ(list->GetEditWindow()->GetRect(),
            (Rect{kLeft + 300, kTop + 10, kLeft + 420, kTop + 27}));
}

TEST_F(CRecordListTest, DelayEditingCommitsNumbers) {
  struct Case {
    const char* typed;
    int delay;
  };
  // The box holds at most five digits and nothing else; empty means 10.
  for (const Case& c : {Case{"", 10}, Case{"1234567", 12345}, Case{"4a2", 42}, Case{"007", 7}}) {
    SCOPED_TRACE(c.typed);
    Click(OnRow(1, 350));
    ASSERT_EQ(list->GetEditIndex(), 1);
    list->GetEditWindow()->SetText("");
    ui.System().TypeText(c.typed);
    ui.Pump();
    // Another row's text column commits the edit.
    Click(OnRow(2, 50));
    EXPECT_EQ(list->GetEditIndex(), -1);
    EXPECT_EQ(Delay(1), c.delay);
  }
  // The same delay again: committed without news.
  dialog.notifications.clear();
  Click(OnRow(1, 350));
  list->HideEdit(true);
  EXPECT_EQ(Codes(), (std::vector<unsigned>{kNotifyPressed}));
  // A change is reported with its row.
  Click(OnRow(0, 350));
  list->GetEditWindow()->SetText("99");
  list->HideEdit(true);
  EXPECT_EQ(dialog.notifications.back(), (Notification{kId, kNotifyEditEnded, 0, 0}));
  EXPECT_EQ(Delay(0), 99);
}

TEST_F(CRecordListTest, LastDelayAndRemovalOfTheEditedRow) {
  EXPECT_TRUE(list->UpdateDelayTime(77));
  EXPECT_EQ(Delay(2), 77);
  Click(OnRow(2, 350));
  ASSERT_EQ(list->GetEditIndex(), 2);
  list->DeleteItem(2);
  EXPECT_EQ(list->GetEditIndex(), -1);
  list->HideEdit(true);
  EXPECT_EQ(dialog.CodesFrom(kId), (std::vector<unsigned>{kNotifyPressed}));
  list->DeleteAllItems();
  EXPECT_FALSE(list->UpdateDelayTime(5));
  EXPECT_TRUE(list->GetRecordItems().empty());
}

}  // namespace
}  // namespace tumi
