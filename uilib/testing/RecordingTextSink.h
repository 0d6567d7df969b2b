#pragma once
// A text sink that records every drawn string. It installs itself for its
// lifetime and puts back the sink that was installed before.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "uilib/core/TextSink.h"

namespace tumi::testing {

class RecordingTextSink final : public TextSink {
 public:
  RecordingTextSink() : previous_(TextSink::Install(this)) {}
  ~RecordingTextSink() override { TextSink::Install(previous_); }
  RecordingTextSink(const RecordingTextSink&) = delete;
  RecordingTextSink& operator=(const RecordingTextSink&) = delete;

  void OnTextDrawn(const DrawnText& text) override;

  std::vector<DrawnText> Texts() const;
  // The last draw of exactly this string.
  std::optional<DrawnText> Find(const std::string& text) const;
  void Clear();

 private:
  TextSink* previous_;
  mutable std::mutex mutex_;
  std::vector<DrawnText> texts_;
};

}  // namespace tumi::testing
