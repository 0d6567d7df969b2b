#pragma once
// Single instance: the first process of a software name holds an flock on
// "<runtime folder>/<name>.lock" and listens on the Unix socket "<name>.socket"
// beside it (mode 0600). A later start finds the lock taken and sends a line
// ("show") to the socket instead of running. The lock alone decides who runs:
// a socket left behind by a process that died is replaced by the next holder.
//
// The UI loop polls Fd() for reading and then takes the lines that arrived.
#include <string>
#include <vector>

namespace platform {

class InstanceChannel {
 public:
  enum class Claim { kFirst, kOtherRunning, kFailed };

  virtual ~InstanceChannel() = default;
  // Takes the lock; the first instance then listens. kFailed when neither the
  // lock nor the socket could be set up (the program then runs unguarded).
  virtual Claim ClaimInstance() = 0;
  // From a later start: sends one line to the running instance. False when it
  // could not be reached.
  virtual bool SendToRunning(const std::string& line) = 0;
  // Readable while lines or connections wait; -1 before a successful claim.
  virtual int Fd() const = 0;
  // Every complete line received since the last call, without its newline.
  virtual std::vector<std::string> TakeLines() = 0;
};

}  // namespace platform
