#include "uilib/controls/MComboBox.h"

#include <gtest/gtest.h>

#include "uilib/core/ControlFactory.h"
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

constexpr unsigned kComboId = 36;

platform::Point At(Point p) {
  return {p.x, p.y};
}

class MComboBoxTest : public ::testing::Test {
 protected:
  // A dialog at `origin` on the screen holding one combo box at `rect`.
  void Open(Point origin, const Rect& rect, int items) {
    ASSERT_TRUE(ui.AddStrip("img_combobox.png", 120, 30, 4));
    dialog.on_init = [&](RecordingDialog& d, const Rect&) {
      combo = static_cast<MComboBox*>(d.CreateControl("MComboBox", kComboId, rect));
    };
    dialog.Create(platform::kNoWindow, Rect::FromSize(origin.x, origin.y, 400, 300));
    ASSERT_NE(combo, nullptr);
    combo->SetImage("img_combobox.png", 4);
    for (int i = 0; i < items; ++i) combo->AddItem("Item " + std::to_string(i), 100 + i);
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }

  WindowId Dialog() const { return dialog.GetSafeHwnd(); }
  Point Centre() const {
    const Rect& r = combo->GetRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void ClickCombo() {
    ui.System().MovePointer(Dialog(), At(Centre()));
    ui.System().Click(Dialog(), At(Centre()));
    ui.Pump();
  }
  WindowId PopupWindow() const {
    return combo->GetPopup() ? combo->GetPopup()->GetSafeHwnd() : platform::kNoWindow;
  }
  // Moves onto a row of the open drop-down and clicks it.
  void PickRow(int row) {
    WindowId popup = PopupWindow();
    platform::Point p{20, 6 + row * 30 + 15};
    ui.System().MovePointer(popup, p);
    ui.System().Click(popup, p);
    ui.Pump();
  }
  Argb Shown(Point p) { return ui.System().ShownPixel(Dialog(), At(p)); }

  HeadlessUi ui;
  RecordingDialog dialog;
  MComboBox* combo = nullptr;
};

TEST_F(MComboBoxTest, DropDownGeometry) {
  // The headless screen is 1920 x 1080 with the work area ending at 1040.
  struct Case {
    const char* name;
    Point origin;
    int items;
    Rect expected;  // screen
    bool bar;
  };
  const Case cases[] = {
      {"three rows below", {100, 100}, 3, {124, 152, 234, 254}, false},
      {"five rows at most", {100, 100}, 9, {124, 152, 234, 314}, true},
      {"no rows", {100, 100}, 0, {124, 152, 234, 164}, false},
      // Below would end at 1050: above instead, as wide as the control.
      {"above near the bottom", {100, 900}, 3, {120, 818, 240, 920}, false},
      {"fits exactly", {100, 886}, 3, {124, 938, 234, 1040}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HeadlessUi local;
    RecordingDialog d;
    MComboBox* box = nullptr;
    d.on_init = [&](RecordingDialog& self, const Rect&) {
      box = static_cast<MComboBox*>(self.CreateControl("MComboBox", kComboId, {20, 20, 140, 50}));
    };
    d.Create(platform::kNoWindow, Rect::FromSize(c.origin.x, c.origin.y, 400, 300));
    d.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    for (int i = 0; i < c.items; ++i) box->AddItem("x", i);
    local.Pump();
    local.System().MovePointer(d.GetSafeHwnd(), {50, 30});
    local.System().Click(d.GetSafeHwnd(), {50, 30});
    local.Pump();
    ASSERT_NE(box->GetPopup(), nullptr);
    EXPECT_TRUE(box->IsOpen());
    EXPECT_EQ(box->GetPopup()->GetWindowRect(), c.expected);
    EXPECT_EQ(box->GetPopup()->GetWindowTextW(), "ComboWnd");
    CComboBoxList* list = box->GetPopup()->GetList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetRect(), (Rect{3, 6, c.expected.Width() - 3, c.expected.Height() - 6}));
    EXPECT_EQ(list->GetItemCount(), c.items);
    EXPECT_EQ(list->IsBarVisible(), c.bar);
  }
}

TEST_F(MComboBoxTest, TheWorkAreaOfTheDisplayDecidesWhereItOpens) {
  Open({100, 100}, {20, 20, 140, 50}, 3);
  // A panel along the bottom of a smaller screen leaves no room below.
  ui.System().SetScreen({1280, 400}, platform::Rect{0, 0, 1280, 200});
  ClickCombo();
  EXPECT_EQ(combo->GetPopup()->GetWindowRect(), (Rect{120, 18, 240, 120}));
}

TEST_F(MComboBoxTest, PickingARowSelectsItAndNotifiesOnce) {
  Open({100, 100}, {20, 20, 140, 50}, 3);
  ClickCombo();
  WindowId popup = PopupWindow();
  ASSERT_TRUE(ui.System().IsWindow(popup));
  // Pressed look while open, whatever the pointer does.
  ui.System().MovePointer(Dialog(), {300, 200});
  ui.Pump();
  EXPECT_EQ(Shown(Centre()), SkinFixture::StateColor(2));
  PickRow(1);
  EXPECT_FALSE(ui.System().IsWindow(popup));
  EXPECT_FALSE(combo->IsOpen());
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->GetTitle(), "Item 1");
  EXPECT_EQ(combo->GetCurData(), 101);
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{kComboId, kNotifyActivated, 1, 0}}));
  // The same row again still counts as a choice.
  ClickCombo();
  PickRow(1);
  EXPECT_EQ(dialog.CodesFrom(kComboId),
            (std::vector<unsigned>{kNotifyActivated, kNotifyActivated}));
}

