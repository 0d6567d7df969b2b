#include "platform/system/FakeFileDialog.h"

namespace platform {

FileDialogResult FakeFileDialog::ChooseOpen(const FileDialogOptions& options) {
  return Next(false, options);
}

FileDialogResult FakeFileDialog::ChooseSave(const FileDialogOptions& options) {
  return Next(true, options);
}

FileDialogResult FakeFileDialog::Next(bool save, const FileDialogOptions& options) {
  shown_.push_back({save, options});
  if (answers_.empty()) return {FileChoice::kCancelled, {}};
  FileDialogResult result = std::move(answers_.front());
  answers_.pop_front();
  return result;
}

}  // namespace platform
