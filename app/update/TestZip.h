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

// One deflated entry whose headers claim declared_size bytes (and a matching
// CRC of nothing) while it unpacks to content: a bomb that lies about itself.
inline bool WriteLyingZip(const std::string& path, const std::string& name,
                          const std::string& content, uLong declared_size) {
  std::string deflated(compressBound(static_cast<uLong>(content.size())) + 64, '\0');
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return false;
  }
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = reinterpret_cast<Bytef*>(deflated.data());
  stream.avail_out = static_cast<uInt>(deflated.size());
  const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  deflated.resize(stream.total_out);
  deflateEnd(&stream);
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!done || zip == nullptr) return false;
  zip_fileinfo info{};
  bool ok = zipOpenNewFileInZip2(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                 Z_DEFLATED, Z_BEST_COMPRESSION, 1) == ZIP_OK;
  ok = ok &&
       zipWriteInFileInZip(zip, deflated.data(), static_cast<unsigned>(deflated.size())) == ZIP_OK;
  ok = ok && zipCloseFileInZipRaw(zip, declared_size, crc32(0, nullptr, 0)) == ZIP_OK;
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace tessaro::test
