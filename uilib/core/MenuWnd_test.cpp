#include "uilib/core/MenuWnd.h"

#include <gtest/gtest.h>

#include "platform/window/testing/RecordingHandler.h"
#include "uilib/core/MPopupWnd.h"
#include "uilib/core/MRender.h"
#include "uilib/core/MShadow.h"
#include "uilib/core/Manager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

namespace msg = platform::msg;
using testing::HeadlessUi;

constexpr std::uint32_t kMenuMessage = 1825;

class MenuWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::WindowParams params;
    params.bounds = {0, 0, 800, 600};
    params.handler = &owner_messages;
    owner = ui.System().Create(params);
    ui.System().Show(owner, platform::ShowCommand::kShow);
  }

  // A menu of 200 pixels at (100, 100) with the given items, shown.
  MenuWnd* Open(std::initializer_list<std::pair<const char*, unsigned>> items) {
    auto* menu = new MenuWnd(nullptr);
    EXPECT_EQ(menu->Create(owner, Point{100, 100}, kMenuMessage, {}, 4, 200, kBackNatural), 1);
    for (const auto& [title, id] : items) menu->AddMenu(title, id);
    menu->Popup();
    ui.Pump();
    return menu;
  }

  // Client point of the menu's item.
  Point Centre(MenuWnd* menu, unsigned id) {
    const Rect& r = menu->GetControl(id)->GetRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  HeadlessUi ui;
  platform::RecordingHandler owner_messages;
  WindowId owner = platform::kNoWindow;
};

TEST_F(MenuWndTest, ItemsAreLaidOutAndTheMenuSizedToThem) {
  MenuWnd* menu = Open({{"Copy", 1}, {"Paste", 2}, {"Clear", 3}});
  EXPECT_EQ(menu->GetWindowRect(), (Rect{100, 100, 300, 217}));
  EXPECT_EQ(menu->GetControl(2)->GetRect(), (Rect{2, 41, 198, 76}));
  menu->AddSeparator(9);
  EXPECT_EQ(menu->GetControl(9)->GetRect(), (Rect{6, 112, 199, 113}));
  EXPECT_EQ(menu->GetWindowRect().Height(), 121);
  menu->SetItemVisible("2", 0);
  EXPECT_TRUE(menu->GetControl(2)->GetRect().IsEmpty());
  EXPECT_EQ(menu->GetWindowRect().Height(), 86);

  std::string wide(40, 'W');
  TextFormat format;
  format.single_line = true;
  int text = MRender::GetTextBounds(FontSpec{Manager::GetFontName(), 14, 0}, wide, format).cx;
  ASSERT_GT(text, 200 - 9);
  menu->AddMenu(wide, 4);
  EXPECT_EQ(menu->GetMenuWidth(), text + 9);
  EXPECT_EQ(menu->GetWindowRect().Width(), text + 9);
  menu->DestroyWindow();  // deletes the menu
}

TEST_F(MenuWndTest, ClickOnAnItemPostsItsIdAndClosesTheMenu) {
  MenuWnd* menu = Open({{"Assign", 605}, {"Reset", 606}});
  WindowId id = menu->GetSafeHwnd();
  Point p = Centre(menu, 606);
  ui.System().MovePointer(id, {p.x, p.y});
  ui.System().Click(id, {p.x, p.y});
  ui.Pump();
  EXPECT_FALSE(ui.System().IsWindow(id));
  EXPECT_EQ(owner_messages.Only({kMenuMessage}),
            (std::vector<platform::Message>{{owner, kMenuMessage, 0, 606}}));
}

TEST_F(MenuWndTest, ClickElsewhereClosesWithoutAChoice) {
  // A click on the owner window, or anywhere outside the program.
  for (bool on_owner : {true, false}) {
    MenuWnd* menu = Open({{"Assign", 605}});
    WindowId id = menu->GetSafeHwnd();
    if (on_owner) {
      ui.System().Click(owner, {400, 400});
    } else {
      ui.System().DeactivateApp();
    }
    ui.Pump();
    EXPECT_FALSE(ui.System().IsWindow(id)) << on_owner;
  }
  EXPECT_TRUE(owner_messages.Only({kMenuMessage}).empty());
}