TEST_F(MComboBoxTest, ClosingWithoutAPickChangesNothing) {
  Open({100, 100}, {20, 20, 140, 50}, 3);
  combo->SetCurSel(2);
  ClickCombo();
  WindowId popup = PopupWindow();
  ui.System().MovePointer(Dialog(), {300, 250});
  ui.System().Click(Dialog(), {300, 250});
  ui.Pump();
  EXPECT_FALSE(ui.System().IsWindow(popup));
  EXPECT_FALSE(combo->IsOpen());
  EXPECT_EQ(combo->GetCurSel(), 2);
  EXPECT_TRUE(dialog.notifications.empty());
  EXPECT_EQ(Shown(Centre()), SkinFixture::StateColor(0));
}

TEST_F(MComboBoxTest, SettersAreQuietAndRefuseBadIndexes) {
  Open({100, 100}, {20, 20, 140, 50}, 3);
  EXPECT_EQ(combo->SetCurSel(1), 1);
  EXPECT_EQ(combo->GetTitle(), "Item 1");
  EXPECT_EQ(combo->SetCurSel(3), 0);
  EXPECT_EQ(combo->SetCurSel(-2), 0);
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->SetCurSel(-1), 1);
  EXPECT_EQ(combo->GetTitle(), "");
  EXPECT_EQ(combo->GetCurData(), 0);
  EXPECT_EQ(combo->SelectData(102), 1);
  EXPECT_EQ(combo->GetTitle(), "Item 2");
  EXPECT_EQ(combo->SelectData(7), 0);
  EXPECT_EQ(combo->SetItemText(2, "Renamed"), 1);
  EXPECT_EQ(combo->GetTitle(), "Renamed");
  EXPECT_EQ(combo->SetItemText(3, "x"), 0);
  EXPECT_EQ(combo->SetItemData(5, 1), 0);
  EXPECT_EQ(combo->GetItemData(-1), 0);
  EXPECT_EQ(combo->GetItemText(9), "");
  EXPECT_EQ(combo->InsertItem(4, "x"), -1);
  EXPECT_EQ(combo->InsertItem(-2, "x"), -1);
  EXPECT_EQ(combo->DeleteItem(3), 0);
  EXPECT_EQ(combo->DelAllItems(), 1);
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->GetTitle(), "");
  EXPECT_EQ(combo->InsertItem(0, "first"), 0);
  ui.Pump();
  EXPECT_TRUE(dialog.notifications.empty());
}

