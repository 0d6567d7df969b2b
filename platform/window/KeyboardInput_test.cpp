#include "platform/window/KeyboardInput.h"

#include <gtest/gtest.h>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "platform/window/sdl/SdlKeyTable.h"
#include "platform/window/testing/RecordingHandler.h"

namespace platform {
namespace {

class KeyboardInputTest : public testing::Test {
 protected:
  void SetUp() override {
    w = ws->Create(WindowParams{"t", Rect{0, 0, 100, 100}, kStyleTopLevel, kNoWindow, &handler});
    ws->Show(w, ShowCommand::kShow);
    ws->Pump();
    handler.Clear();
  }

  std::unique_ptr<HeadlessWindowSystem> ws = HeadlessWindowSystem::Make();
  RecordingHandler handler{ws.get()};
  WindowId w = kNoWindow;
};

TEST_F(KeyboardInputTest, KeysBecomeKeyAndSystemKeyMessages) {
  ws->PressKey('A');
  ws->PressKey('A');  // auto-repeat
  ws->ReleaseKey('A');
  ws->PressKey(vk::kLMenu);
  ws->PressKey(vk::kF4);
  EXPECT_TRUE(ws->IsKeyDown(vk::kMenu));
  EXPECT_TRUE(ws->IsKeyDown(vk::kF4));
  ws->ReleaseKey(vk::kF4);
  ws->ReleaseKey(vk::kLMenu);
  ws->Pump();
  std::vector<Message> got =
      handler.Only({msg::kKeyDown, msg::kKeyUp, msg::kSysKeyDown, msg::kSysKeyUp});
  ASSERT_EQ(got.size(), 7u);
  auto bits = [](const Message& m) { return static_cast<std::uint32_t>(m.lparam); };
  EXPECT_EQ(got[0].message, msg::kKeyDown);
  EXPECT_EQ(got[0].wparam, static_cast<std::uintptr_t>('A'));
  EXPECT_EQ(bits(got[0]) & (1u << 30), 0u);
  EXPECT_NE(bits(got[1]) & (1u << 30), 0u);  // was already down
  EXPECT_EQ(got[2].message, msg::kKeyUp);
  EXPECT_NE(bits(got[2]) & (1u << 31), 0u);
  // Alt alone and keys under Alt are system keys, with the generic Alt code.
  EXPECT_EQ(got[3].message, msg::kSysKeyDown);
  EXPECT_EQ(got[3].wparam, static_cast<std::uintptr_t>(vk::kMenu));
  EXPECT_EQ(got[4].message, msg::kSysKeyDown);
  EXPECT_EQ(got[4].wparam, static_cast<std::uintptr_t>(vk::kF4));
  EXPECT_NE(bits(got[4]) & (1u << 29), 0u);
  // Nothing of it closed the window: that is the handler's choice.
  EXPECT_TRUE(ws->IsWindow(w));
}

TEST_F(KeyboardInputTest, TextArrivesAsCodePointsWithTheEditingKeys) {
  ws->TypeText("aé€😀");
  ws->PressKey(vk::kBack);
  ws->PressKey(vk::kControl);
  ws->PressKey(vk::kReturn);  // with Ctrl: no character
  ws->Pump();
  std::vector<std::uintptr_t> chars;
  for (const Message& m : handler.Only({msg::kChar})) chars.push_back(m.wparam);
  EXPECT_EQ(chars, (std::vector<std::uintptr_t>{U'a', U'é', U'€', U'😀', 8}));
}

TEST_F(KeyboardInputTest, CompositionStartsChangesAndEnds) {
  ws->StartTextInput(w, Rect{10, 20, 12, 36});
  EXPECT_TRUE(ws->TextInputActive());
  EXPECT_EQ(ws->TextInputCaret(), (Rect{10, 20, 12, 36}));
  ws->Compose("n", 1);
  ws->Compose("ni", 2);
  EXPECT_EQ(ws->CurrentComposition(), (Composition{"ni", 2, 0}));
  ws->Compose("", 0);
  ws->TypeText("你");
  ws->Pump();
  EXPECT_EQ(handler.Numbers({msg::kImeStartComposition, msg::kImeComposition,
                             msg::kImeEndComposition, msg::kChar}),
            (std::vector<std::uint32_t>{msg::kImeStartComposition, msg::kImeComposition,
                                        msg::kImeComposition, msg::kImeComposition,
                                        msg::kImeEndComposition, msg::kChar}));
  ws->StopTextInput();
  EXPECT_FALSE(ws->TextInputActive());
}

TEST_F(KeyboardInputTest, FocusMovesWithKillAndSetFocus) {
  RecordingHandler other{ws.get()};
  WindowId v = ws->Create(WindowParams{"v", Rect{0, 0, 10, 10}, kStyleTopLevel, kNoWindow, &other});
  EXPECT_EQ(ws->SetFocus(v), w);
  EXPECT_EQ(handler.Numbers({msg::kNcActivate, msg::kKillFocus}),
            (std::vector<std::uint32_t>{msg::kNcActivate, msg::kKillFocus}));
  EXPECT_EQ(other.Numbers({msg::kNcActivate, msg::kSetFocus}),
            (std::vector<std::uint32_t>{msg::kNcActivate, msg::kSetFocus}));
  ws->PressKey('B');
  ws->Pump();
  EXPECT_EQ(other.Only({msg::kKeyDown}).size(), 1u);
  EXPECT_TRUE(ws->SetClipboardText("Ünïcode"));
  EXPECT_EQ(ws->ClipboardText(), "Ünïcode");
}

TEST(SdlKeyTable, MapsKeyCodesToVirtualKeys) {
  struct Case {
    SDL_Keycode key;
    SDL_Scancode scan;
    int expected;
  };
  const Case cases[] = {
      {SDLK_a, SDL_SCANCODE_A, 'A'},
      {SDLK_z, SDL_SCANCODE_Y, 'Z'},  // a German layout: the key code wins
      {SDLK_5, SDL_SCANCODE_5, '5'},
      {SDLK_F1, SDL_SCANCODE_F1, vk::kF1},
      {SDLK_F24, SDL_SCANCODE_F24, vk::kF1 + 23},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, vk::kRControl},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, vk::kReturn},
      {SDLK_KP_7, SDL_SCANCODE_KP_7, vk::kNumpad0 + 7},
      {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, vk::kOem1},
      {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, vk::kNext},
      {0x0444, SDL_SCANCODE_A, 'A'},  // Cyrillic "ф" on the A key
      {0x00F6, SDL_SCANCODE_NONUSBACKSLASH, vk::kOem102},
      {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFromSdl(c.key, c.scan), c.expected) << c.key;
  }
  EXPECT_TRUE(IsExtendedKey(SDL_SCANCODE_RALT));
  EXPECT_FALSE(IsExtendedKey(SDL_SCANCODE_LALT));
}

}  // namespace
}  // namespace platform
