#pragma once
// Fuzz support: one store in a temporary folder for the whole run, and the
// input bytes written to a file there, since the importers read files.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/store/ConfigStore.h"

namespace tessaro::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

class ExchangeFuzzRig {
 public:
  static ExchangeFuzzRig& Instance() {
    static ExchangeFuzzRig rig;
    return rig;
  }
  ~ExchangeFuzzRig() {
    store.Close();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  // The bytes as the file "<folder>/Fuzz.xml".
  std::string Write(const uint8_t* data, size_t size) {
    const std::string path = (folder_ / "Fuzz.xml").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
  }

  ConfigStore store;

 private:
  ExchangeFuzzRig() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("tessaro-fuzz-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder_ / "db");
    Check(store.Open(folder_.string(), "fuzz"));
  }

  std::filesystem::path folder_;
};

}  // namespace tessaro::fuzz
