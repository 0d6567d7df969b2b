#include "platform/system/PortalFileDialog.h"

#include <systemd/sd-bus.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace platform {
namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooser = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequest = "org.freedesktop.portal.Request";
constexpr uint32_t kResponseSuccess = 0;

struct BusDeleter {
  void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageDeleter {
  void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
struct SlotDeleter {
  void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using Bus = std::unique_ptr<sd_bus, BusDeleter>;
using Message = std::unique_ptr<sd_bus_message, MessageDeleter>;
using Slot = std::unique_ptr<sd_bus_slot, SlotDeleter>;

// A D-Bus error that frees itself.
struct BusError {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  ~BusError() { sd_bus_error_free(&error); }
};

struct Pending {
  bool done = false;
  uint32_t response = 2;
  std::string uri;
};

// The first entry of the "uris" result, when there is one.
void ReadUris(sd_bus_message* message, Pending& pending) {
  if (sd_bus_message_enter_container(message, 'v', "as") < 0) return;
  char** uris = nullptr;
  if (sd_bus_message_read_strv(message, &uris) >= 0 && uris != nullptr) {
    if (uris[0] != nullptr) pending.uri = uris[0];
    for (char** uri = uris; *uri != nullptr; ++uri) std::free(*uri);
    std::free(uris);
  }
  sd_bus_message_exit_container(message);
}

int OnResponse(sd_bus_message* message, void* user, sd_bus_error*) {
  auto& pending = *static_cast<Pending*>(user);
  pending.done = true;
  if (sd_bus_message_read(message, "u", &pending.response) < 0) return 0;
  if (sd_bus_message_enter_container(message, 'a', "{sv}") < 0) return 0;
  while (sd_bus_message_enter_container(message, 'e', "sv") > 0) {
    const char* key = nullptr;
    if (sd_bus_message_read(message, "s", &key) < 0) break;
    if (key != nullptr && std::strcmp(key, "uris") == 0) {
      ReadUris(message, pending);
    } else {
      sd_bus_message_skip(message, "v");
    }
    sd_bus_message_exit_container(message);
  }
  return 0;
}

// "/org/freedesktop/portal/desktop/request/<sender>/<token>": where the
// portal's answer comes from, known before the call so that it cannot be
// missed.
std::string RequestPath(const char* unique_name, const std::string& token) {
  std::string sender = unique_name[0] == ':' ? unique_name + 1 : unique_name;
  for (char& c : sender) {
    if (c == '.') c = '_';
  }
  return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

bool AppendFilter(sd_bus_message* m, const FileDialogOptions& options) {
  return sd_bus_message_open_container(m, 'e', "sv") >= 0 &&
         sd_bus_message_append(m, "s", "filters") >= 0 &&
         sd_bus_message_open_container(m, 'v', "a(sa(us))") >= 0 &&
         sd_bus_message_open_container(m, 'a', "(sa(us))") >= 0 &&
         sd_bus_message_open_container(m, 'r', "sa(us)") >= 0 &&
         sd_bus_message_append(m, "s", options.filter_name.c_str()) >= 0 &&
         sd_bus_message_append(m, "a(us)", 1, 0u, options.filter_pattern.c_str()) >= 0 &&
         sd_bus_message_close_container(m) >= 0 && sd_bus_message_close_container(m) >= 0 &&
         sd_bus_message_close_container(m) >= 0 && sd_bus_message_close_container(m) >= 0;
}

bool AppendOptions(sd_bus_message* m, bool save, const FileDialogOptions& options,
                   const std::string& token) {
  if (sd_bus_message_append(m, "ss", options.parent_window.c_str(), options.title.c_str()) < 0 ||
      sd_bus_message_open_container(m, 'a', "{sv}") < 0 ||
      sd_bus_message_append(m, "{sv}", "handle_token", "s", token.c_str()) < 0 ||
      sd_bus_message_append(m, "{sv}", "modal", "b", 1) < 0) {
    return false;
  }
  if (!options.filter_pattern.empty() && !AppendFilter(m, options)) return false;
  if (save && !options.suggested_name.empty() &&
      sd_bus_message_append(m, "{sv}", "current_name", "s", options.suggested_name.c_str()) < 0) {
    return false;
  }
  return sd_bus_message_close_container(m) >= 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> PortalFileDialog::PathFromUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  if (uri.empty() || uri.front() != '/') return std::nullopt;  // no host names
  std::string path;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      path += uri[i];
      continue;
    }
    if (i + 2 >= uri.size()) return std::nullopt;
    const int high = HexValue(uri[i + 1]);
    const int low = HexValue(uri[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return path;
}

FileDialogResult PortalFileDialog::ChooseOpen(const FileDialogOptions& options) {
  return Run(false, options);
}

FileDialogResult PortalFileDialog::ChooseSave(const FileDialogOptions& options) {
  return Run(true, options);
}

FileDialogResult PortalFileDialog::Run(bool save, const FileDialogOptions& options) {
  sd_bus* raw_bus = nullptr;
  if (sd_bus_open_user(&raw_bus) < 0) return {};
  Bus bus(raw_bus);
  const char* unique_name = nullptr;
  if (sd_bus_get_unique_name(bus.get(), &unique_name) < 0) return {};

  static std::atomic<unsigned> counter{0};
  const std::string token = "tessaro" + std::to_string(++counter);
  Pending pending;
  sd_bus_slot* raw_slot = nullptr;
  if (sd_bus_match_signal(bus.get(), &raw_slot, kPortal, RequestPath(unique_name, token).c_str(),
                          kRequest, "Response", OnResponse, &pending) < 0) {
    return {};
  }
  Slot slot(raw_slot);

  sd_bus_message* raw_call = nullptr;
  if (sd_bus_message_new_method_call(bus.get(), &raw_call, kPortal, kPortalPath, kChooser,
                                     save ? "SaveFile" : "OpenFile") < 0) {
    return {};
  }
  Message call(raw_call);
  if (!AppendOptions(call.get(), save, options, token)) return {};
  BusError error;
  sd_bus_message* raw_reply = nullptr;
  if (sd_bus_call(bus.get(), call.get(), 0, &error.error, &raw_reply) < 0) return {};
  Message reply(raw_reply);

  // Portals older than the handle_token rule answer on a path of their own.
  const char* handle = nullptr;
  Slot other_slot;
  if (sd_bus_message_read(reply.get(), "o", &handle) >= 0 && handle != nullptr &&
      RequestPath(unique_name, token) != handle) {
    sd_bus_slot* raw_other = nullptr;
    if (sd_bus_match_signal(bus.get(), &raw_other, kPortal, handle, kRequest, "Response",
                            OnResponse, &pending) >= 0) {
      other_slot.reset(raw_other);
    }
  }

  while (!pending.done) {
    const int processed = sd_bus_process(bus.get(), nullptr);
    if (processed < 0) return {};
    if (processed > 0) continue;
    if (sd_bus_wait(bus.get(), UINT64_MAX) < 0) return {};
  }
  if (pending.response != kResponseSuccess) return {FileChoice::kCancelled, {}};
  const std::optional<std::string> path = PathFromUri(pending.uri);
  if (!path) return {};
  return {FileChoice::kChosen, *path};
}

}  // namespace platform
