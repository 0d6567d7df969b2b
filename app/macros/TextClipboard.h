#pragma once
// The clipboard as typing a text needs it. The window layer implements it over
// the desktop's clipboard (UI thread only).
#include <optional>
#include <string>
#include <vector>

#include "platform/system/Clock.h"

namespace tessaro {

class TextClipboard {
 public:
  virtual ~TextClipboard() = default;
  // Nothing when the clipboard holds no text.
  virtual std::optional<std::string> Text() = 0;
  virtual bool SetText(const std::string& text) = 0;
  virtual void Clear() = 0;
  // Waits until another program has read the text that SetText offered, at
  // most the time-out; false when nobody read it in time.
  virtual bool WaitUntilPasted(platform::Milliseconds timeout) = 0;
};

// A clipboard in memory; a paste reads it at once unless told otherwise.
class FakeTextClipboard final : public TextClipboard {
 public:
  std::optional<std::string> Text() override { return text_; }
  bool SetText(const std::string& text) override {
    text_ = text;
    history_.push_back(text);
    return true;
  }
  void Clear() override {
    text_.reset();
    history_.push_back("<cleared>");
  }
  bool WaitUntilPasted(platform::Milliseconds timeout) override {
    waited_ = timeout;
    return pasted_;
  }

  void SetPasted(bool pasted) { pasted_ = pasted; }
  // Every text set, and "<cleared>" for every Clear, in order.
  const std::vector<std::string>& History() const { return history_; }
  platform::Milliseconds Waited() const { return waited_; }

 private:
  std::optional<std::string> text_;
  std::vector<std::string> history_;
  bool pasted_ = true;
  platform::Milliseconds waited_{0};
};

}  // namespace tessaro
