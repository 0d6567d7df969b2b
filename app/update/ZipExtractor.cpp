#include "app/update/ZipExtractor.h"

#include <unzip.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// The "version made by" host of archives written on Unix; only then do the
// upper 16 bits of the external attributes hold a file mode.
constexpr unsigned kHostUnix = 3;
constexpr unsigned long kModeTypeMask = 0170000;
constexpr unsigned long kModeRegular = 0100000;
constexpr unsigned long kModeDirectory = 0040000;
constexpr size_t kReadChunk = 64 * 1024;

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

struct Entry {
  std::string name;
  unz_file_info64 info{};
};

bool IsPlainFileOrFolder(const unz_file_info64& info) {
  if ((info.version >> 8) != kHostUnix) return true;
  const unsigned long type = (info.external_fa >> 16) & kModeTypeMask;
  return type == 0 || type == kModeRegular || type == kModeDirectory;
}

bool ReadEntry(unzFile zip, Entry& entry) {
  if (unzGetCurrentFileInfo64(zip, &entry.info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }
  std::string name(entry.info.size_filename + 1, '\0');
  if (unzGetCurrentFileInfo64(zip, &entry.info, name.data(), static_cast<uLong>(name.size()),
                              nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }
  name.resize(entry.info.size_filename);
  entry.name = std::move(name);
  return true;
}

// What one extraction created, so that a failure can take it back.
class Undo {
 public:
  void Created(const fs::path& path) { created_.push_back(path); }
  void Rollback() {
    std::error_code ignored;
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) fs::remove(*it, ignored);
    created_.clear();
  }

 private:
  std::vector<fs::path> created_;
};

// Creates the missing folders of path below root, noting each one.
bool MakeFolders(const fs::path& root, const fs::path& relative, Undo& undo) {
  fs::path current = root;
  for (const fs::path& part : relative) {
    current /= part;
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(current, error))) continue;
    if (!fs::create_directory(current, error)) return false;
    undo.Created(current);
  }
  return true;
}

}  // namespace

bool ZipExtractor::IsSafeEntryName(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return false;
  if (name.find('\\') != std::string::npos || name.front() == '/') return false;
  if (name.size() >= 2 && name[1] == ':') return false;
  for (const fs::path& part : fs::path(name)) {
    if (part == "..") return false;
  }
  return true;
}

UnzipResult ZipExtractor::Extract(const std::string& zip_path, const std::string& folder) {
  files_.clear();
  ZipHandle zip(unzOpen64(zip_path.c_str()));
  if (!zip) return UnzipResult::kCannotOpen;

  // First pass: every entry is checked before anything is written.
  std::vector<Entry> entries;
  uint64_t declared = 0;
  int listed = unzGoToFirstFile(zip.get());
  for (; listed == UNZ_OK; listed = unzGoToNextFile(zip.get())) {
    if (entries.size() >= limits_.max_entries) return UnzipResult::kTooLarge;
    Entry entry;
    if (!ReadEntry(zip.get(), entry)) return UnzipResult::kFailed;
    if (!IsSafeEntryName(entry.name) || !IsPlainFileOrFolder(entry.info)) {
      return UnzipResult::kRefusedEntry;
    }
    declared += entry.info.uncompressed_size;
    if (declared > limits_.max_total_bytes) return UnzipResult::kTooLarge;
    entries.push_back(std::move(entry));
  }
  if (listed != UNZ_END_OF_LIST_OF_FILE) return UnzipResult::kFailed;

  Undo undo;
  uint64_t written = 0;
  std::vector<char> buffer(kReadChunk);
  const fs::path root(folder);
  UnzipResult result = UnzipResult::kOk;
  int step = unzGoToFirstFile(zip.get());
  for (const Entry& entry : entries) {
    if (step != UNZ_OK) {
      result = UnzipResult::kFailed;
      break;
    }
    const fs::path relative = fs::path(entry.name).lexically_normal();
    const bool is_folder = entry.name.back() == '/';
    if (!MakeFolders(root, is_folder ? relative : relative.parent_path(), undo)) {
      result = UnzipResult::kFailed;
      break;
    }
    if (!is_folder) {
      const fs::path target = root / relative;
      std::error_code error;
      if (fs::is_symlink(fs::symlink_status(target, error)) ||
          unzOpenCurrentFile(zip.get()) != UNZ_OK) {
        result = UnzipResult::kFailed;
        break;
      }
      std::ofstream out(target, std::ios::binary | std::ios::trunc);
      undo.Created(target);
      int got = 0;
      while (out && (got = unzReadCurrentFile(zip.get(), buffer.data(),
                                              static_cast<unsigned>(buffer.size()))) > 0) {
        written += static_cast<uint64_t>(got);
        if (written > limits_.max_total_bytes) break;
        out.write(buffer.data(), got);
      }
      // Closing checks the entry's CRC.
      const bool intact = unzCloseCurrentFile(zip.get()) == UNZ_OK && got == 0;
      out.close();
      if (written > limits_.max_total_bytes) {
        result = UnzipResult::kTooLarge;
        break;
      }
      if (!intact || out.fail()) {
        result = UnzipResult::kFailed;
        break;
      }
      files_.push_back(target.string());
    }
    step = unzGoToNextFile(zip.get());
  }
  if (result != UnzipResult::kOk) {
    undo.Rollback();
    files_.clear();
  }
  return result;
}

}  // namespace tessaro
