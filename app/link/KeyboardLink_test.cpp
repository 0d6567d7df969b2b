// Discovery rules and transport primitives of the keyboard link, on the
// scripted HID fake.
#include "app/link/KeyboardLink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "app/link/CommandReports.h"
#include "app/link/LinkTestRig.h"

namespace tessaro {
namespace {

using test::LinkRig;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kVid = 0x1A2C;
constexpr int kWired = 0x0E24, kDongle = 0x0E25, kBluetooth = 0x0E26;

TEST(KeyboardLinkDiscovery, SameIdsInTwoModesTakeTheFirstModesType) {
  LinkRig rig;
  rig.link->AddAcceptedMode(kVid, kWired, "", 201, 0, "VID_1A2C&PID_0E24&MI_02");
  rig.link->AddAcceptedMode(kVid, kWired, "", 105, 1, "VID_1A2C&PID_0E24&MI_02");
  rig.hid->AddInterface(kVid, kWired, 2);
  rig.link->OpenAll();

  std::vector<LinkedInterfaceInfo> all;
  ASSERT_TRUE(rig.link->CollectInterfaces(all));
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].device_type, 201);
  EXPECT_EQ(all[0].mode_value, 0);
  EXPECT_EQ(all[0].identity, "HID#VID_1A2C&PID_0E24&MI_02");
}

TEST(KeyboardLinkDiscovery, NamedModesAcceptNothingButAnUnnamedTwinDoes) {
  LinkRig rig;
  rig.link->AddAcceptedMode(kVid, kWired, "Q700", 201, 0, "");
  rig.hid->AddInterface(kVid, kWired, 2);
  rig.link->OpenAll();
  std::vector<LinkedInterfaceInfo> none;
  EXPECT_FALSE(rig.link->CollectInterfaces(none));
  EXPECT_EQ(rig.hid->OpenCalls(), 0);

  rig.link->CloseAll();
  rig.link->AddAcceptedMode(kVid, kWired, "", 201, 0, "");
  rig.link->OpenAll();
  EXPECT_EQ(rig.link->FindInterface(kVid, kWired, "", 0), 0);
  EXPECT_EQ(rig.link->FindInterface(kVid, kWired, "Q700", 0), -1);
  EXPECT_EQ(rig.link->FindInterface(kVid, kWired, "", 1), -1);
  EXPECT_EQ(rig.link->FindInterface(kVid, kDongle, "", 0), -1);
}

TEST(KeyboardLinkDiscovery, InterfaceThreeStreamsAndInterfaceTwoTakesCommands) {
  LinkRig rig;
  rig.link->AddAcceptedMode(kVid, kWired, "", 201, 0, "");
  rig.hid->AddInterface(kVid, kWired, 0, 0x0001, 0x0006);  // the boot keyboard
  rig.hid->AddInterface(kVid, kWired, 2);
  rig.hid->AddInterface(kVid, kWired, 3);
  rig.hid->AddInterface(0x046D, 0xC52B, 2);  // somebody else's vendor collection
  rig.link->OpenAll();

  std::vector<LinkedInterfaceInfo> all;
  ASSERT_TRUE(rig.link->CollectInterfaces(all));
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].identity, "HID#VID_1A2C&PID_0E24&MI_02");
  EXPECT_TRUE(rig.link->HasStreamInterface());
  rig.link->SelectDeviceType(201);
  ASSERT_TRUE(rig.link->GetCommandInterface());
  EXPECT_EQ(rig.link->GetCommandInterface()->identity, "HID#VID_1A2C&PID_0E24&MI_02");
  EXPECT_EQ(rig.hid->OpenCalls(), 2);  // neither the boot keyboard nor the stranger
  EXPECT_EQ(rig.hid->OpenHandles(), 2);
}

