#pragma once
// The tray icon as a StatusNotifierItem on the session bus, through sd-bus:
// the item object at /StatusNotifierItem under the name
// "org.kde.StatusNotifierItem-<pid>-<n>", its context menu as a
// com.canonical.dbusmenu object at /MenuBar, registered with the desktop's
// org.kde.StatusNotifierWatcher. Without a watcher the icon is absent; when a
// watcher appears later (a panel that restarts) the item registers again, and
// when it goes the icon is absent until then.
#include <memory>
#include <string>
#include <vector>

#include "platform/system/TrayIcon.h"

struct sd_bus;
struct sd_bus_slot;

namespace platform {

class StatusNotifierTray final : public TrayIcon {
 public:
  static constexpr const char* kItemPath = "/StatusNotifierItem";
  static constexpr const char* kMenuPath = "/MenuBar";
  static constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";
  static constexpr const char* kWatcherPath = "/StatusNotifierWatcher";

  // The session bus of the environment, or the bus at this address.
  explicit StatusNotifierTray(std::string bus_address = {});
  ~StatusNotifierTray() override;
  StatusNotifierTray(const StatusNotifierTray&) = delete;
  StatusNotifierTray& operator=(const StatusNotifierTray&) = delete;

  bool Add(const TrayIconData& data) override;
  void Remove() override;
  bool IsPresent() const override { return present_; }
  int Fd() const override;
  std::vector<TrayEvent> Dispatch() override;

  // The bus name the item is registered under; empty before Add.
  const std::string& ServiceName() const { return service_name_; }

  // sd-bus callbacks; public so the vtables in the source file can name them.
  struct Access;

 private:
  bool Connect();
  bool RegisterWithWatcher();
  void Disconnect();

  std::string bus_address_;
  sd_bus* bus_ = nullptr;
  std::vector<sd_bus_slot*> slots_;
  std::string service_name_;
  TrayIconData data_;
  bool present_ = false;
  unsigned menu_revision_ = 1;
  std::vector<TrayEvent> pending_;
};

}  // namespace platform
