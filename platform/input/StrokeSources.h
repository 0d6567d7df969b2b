#pragma once
// Picks where recording and key capture take their keystrokes from: the key
// filter when the served keyboard's event nodes can be read (keys are
// consumed), else the X server's raw key events when an X display is there
// (keys still reach the focused window), else nothing.
#include <functional>
#include <memory>
#include <vector>

#include "platform/input/EventNode.h"
#include "platform/input/FilterDevice.h"
#include "platform/input/StrokeSource.h"

namespace platform {

enum class StrokeSourceKind { kNone, kFilter, kXInput };

StrokeSourceKind ChooseStrokeSource(bool keyboard_readable, bool x_display);

// Whether at least one event node of a served keyboard is present and opens.
bool KeyboardNodesReadable(InputBackend& backend, const std::vector<UsbId>& served);

class StrokeSources {
 public:
  using Readable = std::function<bool()>;
  // Null when there is no X display (or it lacks raw events).
  using OpenXInput = std::function<std::unique_ptr<StrokeSource>()>;

  StrokeSources(FilterDevice& filter, Readable keyboard_readable, OpenXInput open_xinput)
      : filter_(filter),
        keyboard_readable_(std::move(keyboard_readable)),
        open_xinput_(std::move(open_xinput)) {}

  // Looks again each time (the udev rules may have been installed since);
  // null when there is no source. The X connection, once open, is kept.
  StrokeSource* Pick();
  StrokeSourceKind Kind() const { return kind_; }

 private:
  FilterDevice& filter_;
  Readable keyboard_readable_;
  OpenXInput open_xinput_;
  std::unique_ptr<StrokeSource> xinput_;
  StrokeSourceKind kind_ = StrokeSourceKind::kNone;
};

}  // namespace platform
