#pragma once
// A fresh folder below the system's temporary folder, removed with everything
// in it when the object goes.
#include <string>

namespace tumi::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Path() joined with a relative name; the name's parent folders are created.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace tumi::testing