TEST_F(MenuWndTest, CheckableAndDisabledItemsStayWithinTheirSlots) {
  testing::RecordingTextSink texts;
  MenuWnd* menu = Open({{"Plain", 1}, {"Grey", 2}, {"Toggle", 3}});
  auto* plain = static_cast<MenuItem*>(menu->GetControl(1));
  auto* grey = static_cast<MenuItem*>(menu->GetControl(2));
  auto* toggle = static_cast<MenuItem*>(menu->GetControl(3));
  EXPECT_EQ(plain->SetCheck(1), 0);  // not checkable
  toggle->SetCheckable(1);
  toggle->SetGroupName("");
  EXPECT_EQ(toggle->SetCheck(1), 1);
  WindowId id = menu->GetSafeHwnd();
  Point p = Centre(menu, 3);
  ui.System().MovePointer(id, {p.x, p.y});
  ui.Pump();
  EXPECT_EQ(toggle->GetState(), MenuItem::kHoverChecked);
  EXPECT_LT(toggle->SlotOf(toggle->GetState()), toggle->SlotCount());
  // A press reports the old check; the release toggles it.
  ui.System().Click(id, {p.x, p.y});
  ui.Pump();
  EXPECT_EQ(toggle->GetCheck(), 0);
  EXPECT_EQ(owner_messages.Only({kMenuMessage}),
            (std::vector<platform::Message>{{owner, kMenuMessage, 1, 3}}));
  toggle->SetCheck(1);
  toggle->SetEnabled(0);
  EXPECT_EQ(toggle->GetState(), MenuItem::kDisabledChecked);
  EXPECT_EQ(toggle->SetCheck(0), 1);  // a disabled item keeps its check
  grey->SetEnabled(0);
  texts.Clear();
  ui.Pump();
  EXPECT_EQ(plain->SlotOf(7), 3);
  auto drawn = texts.Texts();
  bool grey_text = std::any_of(drawn.begin(), drawn.end(), [](const DrawnText& t) {
    return t.text == "Grey" && t.color == 0xFE808080;
  });
  EXPECT_TRUE(grey_text);
  menu->DestroyWindow();
}

TEST_F(MenuWndTest, PopupClosesWhenItLosesActivation) {
  struct Parent : MObject {
    long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t, std::intptr_t) override {
      got = {id, code};
      return 0;
    }
    std::pair<unsigned, unsigned> got;
  } parent;
  MPopupWnd popup;
  popup.SetParent(&parent);
  popup.Create(owner, Rect{10, 10, 110, 110});
  popup.Popup();
  ui.Pump();
  EXPECT_EQ(popup.SendMessageToParent(2, 0, 0), 0);
  EXPECT_EQ(parent.got, (std::pair<unsigned, unsigned>{0, 2}));
  ui.System().Click(owner, {400, 400});
  ui.Pump();
  EXPECT_EQ(popup.GetSafeHwnd(), platform::kNoWindow);
}

TEST(MShadowTest, SettersRejectValuesOutOfRange) {
  MShadow shadow;
  EXPECT_EQ(shadow.SetSize(36), 0);
  EXPECT_EQ(shadow.SetSize(-35), 1);
  EXPECT_EQ(shadow.SetSharpness(36), 0);
  EXPECT_EQ(shadow.SetSharpness(35), 1);
  EXPECT_EQ(shadow.SetDarkness(256), 0);
  EXPECT_EQ(shadow.SetDarkness(255), 1);
  EXPECT_EQ(shadow.SetPosition(0, -36), 0);
  EXPECT_EQ(shadow.SetPosition(35, -35), 1);
  EXPECT_EQ(shadow.SetShadowCorner({0, -1, 0, 0}), 0);
  EXPECT_EQ(shadow.GetSize(), -35);
  EXPECT_EQ(shadow.GetOffset(), (Point{35, -35}));
}

}  // namespace
}  // namespace tumi
