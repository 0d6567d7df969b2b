#pragma once
// What the process learns from its surroundings: environment variables, its
// own executable, the user and the locale. Folders and the language choice are
// computed from it, so tests give a FakeEnvironment instead of the real one.
#include <map>
#include <optional>
#include <string>

namespace platform {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value; nullopt when it is unset.
  virtual std::optional<std::string> Get(const std::string& name) const = 0;
  // Absolute path of the running executable; empty when it cannot be found.
  virtual std::string ExecutablePath() const = 0;
  virtual std::string HomeFolder() const = 0;
  virtual unsigned UserId() const = 0;
};

class ProcessEnvironment final : public Environment {
 public:
  ProcessEnvironment() = default;
  // Variables the process sees with these values whatever its environment
  // says (the command line's --simulate is TESSARO_SIMULATE=all).
  explicit ProcessEnvironment(std::map<std::string, std::string> overrides)
      : overrides_(std::move(overrides)) {}

  std::optional<std::string> Get(const std::string& name) const override;
  std::string ExecutablePath() const override;
  std::string HomeFolder() const override;
  unsigned UserId() const override;

 private:
  std::map<std::string, std::string> overrides_;
};

class FakeEnvironment final : public Environment {
 public:
  std::map<std::string, std::string> variables;
  std::string executable = "/opt/tessaro/bin/tessaro";
  std::string home = "/home/user";
  unsigned uid = 1000;

  std::optional<std::string> Get(const std::string& name) const override;
  std::string ExecutablePath() const override { return executable; }
  std::string HomeFolder() const override { return home; }
  unsigned UserId() const override { return uid; }
};

}  // namespace platform
