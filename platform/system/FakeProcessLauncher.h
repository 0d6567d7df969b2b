#pragma once
// Records every start; answers with a made-up process id, or 0 when told to
// fail. Safe to share between threads.
#include <mutex>

#include "platform/system/ProcessLauncher.h"

namespace platform {

class FakeProcessLauncher final : public ProcessLauncher {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
  };

  void SetFails(bool fails);
  std::vector<Started> Starts() const;
  int Start(const std::string& program, const std::vector<std::string>& arguments) override;

 private:
  mutable std::mutex mutex_;
  std::vector<Started> starts_;
  bool fails_ = false;
};

}  // namespace platform
