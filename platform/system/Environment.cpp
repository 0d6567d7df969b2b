#include "platform/system/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

std::optional<std::string> ProcessEnvironment::Get(const std::string& name) const {
  if (auto it = overrides_.find(name); it != overrides_.end()) return it->second;
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string ProcessEnvironment::ExecutablePath() const {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string ProcessEnvironment::HomeFolder() const {
  if (auto home = Get("HOME"); home && !home->empty()) return *home;
  // No HOME (a service or a stripped environment): ask the user database.
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
    return entry->pw_dir;
  return "/";
}

unsigned ProcessEnvironment::UserId() const {
  return static_cast<unsigned>(getuid());
}

std::optional<std::string> FakeEnvironment::Get(const std::string& name) const {
  auto it = variables.find(name);
  if (it == variables.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform
