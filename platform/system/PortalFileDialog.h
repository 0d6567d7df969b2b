#pragma once
// The desktop portal's file chooser over the session D-Bus
// (org.freedesktop.portal.FileChooser): the desktop's own dialogs, also in a
// sandbox. Answers kUnavailable when there is no session bus or no portal, so
// that another dialog can stand in.
#include <optional>
#include <string_view>

#include "platform/system/FileDialog.h"

namespace platform {

class PortalFileDialog final : public FileDialog {
 public:
  FileDialogResult ChooseOpen(const FileDialogOptions& options) override;
  // The portal's save dialog asks before replacing a file itself.
  FileDialogResult ChooseSave(const FileDialogOptions& options) override;

  // The path of a "file://" URI, percent escapes decoded; nullopt for other
  // schemes and for escapes that are not two hexadecimal digits.
  static std::optional<std::string> PathFromUri(std::string_view uri);

 private:
  FileDialogResult Run(bool save, const FileDialogOptions& options);
};

}  // namespace platform
