#include "platform/system/PortalFileDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/system/FakeFileDialog.h"
#include "platform/system/FallbackFileDialog.h"

namespace platform {
namespace {

TEST(PortalFileDialog, PathsFromFileUris) {
  struct Case {
    const char* uri;
    std::optional<std::string> path;
  } cases[] = {
      {"file:///home/me/Office.xml", "/home/me/Office.xml"},
      {"file:///home/me/My%20Profile%C3%A9.xml", "/home/me/My Profile\xC3\xA9.xml"},
      {"file:///tmp/100%25", "/tmp/100%"},
      {"file:///tmp/bad%2", std::nullopt},
      {"file:///tmp/bad%zz", std::nullopt},
      {"file://host/share/x.xml", std::nullopt},
      {"https://example.org/x.xml", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(PortalFileDialog::PathFromUri(c.uri), c.path) << c.uri;
}

TEST(PortalFileDialog, WithoutASessionBusZenityStandsIn) {
  const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string previous = saved ? saved : "";
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tessaro-bus", 1);
  PortalFileDialog portal;
  EXPECT_EQ(portal.ChooseOpen({}).choice, FileChoice::kUnavailable);

  FakeFileDialog zenity;
  zenity.Answer("/tmp/chosen.xml");
  FallbackFileDialog dialog(portal, zenity);
  const FileDialogResult result = dialog.ChooseSave({"Export", "Profile (*.xml)", "*.xml", "", ""});
  EXPECT_EQ(result.choice, FileChoice::kChosen);
  EXPECT_EQ(result.path, "/tmp/chosen.xml");
  ASSERT_EQ(zenity.ShownDialogs().size(), 1u);
  EXPECT_TRUE(zenity.ShownDialogs()[0].save);

  // A cancel in the first dialog is the user's answer: no second dialog.
  FakeFileDialog first;
  first.Cancel();
  FallbackFileDialog cancelled(first, zenity);
  EXPECT_EQ(cancelled.ChooseOpen({}).choice, FileChoice::kCancelled);
  EXPECT_EQ(zenity.ShownDialogs().size(), 1u);

  if (saved) {
    setenv("DBUS_SESSION_BUS_ADDRESS", previous.c_str(), 1);
  } else {
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
}

}  // namespace
}  // namespace platform
