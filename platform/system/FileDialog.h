#pragma once
// The desktop's open and save dialogs for one kind of file. A dialog blocks
// the calling thread until the user has chosen or cancelled.
#include <optional>
#include <string>

namespace platform {

struct FileDialogOptions {
  std::string title;
  // One filter: the name shown ("Profile (*.xml)") and its pattern ("*.xml").
  std::string filter_name;
  std::string filter_pattern;
  // Save only: the file name offered at first.
  std::string suggested_name;
  // The window the dialog belongs to, as the desktop portal names windows
  // ("x11:<hex id>", "wayland:<handle>"); empty when there is none.
  std::string parent_window;
};

enum class FileChoice { kChosen, kCancelled, kUnavailable };

struct FileDialogResult {
  FileChoice choice = FileChoice::kUnavailable;
  std::string path;  // set when chosen
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  virtual FileDialogResult ChooseOpen(const FileDialogOptions& options) = 0;
  // Asks before an existing file is replaced.
  virtual FileDialogResult ChooseSave(const FileDialogOptions& options) = 0;
};

}  // namespace platform
