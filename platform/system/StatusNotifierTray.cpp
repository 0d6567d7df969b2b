#include "platform/system/StatusNotifierTray.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace platform {
namespace {

constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kMenuInterface = "com.canonical.dbusmenu";
constexpr uint64_t kRegisterTimeoutUsec = 2'000'000;
constexpr int kMenuRoot = 0;
constexpr uint32_t kMenuVersion = 3;

std::atomic<int> g_items{0};

// Appends a(iiay): ARGB32 pixels in network byte order.
int AppendPixmaps(sd_bus_message* reply, const std::vector<TrayPixmap>& pixmaps) {
  int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
  for (const TrayPixmap& pixmap : pixmaps) {
    if (r < 0) return r;
    if (pixmap.argb.size() != static_cast<size_t>(pixmap.width) * pixmap.height) continue;
    std::vector<uint8_t> bytes;
    bytes.reserve(pixmap.argb.size() * 4);
    for (uint32_t pixel : pixmap.argb) {
      for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(uint8_t(pixel >> shift));
    }
    r = sd_bus_message_open_container(reply, 'r', "iiay");
    if (r >= 0) r = sd_bus_message_append(reply, "ii", pixmap.width, pixmap.height);
    if (r >= 0) r = sd_bus_message_append_array(reply, 'y', bytes.data(), bytes.size());
    if (r >= 0) r = sd_bus_message_close_container(reply);
  }
  return r < 0 ? r : sd_bus_message_close_container(reply);
}

// One {sv} entry with a string or a boolean.
int AppendEntry(sd_bus_message* reply, const char* name, const char* text) {
  return sd_bus_message_append(reply, "{sv}", name, "s", text);
}
int AppendEntry(sd_bus_message* reply, const char* name, bool value) {
  return sd_bus_message_append(reply, "{sv}", name, "b", static_cast<int>(value));
}

}  // namespace

// What the vtables call; a friend in all but name.
struct StatusNotifierTray::Access {
  static StatusNotifierTray& Of(void* userdata) {
    return *static_cast<StatusNotifierTray*>(userdata);
  }

  static const TrayMenuItem* FindItem(const StatusNotifierTray& tray, int id) {
    for (const TrayMenuItem& item : tray.data_.menu) {
      if (item.command == id) return &item;
    }
    return nullptr;
  }

  static int ItemString(sd_bus*, const char*, const char*, const char* property,
                        sd_bus_message* reply, void* userdata, sd_bus_error*) {
    const StatusNotifierTray& tray = Of(userdata);
    const char* text = "";
    if (std::strcmp(property, "Category") == 0) text = "ApplicationStatus";
    if (std::strcmp(property, "Id") == 0) text = tray.data_.id.c_str();
    if (std::strcmp(property, "Title") == 0) text = tray.data_.title.c_str();
    if (std::strcmp(property, "Status") == 0) text = "Active";
    if (std::strcmp(property, "IconName") == 0) text = tray.data_.icon_name.c_str();
    if (std::strcmp(property, "IconThemePath") == 0) text = tray.data_.icon_folder.c_str();
    return sd_bus_message_append(reply, "s", text);
  }

