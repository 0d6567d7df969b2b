#pragma once
// The file dialogs of zenity, for desktops without the file chooser portal.
// zenity runs as a child process (never through a shell) and prints the
// chosen path; exit code 1 is a cancel.
#include <vector>

#include "platform/system/FileDialog.h"

namespace platform {

class ZenityFileDialog final : public FileDialog {
 public:
  explicit ZenityFileDialog(std::string program = "zenity") : program_(std::move(program)) {}

  FileDialogResult ChooseOpen(const FileDialogOptions& options) override;
  FileDialogResult ChooseSave(const FileDialogOptions& options) override;

  // The command line for a dialog, without the program.
  static std::vector<std::string> Arguments(bool save, const FileDialogOptions& options);

 private:
  FileDialogResult Run(bool save, const FileDialogOptions& options);

  std::string program_;
};

}  // namespace platform
