#include "app/shell/CloseBehaviour.h"

#include <gtest/gtest.h>

#include "platform/system/SettingsStore.h"

namespace tessaro {
namespace {

struct CloseCase {
  const char* name;
  std::optional<std::string> stored;  // "exit_mode" before the click
  std::optional<int> dialog;          // what the dialog answers, when it is shown
  bool tray_present;
  CloseAction action;
  bool asked;
  std::optional<std::string> stored_after;
};

TEST(CloseBehaviour, CloseButtonTable) {
  const CloseCase cases[] = {
      {"first close, hide chosen", std::nullopt, 1, true, CloseAction::kHide, true, "1"},
      {"first close, exit chosen", std::nullopt, 2, true, CloseAction::kExit, true, "2"},
      {"dialog closed from outside", std::nullopt, std::nullopt, true, CloseAction::kNone, true,
       std::nullopt},
      {"0 stored counts as not chosen", "0", std::nullopt, true, CloseAction::kNone, true, "0"},
      {"hide stored", "1", std::nullopt, true, CloseAction::kHide, false, "1"},
      {"hide stored, no notification area", "1", std::nullopt, false, CloseAction::kMinimize, false,
       "1"},
      {"exit stored", "2", std::nullopt, true, CloseAction::kExit, false, "2"},
      {"an unknown value exits", "7", std::nullopt, true, CloseAction::kExit, false, "7"},
  };
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform::FakeSettingsStore store;
    Registry registry(store);
    if (c.stored) store.Write(CloseBehaviour::kSetting, *c.stored);
    store.key_exists = true;
    CloseBehaviour behaviour(registry);
    bool asked = false;
    const CloseAction action = behaviour.OnCloseButton(
        [&]() -> std::optional<int> {
          asked = true;
          if (!c.dialog) return std::nullopt;
          CloseWindowTipChoice choice(registry);
          choice.Select(*c.dialog == 1 ? CloseWindowTipChoice::kHideButton
                                       : CloseWindowTipChoice::kExitButton);
          return choice.Confirm();
        },
        c.tray_present);
    EXPECT_EQ(action, c.action);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(store.Read(CloseBehaviour::kSetting), c.stored_after);
  }
}

TEST(CloseBehaviour, AChoiceTheSettingsCouldNotKeepStillDecidesThisClose) {
  platform::FakeSettingsStore store;
  store.fail_open = true;
  Registry registry(store);
  CloseBehaviour behaviour(registry);
  EXPECT_EQ(behaviour.OnCloseButton([] { return std::optional<int>(1); }, true),
            CloseAction::kHide);
}

TEST(CloseWindowTipChoice, OpensOnTheStoredChoiceAndStoresOnlyOnOk) {
  platform::FakeSettingsStore store;
  store.key_exists = true;
  Registry registry(store);
  EXPECT_EQ(CloseWindowTipChoice(registry).Selected(), CloseWindowTipChoice::kHideButton);
  store.values[CloseBehaviour::kSetting] = "2";
  CloseWindowTipChoice choice(registry);
  EXPECT_EQ(choice.Selected(), CloseWindowTipChoice::kExitButton);
  choice.Select(CloseWindowTipChoice::kOkButton);  // not a choice
  EXPECT_EQ(choice.Selected(), CloseWindowTipChoice::kExitButton);
  choice.Select(CloseWindowTipChoice::kHideButton);
  EXPECT_EQ(store.values[CloseBehaviour::kSetting], "2");  // nothing stored before OK
  EXPECT_EQ(choice.Confirm(), CloseBehaviour::kHideToTray);
  EXPECT_EQ(store.values[CloseBehaviour::kSetting], "1");
}

TEST(CloseBehaviour, TooltipFollowsTheStoredChoice) {
  platform::FakeSettingsStore store;
  store.key_exists = true;
  Registry registry(store);
  CloseBehaviour behaviour(registry);
  EXPECT_EQ(behaviour.CloseButtonTip(), CloseBehaviour::kTipHide);
  store.values[CloseBehaviour::kSetting] = "2";
  EXPECT_EQ(behaviour.CloseButtonTip(), CloseBehaviour::kTipExit);
  store.values[CloseBehaviour::kSetting] = "1";
  EXPECT_EQ(behaviour.CloseButtonTip(), CloseBehaviour::kTipHide);
}

}  // namespace
}  // namespace tessaro
