#pragma once
// Decoded skin files shared by every window of the process: a file is decoded
// once and its pixels are shared for as long as some window's image cache
// holds them, so opening a menu or a popup does not decode its skin again.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "uilib/core/Image.h"

namespace tumi {

class ImageStore {
 public:
  // The store the windows share; tests make their own to count decodes.
  static ImageStore& Shared();

  // The decoded file at the path (normalised first); null when it cannot be
  // loaded, and a failure is not remembered, so a file that appears later loads.
  std::shared_ptr<const Image> Load(const std::string& path);
  // How many files this store has decoded.
  int DecodeCount() const { return decodes_.load(); }

 private:
  std::mutex mutex_;
  std::map<std::string, std::weak_ptr<const Image>> images_;
  std::atomic<int> decodes_{0};
};

}  // namespace tumi