TEST_F(MComboBoxTest, TheSelectionFollowsItsItemThroughInsertAndDelete) {
  struct Case {
    const char* name;
    int selected;
    bool insert;  // else delete
    int index;
    int expected_sel;
    const char* expected_title;
  };
  const Case cases[] = {
      {"delete before", 2, false, 0, 1, "Item 2"},
      {"delete the selected", 2, false, 2, -1, ""},
      {"delete the last while it is selected", 3, false, 3, -1, ""},
      {"delete after", 1, false, 3, 1, "Item 1"},
      {"insert before", 1, true, 0, 2, "Item 1"},
      {"insert at the selected", 1, true, 1, 2, "Item 1"},
      {"insert after", 1, true, 2, 1, "Item 1"},
      {"append", 3, true, -1, 3, "Item 3"},
  };
  Open({100, 100}, {20, 20, 140, 50}, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    combo->DelAllItems();
    for (int i = 0; i < 4; ++i) combo->AddItem("Item " + std::to_string(i), i);
    combo->SetCurSel(c.selected);
    if (c.insert) {
      EXPECT_EQ(combo->InsertItem(c.index, "new"), c.index == -1 ? 4 : c.index);
    } else {
      EXPECT_EQ(combo->DeleteItem(c.index), 1);
    }
    EXPECT_EQ(combo->GetCurSel(), c.expected_sel);
    EXPECT_EQ(combo->GetTitle(), c.expected_title);
    EXPECT_EQ(combo->GetItemText(combo->GetCurSel()), c.expected_title);
  }
}

TEST_F(MComboBoxTest, StatesAndTheDisabledLook) {
  testing::RecordingTextSink texts;
  Open({100, 100}, {20, 20, 140, 50}, 2);
  combo->SetCurSel(0);
  ui.Pump();
  EXPECT_EQ(Shown(Centre()), SkinFixture::StateColor(0));
  ui.System().MovePointer(Dialog(), At(Centre()));
  ui.Pump();
  EXPECT_EQ(combo->GetState(), 1);
  EXPECT_EQ(Shown(Centre()), SkinFixture::StateColor(1));
  // Slots 0 to 2 in the text colour, slot 3 in grey; the text box runs from
  // 6 pixels after the left edge to 30 before the right one.
  std::vector<Argb> colours;
  for (const DrawnText& t : texts.Texts()) {
    if (t.text != "Item 0") continue;
    colours.push_back(t.color);
    EXPECT_EQ(t.box.Width(), 120 - 36);
  }
  EXPECT_EQ(colours, (std::vector<Argb>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF808080}));

  combo->SetEnabled(0);
  texts.Clear();
  ui.Pump();
  EXPECT_EQ(combo->GetState(), 3);
  EXPECT_EQ(Shown(Centre()), SkinFixture::StateColor(3));
  bool grey = false;
  for (const DrawnText& t : texts.Texts()) grey |= t.text == "Item 0" && t.color == 0xFF808080;
  EXPECT_TRUE(grey);
  // A disabled combo box does not open.
  ui.System().Click(Dialog(), At(Centre()));
  ui.Pump();
  EXPECT_EQ(combo->GetPopup(), nullptr);
}

TEST_F(MComboBoxTest, TheListScrollsOnlyWhenRowsAreHidden) {
  testing::RecordingTextSink texts;
  for (int items : {3, 9}) {
    SCOPED_TRACE(items);
    HeadlessUi local;
    RecordingDialog d;
    MComboBox* box = nullptr;
    d.on_init = [&](RecordingDialog& self, const Rect&) {
      box = static_cast<MComboBox*>(self.CreateControl("MComboBox", kComboId, {20, 20, 140, 50}));
    };
    d.Create(platform::kNoWindow, Rect::FromSize(100, 100, 400, 300));
    d.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    box->SetTextColor(0xFF112233);
    for (int i = 0; i < items; ++i) box->AddItem("Row " + std::to_string(i), i);
    local.Pump();
    local.System().MovePointer(d.GetSafeHwnd(), {50, 30});
    local.System().Click(d.GetSafeHwnd(), {50, 30});
    local.Pump();
    WindowId popup = box->GetPopup()->GetSafeHwnd();
    CComboBoxList* list = box->GetPopup()->GetList();
    // The list draws in the combo box's text colour.
    auto first = texts.Find("Row 0");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->color, 0xFF112233u);
    for (int notch = 0; notch < 20; ++notch) local.System().Wheel(popup, -120, {20, 40});
    local.Pump();
    if (items == 3) {
      EXPECT_EQ(list->GetView().offset, 0);
      EXPECT_EQ(list->GetBarPosition(), 0);
    } else {
      // Scrolled to the end: the last row ends at the list's bottom.
      EXPECT_EQ(list->GetBarPosition(), list->GetBarMaximum());
      EXPECT_EQ(list->GetView().offset, 9 * 30 - 150);
      EXPECT_EQ(list->GetRowRect(8).bottom, list->GetRect().bottom);
      EXPECT_TRUE(texts.Find("Row 8").has_value());
      // The row under the pointer is the one picked.
      local.System().MovePointer(popup, {20, 6 + 150 - 15});
      local.System().Click(popup, {20, 6 + 150 - 15});
      local.Pump();
      EXPECT_EQ(box->GetCurSel(), 8);
      EXPECT_EQ(d.notifications, (std::vector<Notification>{{kComboId, kNotifyActivated, 8, 0}}));
    }
    texts.Clear();
  }
}

