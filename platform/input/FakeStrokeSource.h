#pragma once
// A keystroke source for tests: hands out the keystrokes a test sends, on the
// test's thread, and keeps the keys from nobody (as the X fallback).
#include <mutex>

#include "platform/input/StrokeSource.h"

namespace platform {

class FakeStrokeSource final : public StrokeSource {
 public:
  explicit FakeStrokeSource(bool consumes = false) : consumes_(consumes) {}

  void SetStrokeHandler(StrokeHandler handler) override;
  bool ConsumesKeys() const override { return consumes_; }

  // False when no handler is set.
  bool Stroke(const KeyStroke& stroke);
  bool HasHandler() const;

 private:
  const bool consumes_;
  mutable std::mutex mutex_;
  StrokeHandler handler_;
};

}  // namespace platform
