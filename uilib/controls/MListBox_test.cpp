#include "uilib/controls/MListBox.h"

#include <gtest/gtest.h>

#include "uilib/core/MImageList.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;

constexpr unsigned kListId = 40;

class MListBoxTest : public ::testing::Test {
 protected:
  // A 200 x 150 list (five rows of 30) with `items` rows "Row i", data 100 + i.
  void Open(int items) {
    dialog.on_init = [&](RecordingDialog& d, const Rect&) {
      list = static_cast<MListBox*>(d.CreateControl("MListBox", kListId, {10, 10, 210, 160}));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 400, 300});
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < items; ++i) list->AddString("Row " + std::to_string(i), 100 + i, -1);
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }
  WindowId Id() const { return dialog.GetSafeHwnd(); }
  // A point on row `row` of the list as it is scrolled now.
  platform::Point OnRow(int row) const {
    Rect r = list->GetItemRect(row);
    return {r.left + 60, (r.top + r.bottom) / 2};
  }
  void Move(platform::Point p) {
    ui.System().MovePointer(Id(), p);
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingDialog dialog;
  MListBox* list = nullptr;
};

TEST_F(MListBoxTest, MouseGesturesNotifyWithTheRow) {
  Open(3);
  Move(OnRow(1));
  EXPECT_EQ(list->GetHoverItem(), 1);
  ui.System().Click(Id(), OnRow(1));
  ui.Pump();
  EXPECT_EQ(list->GetCurSel(), 1);
  Move(OnRow(2));
  ui.System().Click(Id(), OnRow(2), platform::MouseButton::kRight);
  ui.Pump();
  EXPECT_EQ(list->GetCurSel(), 2);
  // A double click: its first press, then the double click itself.
  ui.System().Click(Id(), OnRow(2));
  ui.System().Click(Id(), OnRow(2));
  ui.Pump();
  // A press below the last row clears the selection.
  Move({70, 140});
  ui.System().Click(Id(), {70, 140});
  ui.Pump();
  EXPECT_EQ(list->GetCurSel(), -1);
  std::vector<Notification> expected = {
      {kListId, kNotifyPressed, 1, 0},
      {kListId, kNotifyRightReleased, 2, 0},
      {kListId, kNotifyPressed, 2, 0},
      {kListId, kNotifyDoubleClicked, 2, 0},
      {kListId, kNotifyPressed, std::uintptr_t(-1), 0},
  };
  EXPECT_EQ(dialog.notifications, expected);
}

TEST_F(MListBoxTest, IndexOperationsAreQuietAndBoundsChecked) {
  Open(3);
  EXPECT_EQ(list->SetCurSel(2), 1);
  EXPECT_EQ(list->SetCurSel(3), 0);
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(list->SetCurData(100), 0);
  EXPECT_EQ(list->SetCurData(7), -1);
  EXPECT_EQ(list->GetCurSel(), 0);
  EXPECT_EQ(list->FindString("Row 2"), 2);
  EXPECT_EQ(list->FindString("row 2"), -1);
  EXPECT_EQ(list->FindItemData(101), 1);
  EXPECT_EQ(list->InsertString(4, "x"), -1);
  EXPECT_EQ(list->InsertString(3, "Row 3", -1, 103), 3);
  EXPECT_EQ(list->ModifyItemString(3, "Three"), 1);
  EXPECT_EQ(list->GetItemText(3), "Three");
  EXPECT_EQ(list->ModifyItemString(4, "x"), 0);
  EXPECT_EQ(list->GetItemText(-1), "");
  EXPECT_EQ(list->GetItemData(9), 0);
  EXPECT_EQ(list->SetItemData(9, 1), 0);
  EXPECT_EQ(list->SwapItem(0, 3), 1);
  EXPECT_EQ(list->GetItemText(0), "Three");
  EXPECT_EQ(list->SwapItem(0, 4), 0);
  EXPECT_EQ(list->DeleteItem(4), 0);
  EXPECT_TRUE(list->GetItemRect(4).IsEmpty());
  EXPECT_EQ(list->GetItemRect(1), (Rect{10, 40, 210, 70}));
  ui.Pump();
  EXPECT_TRUE(dialog.notifications.empty());
}