TEST_F(MComboBoxTest, KeysMoveThroughTheDropDownAndPickOrCancel) {
  namespace vk = platform::vk;
  Open({100, 100}, {20, 20, 140, 50}, 9);
  combo->SetCurSel(1);
  ClickCombo();
  CComboBoxList* list = combo->GetPopup()->GetList();
  EXPECT_EQ(list->GetCurSel(), 1);
  for (int i = 0; i < 6; ++i) ui.System().PressKey(vk::kDown);
  ui.Pump();
  EXPECT_EQ(list->GetCurSel(), 7);
  // The chosen row is scrolled fully into view.
  EXPECT_GE(list->GetRowRect(7).top, list->GetRect().top);
  EXPECT_LE(list->GetRowRect(7).bottom, list->GetRect().bottom);
  ui.System().PressKey(vk::kReturn);
  ui.Pump();
  EXPECT_EQ(combo->GetCurSel(), 7);
  EXPECT_FALSE(combo->IsOpen());
  EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{kComboId, kNotifyActivated, 7, 0}}));

  // F4 opens the focused combo box again, and Escape closes it.
  ui.System().PressKey(vk::kF4);
  ui.Pump();
  WindowId popup = PopupWindow();
  ASSERT_TRUE(ui.System().IsWindow(popup));
  EXPECT_TRUE(combo->IsOpen());
  ui.System().PressKey(vk::kHome);
  ui.System().PressKey(vk::kEscape);
  ui.Pump();
  EXPECT_FALSE(ui.System().IsWindow(popup));
  EXPECT_EQ(combo->GetCurSel(), 7);
  EXPECT_EQ(dialog.notifications.size(), 1u);
}

TEST_F(MComboBoxTest, HidingOrDisablingClosesTheDropDown) {
  Open({100, 100}, {20, 20, 140, 50}, 3);
  for (bool hide : {true, false}) {
    SCOPED_TRACE(hide ? "hidden" : "disabled");
    ClickCombo();
    WindowId popup = PopupWindow();
    ASSERT_TRUE(ui.System().IsWindow(popup));
    if (hide) {
      combo->SetVisible(0);
    } else {
      combo->SetEnabled(0);
    }
    ui.Pump();
    EXPECT_FALSE(ui.System().IsWindow(popup));
    EXPECT_FALSE(combo->IsOpen());
    combo->SetVisible(1);
    combo->SetEnabled(1);
  }
  EXPECT_TRUE(dialog.notifications.empty());
}

TEST_F(MComboBoxTest, GoingAwayWhileOpenLeavesNothingBehind) {
  Open({100, 100}, {20, 20, 140, 50}, 3);
  ClickCombo();
  WindowId popup = PopupWindow();
  ASSERT_TRUE(ui.System().IsWindow(popup));
  dialog.GetPaintManager().RemoveControl(combo);
  ui.Pump();
  EXPECT_FALSE(ui.System().IsWindow(popup));
  EXPECT_TRUE(dialog.notifications.empty());
}

}  // namespace
}  // namespace tumi
