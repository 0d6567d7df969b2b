#pragma once
// Keyboards for tests and for --simulate: each node is a socketpair, so the
// filter polls and reads it as it would a real node, and a test (or a
// benchmark) pushes events into it from any thread. Nodes can be unplugged,
// refuse their grab (another program holds it) or have keys down. What the
// filter passes through is recorded per node. A clone is listed as a node of
// its own, with the keyboard's ids and the pass-through phys, as uinput lists
// the real one. Never touches a real device.
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/input/EventNode.h"

namespace platform {

class FakeInputBackend final : public InputBackend {
 public:
  FakeInputBackend();
  ~FakeInputBackend() override;

  std::vector<std::string> FindKeyboardNodes(const std::vector<UsbId>& ids) override;
  std::unique_ptr<EventNode> OpenNode(const std::string& path) override;

  // A present node of a device with these ids and phys; its path is returned.
  std::string AddNode(UsbId id, std::string phys = "usb-0000:00:14.0-1/input0");
  // Writes the events into the node, as the keyboard would send them.
  void Push(const std::string& path, const std::vector<InputEvent>& events);
  // A press or release of one key with its MSC_SCAN and SYN_REPORT.
  void PushKey(const std::string& path, uint16_t linux_code, int32_t value, int64_t time_us = 0);
  // The node disappears: listing skips it, an open node reads kGone.
  void Unplug(const std::string& path);
  // Unplugged nodes come back as new nodes with the same path.
  void Replug(const std::string& path);
  void RefuseGrab(const std::string& path, bool refuse);
  // The node is listed but cannot be opened, as without the udev rules.
  void RefuseOpen(const std::string& path, bool refuse);
  void SetKeysDown(const std::string& path, bool down);

  bool Grabbed(const std::string& path) const;
  bool HasClone(const std::string& path) const;
  // The node under which the clone of the node is listed; empty without one.
  std::string ClonePath(const std::string& path) const;
  int OpenNodes() const;
  // How often the keyboards have been looked for.
  int Scans() const;
  // Every event passed through the node's clones, in order.
  std::vector<InputEvent> Passed(const std::string& path) const;
  // Waits until at least count events have been passed for the node.
  bool WaitPassed(const std::string& path, size_t count, std::chrono::milliseconds timeout) const;

 private:
  class Node;
  class Clone;
  struct State;

  std::shared_ptr<State> state_;
};

}  // namespace platform
