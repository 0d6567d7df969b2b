#pragma once
// The result lines a guest test prints on the serial console. The host side
// (boot.sh) collects them and CTest reports one test per case:
//   TESSARO-CASE PASS <case>: <what was checked>
//   TESSARO-CASE FAIL <case>: <what went wrong>
#include <cstdio>
#include <string>

namespace tessaro::kernel {

class GuestCases {
 public:
  explicit GuestCases(std::string prefix) : prefix_(std::move(prefix)) {}

  // Prints the case's line; returns ok so that callers can stop early.
  bool Report(const std::string& name, bool ok, const std::string& detail) {
    std::printf("TESSARO-CASE %s %s.%s: %s\n", ok ? "PASS" : "FAIL", prefix_.c_str(), name.c_str(),
                detail.c_str());
    std::fflush(stdout);
    if (!ok) ++failures_;
    return ok;
  }
  // Diagnostics that help read a failure; not a result.
  void Note(const std::string& text) {
    std::printf("  %s: %s\n", prefix_.c_str(), text.c_str());
    std::fflush(stdout);
  }
  int ExitCode() const { return failures_ == 0 ? 0 : 1; }

 private:
  std::string prefix_;
  int failures_ = 0;
};

}  // namespace tessaro::kernel