TEST_F(MListBoxTest, DeletingKeepsTheSelectionInsideTheList) {
  struct Case {
    const char* name;
    int selected, deleted, expected;
  };
  const Case cases[] = {
      {"before the selection", 2, 0, 1},
      {"the selection", 1, 1, -1},
      {"the last row, selected", 3, 3, -1},
      {"after the selection", 1, 2, 1},
  };
  Open(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    list->DeleteAllItems();
    for (int i = 0; i < 4; ++i) list->AddString("Row " + std::to_string(i), i, -1);
    std::string selected_text = list->GetItemText(c.selected);
    list->SetCurSel(c.selected);
    EXPECT_EQ(list->DeleteItem(c.deleted), 1);
    EXPECT_EQ(list->GetCurSel(), c.expected);
    if (c.expected >= 0) {
      EXPECT_EQ(list->GetItemText(c.expected), selected_text);
    }
    ui.Pump();  // draws without touching a row that is gone
  }
}

TEST_F(MListBoxTest, TheWheelScrollsOnlyHiddenRows) {
  testing::RecordingTextSink texts;
  Open(3);
  EXPECT_FALSE(list->IsBarVisible());
  ui.System().Wheel(Id(), -120, {60, 60});
  ui.Pump();
  EXPECT_EQ(list->GetBarPosition(), 0);
  for (int i = 3; i < 12; ++i) list->AddString("Row " + std::to_string(i), i, -1);
  EXPECT_TRUE(list->IsBarVisible());
  EXPECT_EQ(list->GetBarMaximum(), 360);
  ui.System().Wheel(Id(), -120, {60, 60});
  ui.Pump();
  // One notch moves the bar by ten row steps: (360 - 150) x 100 / 360.
  EXPECT_EQ(list->GetBarPosition(), 100);
  EXPECT_EQ(list->GetView().offset, 58);
  for (int i = 0; i < 5; ++i) ui.System().Wheel(Id(), -120, {60, 60});
  ui.Pump();
  EXPECT_EQ(list->GetView().offset, 210);
  EXPECT_TRUE(texts.Find("Row 11").has_value());
  // The row under the pointer follows the scrolling.
  Move(OnRow(10));
  EXPECT_EQ(list->GetHoverItem(), 10);
  // Emptied while scrolled: nothing left to scroll, nothing divides by zero.
  list->DeleteAllItems();
  ui.System().Wheel(Id(), 120, {60, 60});
  ui.Pump();
  EXPECT_EQ(list->GetView().first, -1);
}

TEST_F(MListBoxTest, TheBarStripPagesTheRows) {
  Open(12);
  ASSERT_TRUE(list->IsBarVisible());
  // The strip along the right edge belongs to the bar, not to a row.
  Move({206, 150});
  EXPECT_EQ(list->GetHoverItem(), -1);
  ui.System().Click(Id(), {206, 150});
  ui.Pump();
  EXPECT_GT(list->GetView().offset, 0);
  EXPECT_EQ(list->GetCurSel(), -1);
  // The bar's move reaches the dialog through the list.
  ASSERT_FALSE(dialog.notifications.empty());
  EXPECT_EQ(dialog.notifications.back().id, 1u);
  EXPECT_EQ(dialog.notifications.back().code, kNotifyScrolled);
}

