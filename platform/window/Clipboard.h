#pragma once
// Clipboard text (UTF-8). UI thread only.
#include <string>

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool SetClipboardText(const std::string& text) = 0;
  virtual std::string ClipboardText() const = 0;  // empty when there is none
};

}  // namespace platform
