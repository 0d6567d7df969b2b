#include "platform/system/FallbackFileDialog.h"

namespace platform {

FileDialogResult FallbackFileDialog::ChooseOpen(const FileDialogOptions& options) {
  FileDialogResult result = first_.ChooseOpen(options);
  return result.choice == FileChoice::kUnavailable ? second_.ChooseOpen(options) : result;
}

FileDialogResult FallbackFileDialog::ChooseSave(const FileDialogOptions& options) {
  FileDialogResult result = first_.ChooseSave(options);
  return result.choice == FileChoice::kUnavailable ? second_.ChooseSave(options) : result;
}

}  // namespace platform
