#pragma once
// The program's icon in the desktop's notification area, with its tip, a left
// click that brings the window back and a context menu of commands.
// Backends: StatusNotifierTray (a StatusNotifierItem on the session bus) and
// FakeTrayIcon. The UI loop polls Fd() and then takes the events; Dispatch
// also serves the backend's own timeouts, so call it now and then regardless.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct TrayPixmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // width * height pixels, 0xAARRGGBB, rows top down
};

struct TrayMenuItem {
  int command = 0;  // what the event carries when the item is chosen
  std::string label;
};

struct TrayIconData {
  std::string id;     // a stable name for the item ("tessaro")
  std::string title;  // the software name
  std::string tip;
  std::string icon_name;            // a theme icon name, or a file name in icon_folder
  std::string icon_folder;          // searched for icon_name before the theme
  std::vector<TrayPixmap> pixmaps;  // the icon itself, for hosts without the file
  std::vector<TrayMenuItem> menu;
};

struct TrayEvent {
  enum class Kind { kActivate, kCommand };
  Kind kind = Kind::kActivate;
  int command = 0;  // kCommand only
  bool operator==(const TrayEvent&) const = default;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  // Shows the icon; false when no notification area is there to take it.
  virtual bool Add(const TrayIconData& data) = 0;
  // Takes the icon away; harmless when it is not there.
  virtual void Remove() = 0;
  // Whether a notification area shows the icon now: a host may come and go
  // while the program runs.
  virtual bool IsPresent() const = 0;
  virtual int Fd() const = 0;
  virtual std::vector<TrayEvent> Dispatch() = 0;
};

class FakeTrayIcon final : public TrayIcon {
 public:
  FakeTrayIcon();
  ~FakeTrayIcon() override;
  FakeTrayIcon(const FakeTrayIcon&) = delete;
  FakeTrayIcon& operator=(const FakeTrayIcon&) = delete;

  bool host_available = true;
  bool present = false;
  int adds = 0;
  int removes = 0;
  TrayIconData data;

  bool Add(const TrayIconData& icon) override;
  void Remove() override;
  bool IsPresent() const override { return present; }
  int Fd() const override { return fd_; }
  std::vector<TrayEvent> Dispatch() override;

  // A click or a menu choice of the user.
  void Push(TrayEvent event);

 private:
  int fd_ = -1;
  std::vector<TrayEvent> pending_;
};

}  // namespace platform
