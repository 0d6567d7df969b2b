// The portal dialog against a stand-in portal on a private session bus that
// the test starts and stops itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "platform/system/PortalFileDialog.h"

extern char** environ;

namespace platform {
namespace {

namespace fs = std::filesystem;

// What the stand-in portal saw of the last call.
struct Seen {
  std::string method;
  std::string parent;
  std::string title;
  std::string token;
  std::string filter_name;
  std::string filter_pattern;
  std::string current_name;
};

struct Portal {
  Seen seen;
  uint32_t response = 0;
  std::string uri;
};

void ReadOptions(sd_bus_message* m, Seen& seen) {
  sd_bus_message_enter_container(m, 'a', "{sv}");
  while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
    const char* key = nullptr;
    sd_bus_message_read(m, "s", &key);
    const std::string name = key ? key : "";
    if (name == "handle_token" || name == "current_name") {
      const char* value = nullptr;
      sd_bus_message_read(m, "v", "s", &value);
      (name == "handle_token" ? seen.token : seen.current_name) = value ? value : "";
    } else if (name == "filters") {
      sd_bus_message_enter_container(m, 'v', "a(sa(us))");
      sd_bus_message_enter_container(m, 'a', "(sa(us))");
      sd_bus_message_enter_container(m, 'r', "sa(us)");
      const char* filter = nullptr;
      sd_bus_message_read(m, "s", &filter);
      seen.filter_name = filter ? filter : "";
      sd_bus_message_enter_container(m, 'a', "(us)");
      uint32_t kind = 0;
      const char* pattern = nullptr;
      sd_bus_message_read(m, "(us)", &kind, &pattern);
      seen.filter_pattern = pattern ? pattern : "";
      sd_bus_message_exit_container(m);
      sd_bus_message_exit_container(m);
      sd_bus_message_exit_container(m);
      sd_bus_message_exit_container(m);
    } else {
      sd_bus_message_skip(m, "v");
    }
    sd_bus_message_exit_container(m);
  }
  sd_bus_message_exit_container(m);
}

int OnChooser(sd_bus_message* m, void* user, sd_bus_error*) {
  auto& portal = *static_cast<Portal*>(user);
  portal.seen = {};
  portal.seen.method = sd_bus_message_get_member(m);
  const char* parent = nullptr;
  const char* title = nullptr;
  sd_bus_message_read(m, "ss", &parent, &title);
  portal.seen.parent = parent;
  portal.seen.title = title;
  ReadOptions(m, portal.seen);
  std::string sender = sd_bus_message_get_sender(m) + 1;
  for (char& c : sender) c = c == '.' ? '_' : c;
  const std::string path =
      "/org/freedesktop/portal/desktop/request/" + sender + "/" + portal.seen.token;
  sd_bus_reply_method_return(m, "o", path.c_str());
  sd_bus_message* signal = nullptr;
  sd_bus_message_new_signal(sd_bus_message_get_bus(m), &signal, path.c_str(),
                            "org.freedesktop.portal.Request", "Response");
  sd_bus_message_append(signal, "u", portal.response);
  sd_bus_message_open_container(signal, 'a', "{sv}");
  sd_bus_message_append(signal, "{sv}", "uris", "as", 1, portal.uri.c_str());
  sd_bus_message_close_container(signal);
  sd_bus_send(nullptr, signal, nullptr);
  sd_bus_message_unref(signal);
  return 1;
}

const sd_bus_vtable kChooserTable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("OpenFile", "ssa{sv}", "o", OnChooser, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("SaveFile", "ssa{sv}", "o", OnChooser, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_VTABLE_END};

class PortalBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tessaro-bus-" + std::to_string(getpid()));
    fs::create_directories(folder_);
    const std::string address = "unix:path=" + (folder_ / "bus").string();
    std::string config = "--session";
    std::string address_arg = "--address=" + address;
    std::string nofork = "--nofork";
    char* argv[] = {const_cast<char*>("dbus-daemon"), config.data(), address_arg.data(),
                    nofork.data(), nullptr};
    ASSERT_EQ(posix_spawnp(&daemon_, "dbus-daemon", nullptr, nullptr, argv, environ), 0);
    for (int i = 0; i < 200 && !fs::exists(folder_ / "bus"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    saved_ = saved ? std::optional<std::string>(saved) : std::nullopt;
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);

    ASSERT_GE(sd_bus_open_user(&service_), 0);
    ASSERT_GE(
        sd_bus_add_object_vtable(service_, nullptr, "/org/freedesktop/portal/desktop",
                                 "org.freedesktop.portal.FileChooser", kChooserTable, &portal_),
        0);
    ASSERT_GE(sd_bus_request_name(service_, "org.freedesktop.portal.Desktop", 0), 0);
    thread_ = std::thread([this] {
      while (!stop_) {
        if (sd_bus_process(service_, nullptr) > 0) continue;
        sd_bus_wait(service_, 20000);  // microseconds
      }
    });
  }
  void TearDown() override {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (service_ != nullptr) sd_bus_flush_close_unref(service_);
    if (saved_) {
      setenv("DBUS_SESSION_BUS_ADDRESS", saved_->c_str(), 1);
    } else {
      unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    if (daemon_ > 0) {
      kill(daemon_, SIGTERM);
      waitpid(daemon_, nullptr, 0);
    }
    fs::remove_all(folder_);
  }

  fs::path folder_;
  pid_t daemon_ = 0;
  std::optional<std::string> saved_;
  sd_bus* service_ = nullptr;
  Portal portal_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST_F(PortalBusTest, AsksThePortalAndReadsItsAnswer) {
  portal_.uri = "file:///home/me/My%20Profile.xml";
  PortalFileDialog dialog;
  const FileDialogResult saved =
      dialog.ChooseSave({"Export", "Profile (*.xml)", "*.xml", "Gaming.xml", "x11:4a"});
  EXPECT_EQ(saved.choice, FileChoice::kChosen);
  EXPECT_EQ(saved.path, "/home/me/My Profile.xml");
  EXPECT_EQ(portal_.seen.method, "SaveFile");
  EXPECT_EQ(portal_.seen.parent, "x11:4a");
  EXPECT_EQ(portal_.seen.title, "Export");
  EXPECT_EQ(portal_.seen.filter_name, "Profile (*.xml)");
  EXPECT_EQ(portal_.seen.filter_pattern, "*.xml");
  EXPECT_EQ(portal_.seen.current_name, "Gaming.xml");
  EXPECT_FALSE(portal_.seen.token.empty());

  portal_.response = 1;  // the user cancelled
  EXPECT_EQ(dialog.ChooseOpen({"Import", "Macros (*.xml)", "*.xml", "", ""}).choice,
            FileChoice::kCancelled);
  EXPECT_EQ(portal_.seen.method, "OpenFile");
  EXPECT_EQ(portal_.seen.current_name, "");
}

}  // namespace
}  // namespace platform
