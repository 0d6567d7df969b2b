#pragma once
// One dialog, and another when the first cannot be shown: the desktop portal
// first, zenity on desktops without it.
#include "platform/system/FileDialog.h"

namespace platform {

class FallbackFileDialog final : public FileDialog {
 public:
  FallbackFileDialog(FileDialog& first, FileDialog& second) : first_(first), second_(second) {}
  FileDialogResult ChooseOpen(const FileDialogOptions& options) override;
  FileDialogResult ChooseSave(const FileDialogOptions& options) override;

 private:
  FileDialog& first_;
  FileDialog& second_;
};

}  // namespace platform
