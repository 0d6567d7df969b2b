#include "uilib/keyboard/DListBox.h"

#include <gtest/gtest.h>

#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::RecordingTextSink;
using testing::SkinFixture;

constexpr unsigned kId = 66;
constexpr int kLeft = 20;
constexpr int kTop = 10;

class DListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      list = static_cast<DListBox*>(d.GetPaintManager().AddControl(
          std::make_unique<DListBox>(&d, kId, Rect{kLeft, kTop, kLeft + 240, kTop + 200}, 1)));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 240});
    window = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.System().SetFocus(window);
    ui.Pump();
  }
  void Fill(int count) {
    for (int i = 0; i < count; ++i) list->AddString("Profile " + std::to_string(i), 100 + i, -1);
    ui.Pump();
  }
  // A point on row `row` (unscrolled), x from the list's left.
  static Point OnRow(int row, int x = 100) { return {kLeft + x, kTop + row * 32 + 16}; }
  void Press(Point p, platform::MouseButton button = platform::MouseButton::kLeft) {
    ui.System().MovePointer(window, {p.x, p.y});
    ui.System().PressButton(window, button, {p.x, p.y});
    ui.Pump();
  }
  void Release(Point p, platform::MouseButton button = platform::MouseButton::kLeft) {
    ui.System().ReleaseButton(window, button, {p.x, p.y});
    ui.Pump();
  }
  void Key(int key) {
    ui.System().PressKey(key);
    ui.System().ReleaseKey(key);
    ui.Pump();
  }
  std::vector<Notification> Renames() const {
    std::vector<Notification> out;
    for (const Notification& n : dialog.notifications) {
      if (n.code == kNotifyEditEnded) out.push_back(n);
    }
    return out;
  }

  HeadlessUi ui;
  RecordingDialog dialog;
  WindowId window = platform::kNoWindow;
  DListBox* list = nullptr;
};

TEST_F(DListBoxTest, ItemOperationsRefuseBadIndexes) {
  Fill(3);
  EXPECT_EQ(list->InsertString(-1, "Tail", -1, 7), 3);
  EXPECT_EQ(list->InsertString(4, "Beyond", -1, 8), -1);
  EXPECT_EQ(list->InsertString(-2, "Below", -1, 8), -1);
  list->SetCurSel(2);
  // Inserting before the selection keeps the same row selected.
  EXPECT_EQ(list->InsertString(1, "Middle", -1, 9), 1);
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_EQ(list->GetItemText(1), "Middle");
  EXPECT_EQ(list->GetItemText(9), "");
  EXPECT_EQ(list->FindString("Tail"), 4);
  EXPECT_EQ(list->FindString("tail"), -1);
  EXPECT_EQ(list->FindItemData(9), 1);
  EXPECT_EQ(list->GetItemData(-1), 0u);
  EXPECT_FALSE(list->SetItemData(5, 1));
  EXPECT_EQ(list->SetCurData(777), -1);
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_EQ(list->SetCurData(7), 4);
  EXPECT_EQ(list->GetCurData(), 7u);
  EXPECT_FALSE(list->SetCurSel(5));
  EXPECT_TRUE(list->SetCurSel(-1));
  EXPECT_EQ(list->GetCurData(), 0u);
  EXPECT_TRUE(list->SwapItem(0, 4));
  EXPECT_FALSE(list->SwapItem(2, 2));
  EXPECT_EQ(list->GetItemText(0), "Tail");
  EXPECT_FALSE(list->DeleteItem(5));
  EXPECT_TRUE(list->ModifyItemString(0, "Head"));
  EXPECT_EQ(list->GetItemText(0), "Head");
  EXPECT_TRUE(list->GetItemRect(0).IsEmpty());
}

TEST_F(DListBoxTest, TheScrollBarFollowsTheRows) {
  MControl* bar = list->GetScrollVertical();
  // The wheel does nothing to an empty or short list.
  EXPECT_EQ(list->OnControlScroll(0, 1, OnRow(0)), 0);
  Fill(10);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(list->RowWidth(), 240 - 7);
  // Scrolling commits an open rename: the box would stand over another row.
  list->EnableShowEdit(true);
  list->SetCurSel(0);
  list->ShowEdit();
  ui.System().TypeText("s");
  ui.Pump();
  EXPECT_EQ(list->OnControlScroll(0, 1, OnRow(0)), 1);
  EXPECT_GT(list->Viewport().Offset(), 0);
  EXPECT_EQ(list->GetEditIndex(), -1);
  EXPECT_EQ(list->GetItemText(0), "Profile 0s");
  for (int i = 0; i < 5; ++i) list->DeleteItem(0);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(list->Viewport().Offset(), 0);
  list->DeleteAllItems();
  ui.Pump();
  EXPECT_EQ(list->GetItemCount(), 0);
  EXPECT_EQ(list->OnControlScroll(0, 1, OnRow(0)), 0);
}