  static int WindowId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                      sd_bus_error*) {
    return sd_bus_message_append(reply, "i", 0);
  }

  static int ItemIsMenu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply,
                        void*, sd_bus_error*) {
    return sd_bus_message_append(reply, "b", 0);
  }

  static int Menu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                  sd_bus_error*) {
    return sd_bus_message_append(reply, "o", kMenuPath);
  }

  static int IconPixmap(sd_bus*, const char*, const char*, const char* property,
                        sd_bus_message* reply, void* userdata, sd_bus_error*) {
    static const std::vector<TrayPixmap> kNone;
    const bool icon = std::strcmp(property, "IconPixmap") == 0;
    return AppendPixmaps(reply, icon ? Of(userdata).data_.pixmaps : kNone);
  }

  static int ToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply,
                     void* userdata, sd_bus_error*) {
    const StatusNotifierTray& tray = Of(userdata);
    int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
    if (r >= 0) r = sd_bus_message_append(reply, "s", tray.data_.icon_name.c_str());
    if (r >= 0) r = AppendPixmaps(reply, tray.data_.pixmaps);
    if (r >= 0) r = sd_bus_message_append(reply, "ss", tray.data_.tip.c_str(), "");
    return r < 0 ? r : sd_bus_message_close_container(reply);
  }

  static int Activate(sd_bus_message* call, void* userdata, sd_bus_error*) {
    Of(userdata).pending_.push_back(TrayEvent{TrayEvent::Kind::kActivate, 0});
    return sd_bus_reply_method_return(call, "");
  }

  // Middle click, scrolling and a host that asks us to draw the menu
  // ourselves: the menu is served through dbusmenu, the rest means nothing here.
  static int Ignore(sd_bus_message* call, void*, sd_bus_error*) {
    return sd_bus_reply_method_return(call, "");
  }

  static int MenuString(sd_bus*, const char*, const char*, const char* property,
                        sd_bus_message* reply, void*, sd_bus_error*) {
    return sd_bus_message_append(reply, "s",
                                 std::strcmp(property, "Status") == 0 ? "normal" : "ltr");
  }

  static int MenuVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply,
                         void*, sd_bus_error*) {
    return sd_bus_message_append(reply, "u", kMenuVersion);
  }

  static int MenuThemePath(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply,
                           void*, sd_bus_error*) {
    return sd_bus_message_append(reply, "as", 0);
  }

  static int AppendItemProperties(sd_bus_message* reply, const TrayMenuItem* item) {
    int r = sd_bus_message_open_container(reply, 'a', "{sv}");
    if (r < 0) return r;
    if (item == nullptr) {
      r = AppendEntry(reply, "children-display", "submenu");
    } else {
      r = AppendEntry(reply, "type", "standard");
      if (r >= 0) r = AppendEntry(reply, "label", item->label.c_str());
      if (r >= 0) r = AppendEntry(reply, "enabled", true);
      if (r >= 0) r = AppendEntry(reply, "visible", true);
    }
    return r < 0 ? r : sd_bus_message_close_container(reply);
  }

  // (ia{sv}av) of one item, or of the root with its items when item is null.
  static int AppendLayout(sd_bus_message* reply, const StatusNotifierTray& tray,
                          const TrayMenuItem* item, bool with_children) {
    int r = sd_bus_message_open_container(reply, 'r', "ia{sv}av");
    if (r >= 0) r = sd_bus_message_append(reply, "i", item ? item->command : kMenuRoot);
    if (r >= 0) r = AppendItemProperties(reply, item);
    if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "v");
    if (item == nullptr && with_children) {
      for (const TrayMenuItem& child : tray.data_.menu) {
        if (r >= 0) r = sd_bus_message_open_container(reply, 'v', "(ia{sv}av)");
        if (r >= 0) r = AppendLayout(reply, tray, &child, false);
        if (r >= 0) r = sd_bus_message_close_container(reply);
      }
    }
    if (r >= 0) r = sd_bus_message_close_container(reply);
    return r < 0 ? r : sd_bus_message_close_container(reply);
  }

  static int GetLayout(sd_bus_message* call, void* userdata, sd_bus_error* error) {
    const StatusNotifierTray& tray = Of(userdata);
    int32_t parent = 0;
    int32_t depth = 0;
    int r = sd_bus_message_read(call, "ii", &parent, &depth);
    if (r < 0) return r;
    const TrayMenuItem* item = parent == kMenuRoot ? nullptr : FindItem(tray, parent);
    if (parent != kMenuRoot && item == nullptr) {
      return sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "no such menu item");
    }
    sd_bus_message* reply = nullptr;
    r = sd_bus_message_new_method_return(call, &reply);
    if (r >= 0) r = sd_bus_message_append(reply, "u", tray.menu_revision_);
    if (r >= 0) r = AppendLayout(reply, tray, item, depth != 0);
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r;
  }

  static int GetGroupProperties(sd_bus_message* call, void* userdata, sd_bus_error*) {
    const StatusNotifierTray& tray = Of(userdata);
    std::vector<int32_t> ids;
    int r = sd_bus_message_enter_container(call, 'a', "i");
    int32_t id = 0;
    while (r >= 0 && (r = sd_bus_message_read(call, "i", &id)) > 0) ids.push_back(id);
    if (r < 0) return r;
    sd_bus_message* reply = nullptr;
    r = sd_bus_message_new_method_return(call, &reply);
    if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "(ia{sv})");
    for (int32_t wanted : ids) {
      const TrayMenuItem* item = FindItem(tray, wanted);
      if (wanted != kMenuRoot && item == nullptr) continue;
      if (r >= 0) r = sd_bus_message_open_container(reply, 'r', "ia{sv}");
      if (r >= 0) r = sd_bus_message_append(reply, "i", wanted);
      if (r >= 0) r = AppendItemProperties(reply, item);
      if (r >= 0) r = sd_bus_message_close_container(reply);
    }
    if (r >= 0) r = sd_bus_message_close_container(reply);
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r;
  }

  static int GetProperty(sd_bus_message* call, void* userdata, sd_bus_error* error) {
    const StatusNotifierTray& tray = Of(userdata);
    int32_t id = 0;
    const char* name = nullptr;
    int r = sd_bus_message_read(call, "is", &id, &name);
    if (r < 0) return r;
    const TrayMenuItem* item = FindItem(tray, id);
    if (item == nullptr || std::strcmp(name, "label") != 0) {
      return sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "no such property");
    }
    return sd_bus_reply_method_return(call, "v", "s", item->label.c_str());
  }

  static void Clicked(StatusNotifierTray& tray, int32_t id, const char* event) {
    if (std::strcmp(event, "clicked") == 0 && FindItem(tray, id) != nullptr) {
      tray.pending_.push_back(TrayEvent{TrayEvent::Kind::kCommand, id});
    }
  }

  static int Event(sd_bus_message* call, void* userdata, sd_bus_error*) {
    int32_t id = 0;
    const char* event = nullptr;
    const int r = sd_bus_message_read(call, "is", &id, &event);
    if (r < 0) return r;
    Clicked(Of(userdata), id, event);
    return sd_bus_reply_method_return(call, "");
  }

  static int EventGroup(sd_bus_message* call, void* userdata, sd_bus_error*) {
    int r = sd_bus_message_enter_container(call, 'a', "(isvu)");
    while (r >= 0 && (r = sd_bus_message_enter_container(call, 'r', "isvu")) > 0) {
      int32_t id = 0;
      const char* event = nullptr;
      r = sd_bus_message_read(call, "is", &id, &event);
      if (r >= 0) Clicked(Of(userdata), id, event);
      if (r >= 0) r = sd_bus_message_skip(call, "vu");
      if (r >= 0) r = sd_bus_message_exit_container(call);
    }
    if (r < 0) return r;
    return sd_bus_reply_method_return(call, "ai", 0);
  }

  static int AboutToShow(sd_bus_message* call, void*, sd_bus_error*) {
    return sd_bus_reply_method_return(call, "b", 0);
  }

  static int AboutToShowGroup(sd_bus_message* call, void*, sd_bus_error*) {
    return sd_bus_reply_method_return(call, "aiai", 0, 0);
  }

  // A watcher took the name (a panel started) or gave it up.
  static int WatcherOwnerChanged(sd_bus_message* signal, void* userdata, sd_bus_error*) {
    const char* name = nullptr;
    const char* old_owner = nullptr;
    const char* new_owner = nullptr;
    if (sd_bus_message_read(signal, "sss", &name, &old_owner, &new_owner) < 0) return 0;
    StatusNotifierTray& tray = Of(userdata);
    if (new_owner == nullptr || new_owner[0] == '\0') {
      tray.present_ = false;
    } else {
      tray.RegisterWithWatcher();
    }
    return 0;
  }
};