TEST_F(MListBoxTest, RenamingCommitsOnceOrCancels) {
  namespace vk = platform::vk;
  Open(3);
  list->EnableShowEdit(1);
  testing::RecordingTextSink texts;
  auto double_click = [&](int row) {
    Move(OnRow(row));
    ui.System().Click(Id(), OnRow(row));
    ui.System().Click(Id(), OnRow(row));
    ui.Pump();
  };
  double_click(1);
  ASSERT_EQ(list->GetEditIndex(), 1);
  EXPECT_TRUE(list->GetEditor()->IsEditing());
  // The box covers the row's text, and its text stays readable on the light
  // box although the list's own text is white.
  EXPECT_TRUE(list->GetItemRect(1).Contains(
      {list->GetEditor()->GetRect().left + 10, list->GetEditor()->GetRect().top + 5}));
  auto shown = texts.Find("Row 1");
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->color, 0xFF1E1E1Eu);
  // The caret starts after the last character.
  ui.System().TypeText("!");
  ui.System().PressKey(vk::kReturn);
  ui.Pump();
  EXPECT_EQ(list->GetEditIndex(), -1);
  EXPECT_EQ(list->GetItemText(1), "Row 1!");
  EXPECT_EQ(dialog.CodesFrom(kListId),
            (std::vector<unsigned>{kNotifyPressed, kNotifyDoubleClicked, kNotifyEditEnded}));
  EXPECT_EQ(dialog.notifications.back().lparam, 1);

  // Escape keeps the old text and reports nothing.
  dialog.notifications.clear();
  double_click(2);
  ui.System().TypeText("zzz");
  ui.System().PressKey(vk::kEscape);
  ui.Pump();
  EXPECT_EQ(list->GetItemText(2), "Row 2");
  EXPECT_EQ(dialog.CodesFrom(kListId),
            (std::vector<unsigned>{kNotifyPressed, kNotifyDoubleClicked}));

  // A press on another row ends the rename: committed and reported once,
  // then the press. Losing the focus afterwards reports nothing more.
  dialog.notifications.clear();
  double_click(0);
  ui.System().TypeText("A");
  Move(OnRow(2));
  ui.System().Click(Id(), OnRow(2));
  ui.Pump();
  list->SetControlFocus(0);
  EXPECT_EQ(list->GetItemText(0), "Row 0A");
  EXPECT_EQ(dialog.CodesFrom(kListId), (std::vector<unsigned>{kNotifyPressed, kNotifyDoubleClicked,
                                                              kNotifyEditEnded, kNotifyPressed}));

  // The row being renamed is deleted: the rename goes with it.
  dialog.notifications.clear();
  double_click(1);
  ui.System().TypeText("gone");
  list->DeleteItem(1);
  list->SetControlFocus(0);
  ui.Pump();
  EXPECT_EQ(list->GetEditIndex(), -1);
  EXPECT_EQ(list->FindString("Row 1!gone"), -1);
  EXPECT_EQ(dialog.CodesFrom(kListId),
            (std::vector<unsigned>{kNotifyPressed, kNotifyDoubleClicked}));
}

TEST_F(MListBoxTest, NoRenameWhenEditingIsOff) {
  Open(2);
  Move(OnRow(0));
  ui.System().Click(Id(), OnRow(0));
  ui.System().Click(Id(), OnRow(0));
  ui.Pump();
  EXPECT_EQ(list->GetEditor(), nullptr);
  EXPECT_EQ(dialog.CodesFrom(kListId),
            (std::vector<unsigned>{kNotifyPressed, kNotifyDoubleClicked}));
}

TEST_F(MListBoxTest, IconsSitCentredInTheirColumn) {
  Open(2);
  ASSERT_TRUE(ui.AddStrip("icons.png", 16, 16, 2));
  MImageList icons;
  ASSERT_EQ(icons.AddImage(ui.SkinFile("icons.png"), 1, 2), 0);
  list->SetImageList(&icons);
  list->ModifyItemString(0, "with icon");
  list->DeleteItem(1);
  list->AddString("Row 1", 0);
  list->UpdateControl(1, 0);
  ui.Pump();
  // Row 1 (y 40 to 70) has icon 0: 16 x 16 centred in the 50-pixel column
  // from x 10, so x 27 to 43 and y 47 to 63.
  auto shown = [&](int x, int y) { return ui.System().ShownPixel(Id(), {x, y}); };
  EXPECT_EQ(shown(27, 47), testing::SkinFixture::StateColor(0));
  EXPECT_EQ(shown(42, 62), testing::SkinFixture::StateColor(0));
  EXPECT_NE(shown(26, 55), testing::SkinFixture::StateColor(0));
  EXPECT_NE(shown(43, 55), testing::SkinFixture::StateColor(0));
  // Row 0 has no icon.
  EXPECT_NE(shown(35, 25), testing::SkinFixture::StateColor(0));
  list->SetImageList(nullptr);  // the list does not own it
}

TEST_F(MListBoxTest, DragPictureShowsTheHoveredRow) {
  Open(3);
  EXPECT_EQ(list->GetDropBitmap(), nullptr);
  Move(OnRow(1));
  auto picture = list->GetDropBitmap();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Height(), 30);
  EXPECT_GT(picture->Width(), MListBox::kTextMargin);
  EXPECT_LE(picture->Width(), 300);
  EXPECT_EQ(list->GetCurSel(), 1);
  list->ModifyItemString(1, std::string(200, 'W'));
  EXPECT_EQ(list->GetDropBitmap()->Width(), 300);
}

}  // namespace
}  // namespace tumi