TEST_F(DListBoxTest, ClicksSelectAndNotify) {
  Fill(3);
  Press(OnRow(1));
  Release(OnRow(1));
  Press(OnRow(5));  // below the rows: nothing
  Release(OnRow(5));
  Press(OnRow(2), platform::MouseButton::kRight);
  Release(OnRow(2), platform::MouseButton::kRight);
  Press(OnRow(5), platform::MouseButton::kRight);
  Release(OnRow(5), platform::MouseButton::kRight);
  const std::uintptr_t none = static_cast<std::uintptr_t>(-1);
  EXPECT_EQ(dialog.notifications,
            (std::vector<Notification>{{kId, kNotifyPressed, 1, 0},
                                       {kId, kNotifyActivated, 1, 0},
                                       {kId, kNotifyRightReleased, 2, 0},
                                       {kId, kNotifyRightReleased, none, 0}}));
  EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(DListBoxTest, RowsShowTheStatePictureAndTheSelection) {
  ASSERT_TRUE(ui.AddStrip("state.png", 20, 20, 2));
  RecordingTextSink texts;
  list->SetImage("state.png", 2);
  Fill(2);
  list->SetCurSel(1);
  ui.Pump();
  auto row = texts.Find("Profile 1");
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->box, (Rect{50, 32, 240, 64}));
  // The picture is centred in the 50-pixel margin: x 15 to 35.
  EXPECT_EQ(ui.System().ShownPixel(window, {kLeft + 16, kTop + 32 + 16}),
            SkinFixture::StateColor(1));
  EXPECT_EQ(ui.System().ShownPixel(window, {kLeft + 16, kTop + 16}), SkinFixture::StateColor(0));
  EXPECT_EQ(ui.System().ShownPixel(window, {kLeft + 45, kTop + 32 + 2}), Manager::GetSelectColor());
}

TEST_F(DListBoxTest, RenamingReportsOnlyAChangedText) {
  Fill(3);
  list->SetCurSel(1);
  list->ShowEdit();
  EXPECT_EQ(list->GetEditIndex(), -1);  // renaming is off until enabled
  list->EnableShowEdit(true);
  list->ShowEdit();
  ASSERT_NE(list->GetEditWindow(), nullptr);
  EXPECT_EQ(list->GetEditIndex(), 1);
  EXPECT_EQ(list->GetEditWindow()->GetText(), "Profile 1");
  EXPECT_EQ(list->GetEditWindow()->GetRect(),
            (Rect{kLeft + 50, kTop + 32 + 5, kLeft + 240 - 10, kTop + 64 - 7}));
  // Clicking another row commits: nothing changed, nothing reported.
  Press(OnRow(2));
  Release(OnRow(2));
  EXPECT_TRUE(Renames().empty());
  EXPECT_EQ(list->GetEditIndex(), -1);

  list->ShowEdit();
  ui.System().TypeText("!");
  ui.Pump();
  // Committing is not forced while the edited row is the selected one.
  list->HideEdit(false);
  EXPECT_EQ(list->GetEditIndex(), 2);
  Key(vk::kReturn);
  EXPECT_EQ(Renames(), (std::vector<Notification>{{kId, kNotifyEditEnded, 0, 2}}));
  EXPECT_EQ(list->GetItemText(2), "Profile 2!");

  // Escape drops the edit.
  list->ShowEdit();
  ui.System().TypeText("?");
  Key(vk::kEscape);
  EXPECT_EQ(list->GetItemText(2), "Profile 2!");
  EXPECT_EQ(Renames().size(), 1u);
}

TEST_F(DListBoxTest, RemovingRowsKeepsTheEditOnItsRow) {
  Fill(4);
  list->EnableShowEdit(true);
  list->SetCurSel(2);
  list->ShowEdit();
  ui.System().TypeText("x");
  ui.Pump();
  // A row above goes: the edit follows its row up.
  list->DeleteItem(0);
  EXPECT_EQ(list->GetEditIndex(), 1);
  list->HideEdit(true);
  EXPECT_EQ(Renames(), (std::vector<Notification>{{kId, kNotifyEditEnded, 0, 1}}));
  EXPECT_EQ(list->GetItemText(1), "Profile 2x");
  // A swap takes the edit along with its row.
  list->SetCurSel(1);
  list->ShowEdit();
  ui.System().TypeText("z");
  ui.Pump();
  EXPECT_TRUE(list->SwapItem(1, 2));
  EXPECT_EQ(list->GetEditIndex(), 2);
  list->HideEdit(true);
  EXPECT_EQ(list->GetItemText(2), "Profile 2xz");
  EXPECT_EQ(Renames().size(), 2u);
  EXPECT_TRUE(list->SwapItem(1, 2));
  // The edited row itself goes: the edit is dropped, nothing is renamed.
  list->SetCurSel(1);
  list->ShowEdit();
  ui.System().TypeText("y");
  list->DeleteItem(1);
  EXPECT_EQ(list->GetEditIndex(), -1);
  EXPECT_FALSE(list->GetEditWindow()->IsEditing());
  list->HideEdit(true);
  EXPECT_EQ(Renames().size(), 2u);
  EXPECT_EQ(list->FindString("Profile 2xzy"), -1);
}

TEST_F(DListBoxTest, DragPictureIsTheHoveredRowsText) {
  Fill(2);
  EXPECT_EQ(list->GetControlDropBitmap(), nullptr);
  ui.System().MovePointer(window, {OnRow(1).x, OnRow(1).y});
  ui.Pump();
  auto picture = list->GetControlDropBitmap();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(picture->Height(), 32);
  EXPECT_GT(picture->Width(), 60);
  EXPECT_LE(picture->Width(), 300);
}

}  // namespace
}  // namespace tumi
