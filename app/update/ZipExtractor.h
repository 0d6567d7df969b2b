#pragma once
// Unpacks a downloaded zip package into a folder, all or nothing.
//
// Every entry is checked before anything is written: a name that is empty,
// absolute, has a drive letter or a backslash, or climbs with ".." is refused,
// and so is any entry that is not a plain file or folder (links, devices). The
// entry count and the unpacked size are capped, counted on the bytes that
// really come out, not on what the archive claims. When anything fails, what
// was written so far is removed again.
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

struct UnzipLimits {
  uint64_t max_entries = 10000;
  uint64_t max_total_bytes = 2ull * 1024 * 1024 * 1024;
};

enum class UnzipResult {
  kOk,
  kCannotOpen,    // not a zip file, or no file at all
  kRefusedEntry,  // an entry would land outside the folder or is not a plain file
  kTooLarge,      // more entries or more bytes than the limits allow
  kFailed,        // a damaged entry or a file that could not be written
};

class ZipExtractor {
 public:
  explicit ZipExtractor(UnzipLimits limits = {}) : limits_(limits) {}

  UnzipResult Extract(const std::string& zip_path, const std::string& folder);
  // The files written by the last successful Extract, as paths below folder.
  const std::vector<std::string>& ExtractedFiles() const { return files_; }

  // Whether an entry name stays inside the folder it is unpacked into.
  static bool IsSafeEntryName(const std::string& name);

 private:
  UnzipLimits limits_;
  std::vector<std::string> files_;
};

}  // namespace tessaro
