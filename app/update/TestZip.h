#pragma once
// Test support: writes small zip files with minizip's writer, including the
// hostile entries a package must never unpack.
#include <zip.h>

#include <string>
#include <vector>

namespace tessaro::test {

struct ZipEntry {
  std::string name;
  std::string content;
  // A Unix file mode for the entry (e.g. 0120777 for a link); 0 writes a
  // DOS-style entry without one.
  unsigned long unix_mode = 0;
};

inline bool WriteZip(const std::string& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const ZipEntry& entry : entries) {
    zip_fileinfo info{};
    uLong made_by = 20;
    if (entry.unix_mode != 0) {
      info.external_fa = entry.unix_mode << 16;
      made_by |= 3u << 8;
    }
    ok = ok &&
         zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                 Z_DEFLATED, Z_BEST_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                 Z_DEFAULT_STRATEGY, nullptr, 0, made_by, 0, 0) == ZIP_OK;
    ok = ok && zipWriteInFileInZip(zip, entry.content.data(),
                                   static_cast<unsigned>(entry.content.size())) == ZIP_OK;
    ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace tessaro::test
