#pragma once
// The per-user autostart entry that starts the program at log-in, in place of
// the Run key: a desktop entry in $XDG_CONFIG_HOME/autostart.
#include <optional>
#include <string>

namespace platform {

class AutostartEntry {
 public:
  virtual ~AutostartEntry() = default;
  // The command the entry starts; nullopt when there is no entry.
  virtual std::optional<std::string> Read() = 0;
  virtual bool Write(const std::string& command) = 0;
  // Removes the entry; true when none is left.
  virtual bool Remove() = 0;
};

// Writes "[Desktop Entry]" with Exec= the command as one quoted argument, so a
// program folder with spaces or quotes still starts the right file.
class DesktopAutostartEntry final : public AutostartEntry {
 public:
  DesktopAutostartEntry(std::string path, std::string name)
      : path_(std::move(path)), name_(std::move(name)) {}
  std::optional<std::string> Read() override;
  bool Write(const std::string& command) override;
  bool Remove() override;

  // The desktop-entry quoting of one argument, and its inverse.
  static std::string QuoteExec(const std::string& argument);
  static std::string UnquoteExec(const std::string& exec);

 private:
  std::string path_;
  std::string name_;
};

class FakeAutostartEntry final : public AutostartEntry {
 public:
  std::optional<std::string> command;
  int writes = 0;
  int removes = 0;

  std::optional<std::string> Read() override { return command; }
  bool Write(const std::string& text) override;
  bool Remove() override;
};

}  // namespace platform
