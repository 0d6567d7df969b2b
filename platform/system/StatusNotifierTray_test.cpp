// The tray against a private session bus with a stand-in for the desktop's
// watcher, as a panel would see it.
#include "platform/system/StatusNotifierTray.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

extern char** environ;

namespace platform {
namespace {

// A dbus-daemon of the test's own; ok() is false when none is installed.
class PrivateBus {
 public:
  PrivateBus() {
    const char* daemon = "/usr/bin/dbus-daemon";
    if (access(daemon, X_OK) != 0) return;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    char* argv[] = {const_cast<char*>(daemon),
                    const_cast<char*>("--session"),
                    const_cast<char*>("--nofork"),
                    const_cast<char*>("--nopidfile"),
                    const_cast<char*>("--address=unix:tmpdir=/tmp"),
                    const_cast<char*>("--print-address=1"),
                    nullptr};
    const int spawned = posix_spawn(&pid_, daemon, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
      pid_ = -1;
      close(out[0]);
      return;
    }
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') address_.push_back(c);
    close(out[0]);
  }
  ~PrivateBus() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool ok() const { return pid_ > 0 && !address_.empty(); }
  const std::string& address() const { return address_; }

 private:
  pid_t pid_ = -1;
  std::string address_;
};

sd_bus* Connect(const std::string& address) {
  sd_bus* bus = nullptr;
  if (sd_bus_new(&bus) < 0) return nullptr;
  sd_bus_set_address(bus, address.c_str());
  sd_bus_set_bus_client(bus, 1);
  if (sd_bus_start(bus) < 0) return sd_bus_unref(bus);
  return bus;
}

// The desktop's org.kde.StatusNotifierWatcher, served on its own thread so
// that the tray's registration call can be answered.
class FakeWatcher {
 public:
  explicit FakeWatcher(const std::string& address) : bus_(Connect(address)) {
    static const sd_bus_vtable kVtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", Register, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END};
    sd_bus_add_object_vtable(bus_, nullptr, StatusNotifierTray::kWatcherPath,
                             StatusNotifierTray::kWatcherName, kVtable, this);
    sd_bus_request_name(bus_, StatusNotifierTray::kWatcherName, 0);
    thread_ = std::thread([this] {
      while (!stop_) {
        while (sd_bus_process(bus_, nullptr) > 0) {
        }
        sd_bus_wait(bus_, 20'000);
      }
    });
  }
  ~FakeWatcher() {
    stop_ = true;
    thread_.join();
    sd_bus_flush_close_unref(bus_);
  }
  std::vector<std::string> Registered() {
    std::lock_guard lock(mutex_);
    return registered_;
  }

 private:
  static int Register(sd_bus_message* call, void* userdata, sd_bus_error*) {
    auto* self = static_cast<FakeWatcher*>(userdata);
    const char* service = nullptr;
    if (sd_bus_message_read(call, "s", &service) < 0) return -EINVAL;
    std::lock_guard lock(self->mutex_);
    self->registered_.push_back(service);
    return sd_bus_reply_method_return(call, "");
  }

  sd_bus* bus_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> registered_;
  std::thread thread_;
};

// Dispatches the tray on a thread while the test talks to it as a panel.
class TrayPump {
 public:
  explicit TrayPump(TrayIcon& tray) : tray_(tray) {
    thread_ = std::thread([this] {
      while (!stop_) {
        for (const TrayEvent& event : tray_.Dispatch()) {
          std::lock_guard lock(mutex_);
          events_.push_back(event);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    });
  }
  ~TrayPump() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::vector<TrayEvent> Events() {
    std::lock_guard lock(mutex_);
    return events_;
  }

 private:
  TrayIcon& tray_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<TrayEvent> events_;
  std::thread thread_;
};

std::string StringProperty(sd_bus* client, const std::string& service, const char* name) {
  char* value = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int r = sd_bus_get_property_string(client, service.c_str(), StatusNotifierTray::kItemPath,
                                           "org.kde.StatusNotifierItem", name, &error, &value);
  sd_bus_error_free(&error);
  std::string text = r >= 0 && value ? value : "<error>";
  free(value);
  return text;
}

// The labels of the root menu's items by id, as a panel reads them.
std::vector<std::pair<int, std::string>> MenuLabels(sd_bus* client, const std::string& service) {
  std::vector<std::pair<int, std::string>> labels;
  sd_bus_message* reply = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  int r =
      sd_bus_call_method(client, service.c_str(), StatusNotifierTray::kMenuPath,
                         "com.canonical.dbusmenu", "GetLayout", &error, &reply, "iias", 0, -1, 0);
  sd_bus_error_free(&error);
  uint32_t revision = 0;
  int32_t id = 0;
  if (r >= 0) r = sd_bus_message_read(reply, "u", &revision);
  if (r >= 0) r = sd_bus_message_enter_container(reply, 'r', "ia{sv}av");
  if (r >= 0) r = sd_bus_message_read(reply, "i", &id);
  if (r >= 0) r = sd_bus_message_skip(reply, "a{sv}");
  if (r >= 0) r = sd_bus_message_enter_container(reply, 'a', "v");
  while (r >= 0 && (r = sd_bus_message_enter_container(reply, 'v', "(ia{sv}av)")) > 0) {
    r = sd_bus_message_enter_container(reply, 'r', "ia{sv}av");
    if (r >= 0) r = sd_bus_message_read(reply, "i", &id);
    std::string label;
    if (r >= 0) r = sd_bus_message_enter_container(reply, 'a', "{sv}");
    while (r >= 0 && (r = sd_bus_message_enter_container(reply, 'e', "sv")) > 0) {
      const char* key = nullptr;
      r = sd_bus_message_read(reply, "s", &key);
      if (r >= 0 && std::string(key) == "label") {
        const char* text = nullptr;
        r = sd_bus_message_read(reply, "v", "s", &text);
        if (r >= 0) label = text;
      } else if (r >= 0) {
        r = sd_bus_message_skip(reply, "v");
      }
      if (r >= 0) r = sd_bus_message_exit_container(reply);
    }
    if (r >= 0) r = sd_bus_message_exit_container(reply);  // a{sv}
    if (r >= 0) r = sd_bus_message_skip(reply, "av");
    if (r >= 0) r = sd_bus_message_exit_container(reply);  // r
    if (r >= 0) r = sd_bus_message_exit_container(reply);  // v
    labels.emplace_back(id, label);
  }
  sd_bus_message_unref(reply);
  return labels;
}

bool Call(sd_bus* client, const std::string& service, const char* path, const char* interface,
          const char* method, const char* types, ...) {
  sd_bus_message* call = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  int r = sd_bus_message_new_method_call(client, &call, service.c_str(), path, interface, method);
  va_list args;
  va_start(args, types);
  if (r >= 0) r = sd_bus_message_appendv(call, types, args);
  va_end(args);
  if (r >= 0) r = sd_bus_call(client, call, 0, &error, nullptr);
  sd_bus_error_free(&error);
  sd_bus_message_unref(call);
  return r >= 0;
}

bool HasOwner(sd_bus* client, const std::string& name) {
  sd_bus_message* reply = nullptr;
  int has = 0;
  if (sd_bus_call_method(client, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                         "org.freedesktop.DBus", "NameHasOwner", nullptr, &reply, "s",
                         name.c_str()) >= 0) {
    sd_bus_message_read(reply, "b", &has);
  }
  sd_bus_message_unref(reply);
  return has != 0;
}

TrayIconData Icon() {
  TrayIconData data;
  data.id = "tessaro";
  data.title = "Tessaro";
  data.tip = "Tessaro";
  data.icon_name = "tessaro";
  data.icon_folder = "/opt/tessaro/share/tessaro";
  data.pixmaps = {TrayPixmap{2, 1, {0xFF102030, 0x80405060}}};
  data.menu = {{200, "Close behaviour"}, {100, "Exit"}};
  return data;
}

TEST(StatusNotifierTray, RegistersAnswersThePanelAndGoesAwayOnRemove) {
  PrivateBus bus;
  if (!bus.ok()) GTEST_SKIP() << "dbus-daemon is not installed";
  FakeWatcher watcher(bus.address());
  StatusNotifierTray tray(bus.address());
  ASSERT_TRUE(tray.Add(Icon()));
  EXPECT_TRUE(tray.IsPresent());
  EXPECT_GE(tray.Fd(), 0);
  EXPECT_EQ(watcher.Registered(), std::vector<std::string>{tray.ServiceName()});

  sd_bus* client = Connect(bus.address());
  ASSERT_NE(client, nullptr);
  {
    TrayPump pump(tray);
    EXPECT_EQ(StringProperty(client, tray.ServiceName(), "Title"), "Tessaro");
    EXPECT_EQ(StringProperty(client, tray.ServiceName(), "IconName"), "tessaro");
    EXPECT_EQ(StringProperty(client, tray.ServiceName(), "IconThemePath"),
              "/opt/tessaro/share/tessaro");
    EXPECT_EQ(StringProperty(client, tray.ServiceName(), "Status"), "Active");
    EXPECT_EQ(MenuLabels(client, tray.ServiceName()),
              (std::vector<std::pair<int, std::string>>{{200, "Close behaviour"}, {100, "Exit"}}));

    EXPECT_TRUE(Call(client, tray.ServiceName(), StatusNotifierTray::kItemPath,
                     "org.kde.StatusNotifierItem", "Activate", "ii", 10, 20));
    EXPECT_TRUE(Call(client, tray.ServiceName(), StatusNotifierTray::kItemPath,
                     "org.kde.StatusNotifierItem", "SecondaryActivate", "ii", 10, 20));
    EXPECT_TRUE(Call(client, tray.ServiceName(), StatusNotifierTray::kMenuPath,
                     "com.canonical.dbusmenu", "Event", "isvu", 999, "clicked", "s", "", 0u));
    EXPECT_TRUE(Call(client, tray.ServiceName(), StatusNotifierTray::kMenuPath,
                     "com.canonical.dbusmenu", "Event", "isvu", 200, "hovered", "s", "", 0u));
    EXPECT_TRUE(Call(client, tray.ServiceName(), StatusNotifierTray::kMenuPath,
                     "com.canonical.dbusmenu", "Event", "isvu", 100, "clicked", "s", "", 0u));
    pump.Stop();
    EXPECT_EQ(pump.Events(), (std::vector<TrayEvent>{{TrayEvent::Kind::kActivate, 0},
                                                     {TrayEvent::Kind::kCommand, 100}}));
  }

  EXPECT_TRUE(HasOwner(client, tray.ServiceName()));
  const std::string service = tray.ServiceName();
  tray.Remove();
  EXPECT_FALSE(tray.IsPresent());
  EXPECT_FALSE(HasOwner(client, service));
  sd_bus_flush_close_unref(client);
}

TEST(StatusNotifierTray, WithoutAWatcherThereIsNoIconUntilOneAppears) {
  PrivateBus bus;
  if (!bus.ok()) GTEST_SKIP() << "dbus-daemon is not installed";
  StatusNotifierTray tray(bus.address());
  EXPECT_FALSE(tray.Add(Icon()));
  EXPECT_FALSE(tray.IsPresent());

  {
    FakeWatcher watcher(bus.address());
    for (int i = 0; i < 200 && !tray.IsPresent(); ++i) {
      tray.Dispatch();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(tray.IsPresent());
    EXPECT_EQ(watcher.Registered(), std::vector<std::string>{tray.ServiceName()});
  }
  for (int i = 0; i < 200 && tray.IsPresent(); ++i) {
    tray.Dispatch();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(tray.IsPresent());
}

}  // namespace
}  // namespace platform