namespace {

using A = StatusNotifierTray::Access;
constexpr uint64_t kConst = SD_BUS_VTABLE_PROPERTY_CONST;

const sd_bus_vtable kItemVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Category", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("Id", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("Title", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("Status", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("WindowId", "i", A::WindowId, 0, kConst),
    SD_BUS_PROPERTY("IconThemePath", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("IconName", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("IconPixmap", "a(iiay)", A::IconPixmap, 0, kConst),
    SD_BUS_PROPERTY("OverlayIconName", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("OverlayIconPixmap", "a(iiay)", A::IconPixmap, 0, kConst),
    SD_BUS_PROPERTY("AttentionIconName", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("AttentionIconPixmap", "a(iiay)", A::IconPixmap, 0, kConst),
    SD_BUS_PROPERTY("AttentionMovieName", "s", A::ItemString, 0, kConst),
    SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", A::ToolTip, 0, kConst),
    SD_BUS_PROPERTY("ItemIsMenu", "b", A::ItemIsMenu, 0, kConst),
    SD_BUS_PROPERTY("Menu", "o", A::Menu, 0, kConst),
    SD_BUS_METHOD("ContextMenu", "ii", "", A::Ignore, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Activate", "ii", "", A::Activate, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("SecondaryActivate", "ii", "", A::Ignore, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Scroll", "is", "", A::Ignore, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_SIGNAL("NewTitle", "", 0),
    SD_BUS_SIGNAL("NewIcon", "", 0),
    SD_BUS_SIGNAL("NewAttentionIcon", "", 0),
    SD_BUS_SIGNAL("NewOverlayIcon", "", 0),
    SD_BUS_SIGNAL("NewToolTip", "", 0),
    SD_BUS_SIGNAL("NewStatus", "s", 0),
    SD_BUS_VTABLE_END};

const sd_bus_vtable kMenuVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Version", "u", A::MenuVersion, 0, kConst),
    SD_BUS_PROPERTY("TextDirection", "s", A::MenuString, 0, kConst),
    SD_BUS_PROPERTY("Status", "s", A::MenuString, 0, kConst),
    SD_BUS_PROPERTY("IconThemePath", "as", A::MenuThemePath, 0, kConst),
    SD_BUS_METHOD("GetLayout", "iias", "u(ia{sv}av)", A::GetLayout, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("GetGroupProperties", "aias", "a(ia{sv})", A::GetGroupProperties,
                  SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("GetProperty", "is", "v", A::GetProperty, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Event", "isvu", "", A::Event, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("EventGroup", "a(isvu)", "ai", A::EventGroup, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("AboutToShow", "i", "b", A::AboutToShow, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("AboutToShowGroup", "ai", "aiai", A::AboutToShowGroup,
                  SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_SIGNAL("ItemsPropertiesUpdated", "a(ia{sv})a(ias)", 0),
    SD_BUS_SIGNAL("LayoutUpdated", "ui", 0),
    SD_BUS_SIGNAL("ItemActivationRequested", "iu", 0),
    SD_BUS_VTABLE_END};

}  // namespace

StatusNotifierTray::StatusNotifierTray(std::string bus_address)
    : bus_address_(std::move(bus_address)) {}

StatusNotifierTray::~StatusNotifierTray() {
  Remove();
}

bool StatusNotifierTray::Connect() {
  int r = 0;
  if (bus_address_.empty()) {
    r = sd_bus_open_user(&bus_);
  } else {
    r = sd_bus_new(&bus_);
    if (r >= 0) r = sd_bus_set_address(bus_, bus_address_.c_str());
    if (r >= 0) r = sd_bus_set_bus_client(bus_, 1);
    if (r >= 0) r = sd_bus_start(bus_);
  }
  if (r < 0) {
    Disconnect();
    return false;
  }
  service_name_ =
      "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++g_items);
  sd_bus_slot* slot = nullptr;
  r = sd_bus_add_object_vtable(bus_, &slot, kItemPath, kItemInterface, kItemVtable, this);
  if (r >= 0) slots_.push_back(slot);
  if (r >= 0)
    r = sd_bus_add_object_vtable(bus_, &slot, kMenuPath, kMenuInterface, kMenuVtable, this);
  if (r >= 0) slots_.push_back(slot);
  const std::string match = std::string(
                                "type='signal',sender='org.freedesktop.DBus',"
                                "interface='org.freedesktop.DBus',member='NameOwnerChanged',"
                                "arg0='") +
                            kWatcherName + "'";
  if (r >= 0) r = sd_bus_add_match(bus_, &slot, match.c_str(), A::WatcherOwnerChanged, this);
  if (r >= 0) slots_.push_back(slot);
  if (r >= 0) r = sd_bus_request_name(bus_, service_name_.c_str(), 0);
  if (r < 0) {
    Disconnect();
    return false;
  }
  return true;
}

bool StatusNotifierTray::RegisterWithWatcher() {
  sd_bus_message* call = nullptr;
  sd_bus_message* reply = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  int r = sd_bus_message_new_method_call(bus_, &call, kWatcherName, kWatcherPath, kWatcherName,
                                         "RegisterStatusNotifierItem");
  // A missing watcher must not be started for us: no panel, no icon.
  if (r >= 0) r = sd_bus_message_set_auto_start(call, 0);
  if (r >= 0) r = sd_bus_message_append(call, "s", service_name_.c_str());
  if (r >= 0) r = sd_bus_call(bus_, call, kRegisterTimeoutUsec, &error, &reply);
  sd_bus_error_free(&error);
  sd_bus_message_unref(reply);
  sd_bus_message_unref(call);
  present_ = r >= 0;
  return present_;
}

bool StatusNotifierTray::Add(const TrayIconData& data) {
  Remove();
  data_ = data;
  if (!Connect()) return false;
  return RegisterWithWatcher();
}

void StatusNotifierTray::Remove() {
  present_ = false;
  if (bus_ == nullptr) return;
  // The watcher drops the item when its name goes.
  sd_bus_release_name(bus_, service_name_.c_str());
  Disconnect();
}

void StatusNotifierTray::Disconnect() {
  for (sd_bus_slot* slot : slots_) sd_bus_slot_unref(slot);
  slots_.clear();
  if (bus_ != nullptr) bus_ = sd_bus_flush_close_unref(bus_);
}

int StatusNotifierTray::Fd() const {
  return bus_ == nullptr ? -1 : sd_bus_get_fd(bus_);
}

std::vector<TrayEvent> StatusNotifierTray::Dispatch() {
  if (bus_ != nullptr) {
    int r = 0;
    while ((r = sd_bus_process(bus_, nullptr)) > 0) {
    }
    // The session bus went away: so did the panel's view of the icon.
    if (r < 0) present_ = false;
  }
  std::vector<TrayEvent> taken;
  taken.swap(pending_);
  return taken;
}

}  // namespace platform
