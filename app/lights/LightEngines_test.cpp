#include "app/lights/LightEngines.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/lights/LightTestFakes.h"
#include "app/link/LinkTestRig.h"
#include "platform/audio/FakeLoopbackCapture.h"
#include "platform/screen/FakeScreenCapture.h"

namespace tessaro {
namespace {

struct EnginesRig : test::LinkRig {
  platform::FakeScreenCapture* screen = nullptr;
  test::FakeKeyPicture picture;
  KeyboardCommands commands{*link, clock};
  std::unique_ptr<LightEngines> engines;

  EnginesRig() {
    link->AddAcceptedMode(0x1A2C, 0x0E24, "", 100, 0, "");
    hid->AddInterface(0x1A2C, 0x0E24, 2);
    hid->AddInterface(0x1A2C, 0x0E24, 3);
    link->OpenAll();
    link->SelectDeviceType(100);
    auto fake_screen = std::make_unique<platform::FakeScreenCapture>(180, 60);
    screen = fake_screen.get();
    LightEngines::Facilities facilities{
        std::make_unique<platform::FakeLoopbackCapture>(platform::SampleForm::kInt16),
        std::make_unique<platform::FakeLoopbackCapture>(platform::SampleForm::kFloat32),
        std::move(fake_screen)};
    engines = std::make_unique<LightEngines>(std::move(facilities), commands, picture, clock);
  }
};

LightKeyLayout OneKey() {
  LightKeyLayout layout;
  layout.rows = 1;
  layout.columns = 1;
  layout.key_matrix[0][0] = 0x41;
  layout.light_slots[0x41] = 7;
  return layout;
}

TEST(LightEnginesTest, ScreenModeOfAFirstGenerationKeyboardStreamsTheScreen) {
  EnginesRig rig;
  rig.screen->Fill(0, 0, 180, 60, 0x00FF00);
  rig.engines->LoadLayout(OneKey(), 100, 0);
  rig.engines->ShowMode(true, 0x400);
  // The screen thread fills the grid; the worker's tick then streams it.
  while (!rig.engines->IdleTick()) std::this_thread::yield();
  EXPECT_EQ(rig.picture.colors[0x41], 0x00FF00u);
  rig.engines->ShowMode(false, 0x400);
  rig.Clear();
  EXPECT_FALSE(rig.engines->IdleTick());
  rig.engines->Stop();
  EXPECT_TRUE(rig.Sent().empty());
}

TEST(LightEnginesTest, MusicModeSendsLevelsForEveryTypeAndPaintsOnlyForTheFirstGeneration) {
  EnginesRig rig;
  rig.engines->LoadLayout(OneKey(), 201, 0);
  rig.engines->SetMusicParameters(2, 1.0f, 5);
  rig.engines->ShowMode(true, 0x200);
  rig.engines->StartLevelCapture();
  while (rig.Sent().empty()) std::this_thread::yield();
  rig.engines->Stop();
  EXPECT_EQ(rig.Sent().front(), "MI_02 feature 8: 07 23 45 67 89 02 05");
  EXPECT_FALSE(rig.engines->IdleTick());  // type 201 makes its own effect
}

}  // namespace
}  // namespace tessaro
