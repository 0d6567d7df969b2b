// What an assigned key does when pressed and released, as the exact calls on
// the virtual device and the hand-offs.
#include "app/macros/KeyAssignmentPlayer.h"

#include <gtest/gtest.h>

#include "app/macros/FakeVHidev.h"
#include "app/macros/KeyAssignmentEncoding.h"
#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

using Calls = std::vector<std::string>;

KeyAssignment Row(int32_t type, int32_t value, int32_t value2 = 0, int32_t key_code = 0) {
  KeyAssignment row;
  row.key_code = key_code;
  row.macro_type = type;
  row.macro_value = value;
  row.macro_value2 = value2;
  return row;
}

TEST(KeyAssignmentPlayer, PressAndReleaseOfEveryKind) {
  using namespace macro_type;
  struct Case {
    const char* what;
    KeyAssignment row;
    Calls press;
    Calls release;
  };
  const Case cases[] = {
      {"default", Row(kDefault, 0), {}, {}},
      {"disabled", Row(kDisabled, 1), {}, {}},
      {"key A",
       Row(kKey, 4),
       {"ReopenDevice", "KeyEvent 4 down"},
       {"ReopenDevice", "KeyEvent 4 up"}},
      {"usage 0",
       Row(kKey, 0),
       {"ReopenDevice", "KeyEvent 0 down"},
       {"ReopenDevice", "KeyEvent 0 up"}},
      {"right GUI",
       Row(kKey, 231),
       {"ReopenDevice", "KeyEvent 231 down"},
       {"ReopenDevice", "KeyEvent 231 up"}},
      {"volume up",
       Row(kKey, 234),
       {"ReopenDevice", "ConsumerEvent 234 down"},
       {"ReopenDevice", "ConsumerEvent 234 up"}},
      {"my computer",
       Row(kKey, 249),
       {"ReopenDevice", "ConsumerEvent 249 down"},
       {"ReopenDevice", "ConsumerEvent 249 up"}},
      {"code 250", Row(kKey, 250), {}, {}},
      {"negative code", Row(kKey, -1), {}, {}},
      {"Shift + Ctrl + C",
       Row(kKey, 6, kShiftBit | kCtrlBit),
       {"ReopenDevice", "KeyEvent 224 down", "KeyEvent 225 down", "KeyEvent 6 down"},
       {"ReopenDevice", "KeyEvent 6 up", "KeyEvent 225 up", "KeyEvent 224 up"}},
      {"Win + Alt + Tab",
       Row(kKey, 43, kWinBit | kAltBit),
       {"ReopenDevice", "KeyEvent 226 down", "KeyEvent 227 down", "KeyEvent 43 down"},
       {"ReopenDevice", "KeyEvent 43 up", "KeyEvent 227 up", "KeyEvent 226 up"}},
      {"Ctrl + volume up",
       Row(kKey, 234, kCtrlBit),
       {"ReopenDevice", "KeyEvent 224 down", "ConsumerEvent 234 down"},
       {"ReopenDevice", "ConsumerEvent 234 up", "KeyEvent 224 up"}},
      {"macro", Row(kMacro, 7), {"QueueMacro 7"}, {}},
      {"macro without id", Row(kMacro, 0), {}, {}},
      {"mouse left",
       Row(kMouse, 1),
       {"ReopenDevice", "MouseButton 0 down"},
       {"ReopenDevice", "MouseButton 0 up"}},
      {"mouse middle",
       Row(kMouse, 2),
       {"ReopenDevice", "MouseButton 2 down"},
       {"ReopenDevice", "MouseButton 2 up"}},
      {"mouse right",
       Row(kMouse, 3),
       {"ReopenDevice", "MouseButton 1 down"},
       {"ReopenDevice", "MouseButton 1 up"}},
      {"mouse back",
       Row(kMouse, 7),
       {"ReopenDevice", "MouseButton 4 down"},
       {"ReopenDevice", "MouseButton 4 up"}},
      {"mouse forward",
       Row(kMouse, 8),
       {"ReopenDevice", "MouseButton 3 down"},
       {"ReopenDevice", "MouseButton 3 up"}},
      {"mouse code 4", Row(kMouse, 4), {}, {}},
      {"list value", Row(kListValue, 3), {}, {}},
      {"shortcut", Row(kShortcut, 2), {"ReopenDevice", "PlayShortcut 2", "ReleaseAll"}, {}},
      {"program", Row(kProgram, 21), {"PostSoftwareFunction 21"}, {}},
      {"web page", Row(kWebPage, 22), {"PostSoftwareFunction 22"}, {}},
      {"text", Row(kText, 23), {"PostSoftwareFunction 23"}, {}},
      {"profile", Row(kProfile, 24), {"PostSoftwareFunction 24"}, {}},
      {"list function", Row(kListFunction, 500), {}, {}},
      {"unknown kind", Row(4, 4), {}, {}},
  };
  for (const Case& c : cases) {
    FakeVHidev device;
    PlayAssignment(c.row, true, device, device);
    EXPECT_EQ(device.Calls(), c.press) << c.what << ", press";
    device.ClearCalls();
    PlayAssignment(c.row, false, device, device);
    EXPECT_EQ(device.Calls(), c.release) << c.what << ", release";
  }
}

