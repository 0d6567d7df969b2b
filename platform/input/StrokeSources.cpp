#include "platform/input/StrokeSources.h"

namespace platform {

StrokeSourceKind ChooseStrokeSource(bool keyboard_readable, bool x_display) {
  if (keyboard_readable) return StrokeSourceKind::kFilter;
  if (x_display) return StrokeSourceKind::kXInput;
  return StrokeSourceKind::kNone;
}

bool KeyboardNodesReadable(InputBackend& backend, const std::vector<UsbId>& served) {
  for (const std::string& path : backend.FindKeyboardNodes(served)) {
    if (backend.OpenNode(path) != nullptr) return true;
  }
  return false;
}

StrokeSource* StrokeSources::Pick() {
  const bool readable = keyboard_readable_();
  if (!readable && !xinput_) xinput_ = open_xinput_();
  kind_ = ChooseStrokeSource(readable, xinput_ != nullptr);
  switch (kind_) {
    case StrokeSourceKind::kFilter:
      return &filter_;
    case StrokeSourceKind::kXInput:
      return xinput_.get();
    case StrokeSourceKind::kNone:
      break;
  }
  return nullptr;
}

}  // namespace platform
