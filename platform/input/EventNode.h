#pragma once
// An opened input event node of a keyboard, and the pass-through device that
// stands in for it while it is grabbed. Closing the node (destroying the
// object) drops the grab, as the kernel also does when the process dies.
#include <memory>
#include <span>
#include <vector>

#include "platform/input/InputEvent.h"

namespace platform {

// Where events that the filter lets through go: a uinput device with the
// grabbed node's capabilities. Destroying it removes the device, and the
// kernel releases every key still down on it.
class EventSink {
 public:
  virtual ~EventSink() = default;
  // The events in order, SYN frames included; false when the device is gone.
  virtual bool Write(std::span<const InputEvent> events) = 0;
};

class EventNode {
 public:
  enum class ReadStatus { kRead, kGone };

  virtual ~EventNode() = default;
  // Readable when events wait; the descriptor stays valid for the node's life.
  virtual int PollFd() const = 0;
  // Takes the node's events away from everyone else; false when another
  // program holds the grab or the node is gone.
  virtual bool Grab() = 0;
  virtual void Ungrab() = 0;
  // Whether any key of the node is down now, as far as the events read tell.
  virtual bool AnyKeyDown() const = 0;
  // Appends the events that are ready without blocking (possibly none);
  // kGone once the device has been unplugged.
  virtual ReadStatus Read(std::vector<InputEvent>& out) = 0;
  // A pass-through device with this node's keys; null when uinput cannot be
  // opened.
  virtual std::unique_ptr<EventSink> CreateClone() = 0;
};

// Finds and opens the served keyboards' event nodes.
class InputBackend {
 public:
  virtual ~InputBackend() = default;
  // The event nodes of every present device with one of the ids, virtual ones
  // (Bluetooth, uinput) included, but never the program's own pass-through
  // clones or its virtual HID device (IsServedKeyboard).
  virtual std::vector<std::string> FindKeyboardNodes(const std::vector<UsbId>& ids) = 0;
  // Null when the node cannot be opened (missing, or no permission).
  virtual std::unique_ptr<EventNode> OpenNode(const std::string& path) = 0;
};

}  // namespace platform
