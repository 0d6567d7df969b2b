#include "app/macros/DriverInstaller.h"

#include <gtest/gtest.h>

#include "app/macros/FakeVHidev.h"
#include "platform/input/FakeFilterDevice.h"
#include "platform/input/FakeVirtualHidDevice.h"

namespace tessaro {
namespace {

class Notice final : public InstallFailureNotice {
 public:
  void ShowInstallFailure() override { ++shown; }
  int shown = 0;
};

class Handler final : public FilterEventHandler {
 public:
  bool OnFilterEvent(int32_t, bool) override { return true; }
};

class DriverInstallerTest : public ::testing::Test {
 protected:
  platform::FakeClock clock_;
  platform::FakeVirtualHidDevice uhid_{clock_};
  UhidVHidev device_{uhid_, clock_};
  platform::FakeFilterDevice filter_;
  FilterMonitor monitor_{filter_, device_};
  platform::FakeProgramRunner runner_;
  Notice notice_;
  Handler handler_;
  DriverInstaller installer_{device_,           monitor_, runner_, notice_, "/opt/tessaro/driver",
                             {{0x1234, 0xABCD}}};
};

TEST_F(DriverInstallerTest, APresentDeviceNeedsNoInstallation) {
  EXPECT_TRUE(installer_.InstallDrivers(handler_));
  EXPECT_TRUE(runner_.Calls().empty());
  EXPECT_EQ(monitor_.ProxyCount(), 1);
  EXPECT_EQ(uhid_.Records().size(), 4u);  // everything released
}

TEST_F(DriverInstallerTest, TheRulesAreInstalledThroughPkexecAndTheDeviceFoundAfterwards) {
  uhid_.RefuseCreate(true);
  runner_.SetOnRun([&] { uhid_.RefuseCreate(false); });
  EXPECT_TRUE(installer_.InstallDrivers(handler_));
  ASSERT_EQ(runner_.Calls().size(), 1u);
  EXPECT_EQ(runner_.Calls()[0],
            (platform::FakeProgramRunner::Call{
                "pkexec",
                {"/opt/tessaro/driver/install-udev-rules.sh", "/opt/tessaro/driver", "1234:abcd"},
                true}));
  EXPECT_EQ(notice_.shown, 0);
}

TEST_F(DriverInstallerTest, AFailedInstallationIsShownAndEndsWithAnErrorCode) {
  uhid_.RefuseCreate(true);
  runner_.SetExitCode(0);  // the helper's own word does not count
  EXPECT_FALSE(installer_.InstallDrivers(handler_));
  EXPECT_EQ(notice_.shown, 1);
  EXPECT_EQ(monitor_.ProxyCount(), 0);
  EXPECT_NE(DriverInstaller::kInstallFailedExitCode, 0);
}

}  // namespace
}  // namespace tessaro
