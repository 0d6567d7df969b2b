#include "uilib/testing/TempFolder.h"

#include <atomic>
#include <filesystem>
#include <random>

namespace tumi::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("tumi-test-" + std::to_string(random()) +
                                                      "-" + std::to_string(++counter));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = candidate.string();
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempFolder::File(const std::string& name) const {
  fs::path p = fs::path(path_) / name;
  std::error_code ec;
  fs::create_directories(p.parent_path(), ec);
  return p.string();
}

}  // namespace tumi::testing