TEST(KeyboardLinkDiscovery, ConnectionModeAndCommandInterfacePreferDifferently) {
  struct Case {
    const char* name;
    std::vector<int> modes_present;  // one interface per mode, in enumeration order
    int connection_mode;
    int command_mode;  // -1: none
  } cases[] = {
      {"wired and dongle", {1, 0}, 0, 0},
      {"dongle and bluetooth", {2, 1}, 2, 1},
      {"bluetooth only", {2}, 2, 2},
      {"dongle only", {1}, 1, 1},
      {"nothing", {}, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkRig rig;
    const int pids[] = {kWired, kDongle, kBluetooth};
    for (int mode = 0; mode < 3; ++mode)
      rig.link->AddAcceptedMode(kVid, pids[mode], "", 201, mode, "");
    rig.link->AddAcceptedMode(kVid, 0x0F00, "", 105, 0, "");  // another model, another type
    rig.hid->AddInterface(kVid, 0x0F00, 2);
    for (int mode : c.modes_present) rig.hid->AddInterface(kVid, pids[mode], 2);
    rig.link->OpenAll();
    rig.link->SelectDeviceType(201);

    EXPECT_EQ(rig.link->GetConnectionMode(), c.connection_mode);
    const std::optional<LinkedInterfaceInfo> command = rig.link->GetCommandInterface();
    EXPECT_EQ(command ? command->mode_value : -1, c.command_mode);
    std::vector<LinkedInterfaceInfo> of_type;
    ASSERT_TRUE(rig.link->CollectInterfaces(of_type));
    EXPECT_EQ(of_type.size(), c.modes_present.size());
  }
}

TEST(KeyboardLinkDiscovery, RefusedOpensAreSkippedAndCloseAllIsHarmlessTwice) {
  LinkRig rig;
  rig.link->AddAcceptedMode(kVid, kWired, "", 201, 0, "");
  rig.link->AddAcceptedMode(kVid, kDongle, "", 201, 1, "");
  const auto refused = rig.hid->AddInterface(kVid, kWired, 2);
  rig.hid->AddInterface(kVid, kDongle, 2);
  rig.hid->RefuseOpen(refused.path);
  rig.link->OpenAll();
  EXPECT_EQ(rig.link->FindInterface(kVid, kWired, "", 0), -1);
  EXPECT_EQ(rig.link->FindInterface(kVid, kDongle, "", 1), 0);

  rig.link->OpenAll();  // again, without closing: still one handle per interface
  EXPECT_EQ(rig.hid->OpenHandles(), 1);

  rig.link->CloseAll();
  rig.link->CloseAll();
  EXPECT_FALSE(rig.link->IsOpen());
  EXPECT_EQ(rig.hid->OpenHandles(), 0);
  EXPECT_EQ(rig.link->FindInterface(kVid, kDongle, "", 1), -1);
  EXPECT_FALSE(rig.link->WriteReport(OutputReport{}));
  EXPECT_THAT(rig.Sent(), IsEmpty());
  EXPECT_THAT(rig.Waits(), IsEmpty());
}

// A composite keyboard: commands on interface 2, streams on interface 3.
LinkRig& OpenComposite(LinkRig& rig, bool with_stream = true) {
  rig.link->AddAcceptedMode(kVid, kWired, "", 201, 0, "");
  rig.hid->AddInterface(kVid, kWired, 2);
  if (with_stream) rig.hid->AddInterface(kVid, kWired, 3);
  rig.link->OpenAll();
  rig.link->SelectDeviceType(201);
  return rig;
}

TEST(KeyboardLinkTransport, RetriesOnceAfterTheirOwnWait) {
  struct Case {
    const char* name;
    std::vector<int> failing;  // write numbers that fail
    bool (*send)(KeyboardLink&);
    bool result;
    std::vector<std::string> sent;
    std::vector<long> waits;
  } cases[] = {
      {"report",
       {},
       [](KeyboardLink& l) {
         return l.WriteReport(OutputReport{0x00, 0x88});
       },
       true,
       {"MI_02 output 65: 00 88"},
       {}},
      {"report retried",
       {1},
       [](KeyboardLink& l) {
         return l.WriteReport(OutputReport{0x00, 0x88});
       },
       true,
       {"MI_02 output 65: 00 88 (failed)", "MI_02 output 65: 00 88"},
       {10}},
      {"report failing twice",
       {1, 2},
       [](KeyboardLink& l) {
         return l.WriteReport(OutputReport{0x00, 0x88});
       },
       false,
       {"MI_02 output 65: 00 88 (failed)", "MI_02 output 65: 00 88 (failed)"},
       {10}},
      {"payload behind report id 0, retried",
       {1},
       [](KeyboardLink& l) {
         return l.WritePayload(Payload{0xBB, 0xAA});
       },
       true,
       {"MI_02 output 65: 00 BB AA (failed)", "MI_02 output 65: 00 BB AA"},
       {32}},
      {"stream retried",
       {1},
       [](KeyboardLink& l) {
         return l.WriteStream(OutputReport{0x00, 0xF1});
       },
       true,
       {"MI_03 output 65: 00 F1 (failed)", "MI_03 output 65: 00 F1"},
       {10}},
      {"paced feature",
       {},
       [](KeyboardLink& l) {
         return l.SendFeature(FeatureReport{0x07, 0xF0, 0xAA}, true);
       },
       true,
       {"MI_02 feature 8: 07 F0 AA"},
       {16}},
      {"unpaced feature is not retried",
       {1},
       [](KeyboardLink& l) {
         return l.SendFeature(FeatureReport{0x07, 0x23}, false);
       },
       false,
       {"MI_02 feature 8: 07 23 (failed)"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkRig rig;
    OpenComposite(rig);
    for (int n : c.failing) rig.hid->FailWrite(n);
    EXPECT_EQ(c.send(*rig.link), c.result);
    EXPECT_EQ(rig.Sent(), c.sent);
    EXPECT_EQ(rig.Waits(), c.waits);
  }
}

TEST(KeyboardLinkTransport, NoStreamInterfaceMeansFalseAtOnce) {
  LinkRig rig;
  OpenComposite(rig, false);
  EXPECT_FALSE(rig.link->WriteStream(OutputReport{}));
  EXPECT_THAT(rig.Sent(), IsEmpty());
  EXPECT_THAT(rig.Waits(), IsEmpty());
}

TEST(KeyboardLinkTransport, FirmwareVersion) {
  using Answers = std::vector<std::vector<uint8_t>>;
  struct Case {
    const char* name;
    Answers answers;
    std::optional<uint16_t> version;
    std::vector<long> waits;
  } cases[] = {
      {"answered at once", {{0x07, 0x01, 0x02}}, 258, {16, 16}},
      {"wrong id first", {{0x05, 0x09, 0x09}, {0x07, 0x01, 0x02}}, 258, {16, 16, 16}},
      {"wrong id twice is no version", {{0x05, 0x01, 0x02}, {0x06, 0x01, 0x02}}, {}, {16, 16, 16}},
      {"read fails", {}, {}, {16, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkRig rig;
    OpenComposite(rig);
    for (const auto& a : c.answers) rig.hid->QueueFeatureAnswer(a);
    EXPECT_EQ(rig.link->ReadFirmwareVersion(), c.version);
    EXPECT_EQ(rig.Waits(), c.waits);
    const auto sent = rig.Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "MI_02 feature 8: 07 FD");
  }
}

TEST(KeyboardLinkTransport, RefusedVersionQueryReadsNothing) {
  LinkRig rig;
  OpenComposite(rig);
  rig.hid->FailWrite(1);
  rig.hid->QueueFeatureAnswer({0x07, 0x01, 0x02});
  EXPECT_EQ(rig.link->ReadFirmwareVersion(), std::nullopt);
  EXPECT_THAT(rig.Sent(), ElementsAre("MI_02 feature 8: 07 FD (failed)"));
}

// The capture and UI threads send while the worker re-detects: every send
// either reaches an open handle or fails cleanly (AddressSanitizer and
// ThreadSanitizer builds check that no closed handle is used).
TEST(KeyboardLinkTransport, SendsAndDetectionShareTheLinkSafely) {
  LinkRig rig;
  OpenComposite(rig);
  std::atomic<bool> stop{false};
  std::vector<std::thread> senders;
  for (int t = 0; t < 3; ++t) {
    senders.emplace_back([&, t] {
      while (!stop) {
        if (t == 2) {
          rig.link->WriteStream(OutputReport{});
        } else {
          rig.link->SendFeature(command::MusicLevel(1, t, 200), false);
        }
      }
    });
  }
  for (int i = 0; i < 200; ++i) {
    rig.link->CloseAll();
    rig.link->OpenAll();
  }
  stop = true;
  for (auto& s : senders) s.join();
  rig.link->CloseAll();
  EXPECT_EQ(rig.hid->OpenHandles(), 0);
}

}  // namespace
}  // namespace tessaro
