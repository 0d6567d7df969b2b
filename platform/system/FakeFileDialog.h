#pragma once
// Answers every dialog with the next scripted result (cancel when none is
// left) and records the options each dialog was shown with.
#include <deque>
#include <vector>

#include "platform/system/FileDialog.h"

namespace platform {

class FakeFileDialog final : public FileDialog {
 public:
  struct Shown {
    bool save = false;
    FileDialogOptions options;
  };

  void Answer(std::string path) { answers_.push_back({FileChoice::kChosen, std::move(path)}); }
  void Cancel() { answers_.push_back({FileChoice::kCancelled, {}}); }
  void Unavailable() { answers_.push_back({FileChoice::kUnavailable, {}}); }
  const std::vector<Shown>& ShownDialogs() const { return shown_; }

  FileDialogResult ChooseOpen(const FileDialogOptions& options) override;
  FileDialogResult ChooseSave(const FileDialogOptions& options) override;

 private:
  FileDialogResult Next(bool save, const FileDialogOptions& options);

  std::deque<FileDialogResult> answers_;
  std::vector<Shown> shown_;
};

}  // namespace platform