// What the combination dialog stores is what the key plays: C is usage 6 (the
// virtual-key code 67 would be F10), held with both modifiers.
TEST(KeyAssignmentPlayer, ACombinationPlaysWhatTheDialogStored) {
  using namespace macro_type;
  FakeVHidev device;
  const KeyAssignment row = *KeyCombinationAssignment(67, kShiftBit | kCtrlBit);
  PlayAssignment(row, true, device, device);
  PlayAssignment(row, false, device, device);
  EXPECT_EQ(device.Calls(),
            (Calls{"ReopenDevice", "KeyEvent 224 down", "KeyEvent 225 down", "KeyEvent 6 down",
                   "ReopenDevice", "KeyEvent 6 up", "KeyEvent 225 up", "KeyEvent 224 up"}));
}

TEST(KeyAssignmentPlayer, WithoutTheDeviceEventsAreDropped) {
  using namespace macro_type;
  FakeVHidev device;
  device.SetPresent(false);
  for (const KeyAssignment& row :
       {Row(kKey, 4, kCtrlBit), Row(kKey, 234), Row(kMouse, 1), Row(kShortcut, 1)}) {
    PlayAssignment(row, true, device, device);
    PlayAssignment(row, false, device, device);
  }
  for (const std::string& call : device.Calls()) EXPECT_EQ(call, "ReopenDevice");
  // Macros and software functions do not need the device.
  device.ClearCalls();
  PlayAssignment(Row(kMacro, 3), true, device, device);
  PlayAssignment(Row(kText, 5), true, device, device);
  EXPECT_EQ(device.Calls(), (Calls{"QueueMacro 3", "PostSoftwareFunction 5"}));
}

TEST(KeyAssignmentPlayer, LooksKeysUpAndPlaysEachPressOnce) {
  using namespace macro_type;
  FakeVHidev device;
  KeyAssignmentPlayer player(device, device);
  player.SetAssignments({Row(kKey, 4, 0, 65), Row(kKey, 5, 0, 66), Row(kMacro, 9, 0, 67),
                         Row(kText, 1, 0, 68), Row(kText, 2, 0, 68)});
  EXPECT_FALSE(player.OnFilterEvent(69, true));  // no row: the event is not ours
  EXPECT_TRUE(player.OnFilterEvent(65, true));
  EXPECT_TRUE(player.OnFilterEvent(65, true));  // auto-repeat of the held key
  EXPECT_TRUE(player.OnFilterEvent(66, true));
  EXPECT_TRUE(player.OnFilterEvent(65, false));
  EXPECT_TRUE(player.OnFilterEvent(67, true));
  EXPECT_TRUE(player.OnFilterEvent(67, true));
  EXPECT_TRUE(player.OnFilterEvent(67, false));
  EXPECT_TRUE(player.OnFilterEvent(67, true));
  EXPECT_TRUE(player.OnFilterEvent(68, true));  // the later row of a key holds
  EXPECT_EQ(device.Calls(), (Calls{"ReopenDevice", "KeyEvent 4 down", "ReopenDevice",
                                   "KeyEvent 5 down", "ReopenDevice", "KeyEvent 4 up",
                                   "QueueMacro 9", "QueueMacro 9", "PostSoftwareFunction 2"}));

  // A rebuild replaces the rows; a key that lost its row is no longer ours.
  device.ClearCalls();
  player.SetAssignments({Row(kMouse, 1, 0, 66)});
  EXPECT_FALSE(player.OnFilterEvent(65, true));
  EXPECT_TRUE(player.OnFilterEvent(66, true));
  EXPECT_EQ(device.Calls(), (Calls{"ReopenDevice", "MouseButton 0 down"}));
}

}  // namespace
}  // namespace tessaro
