#pragma once
// The two transfers of the update checks, with the request every one of them
// sends: the program's user agent, "Accept: */*" and no cached answers.
#include <chrono>
#include <cstdint>
#include <string>

#include "app/update/DownloadProgress.h"
#include "platform/net/HttpClient.h"

namespace tessaro {

class HttpTransfer {
 public:
  static constexpr const char* kUserAgent = "IIC2.0/PC 5.5.0000";
  // A version text is a few characters; anything longer is not one.
  static constexpr uint64_t kMaxTextBytes = 4096;
  static constexpr uint64_t kMaxDownloadBytes = 512ull * 1024 * 1024;

  // Results as the callers test them.
  static constexpr int kOk = 1;
  static constexpr int kNoSession = 0;
  static constexpr int kFailed = -1;

  static constexpr std::chrono::milliseconds kReadTimeout{30000};

  explicit HttpTransfer(platform::HttpClient& client,
                        std::chrono::milliseconds read_timeout = kReadTimeout)
      : client_(client), read_timeout_(read_timeout) {}

  // The body of a 2xx answer, as UTF-8 text.
  int FetchText(const std::string& url, std::string& text);
  // The whole body of a 2xx answer written to a new file at path (an old file
  // there is deleted first). On any failure, a short write included, the file
  // is deleted again. Progress, when given: 0, 2 once a session is open, 8
  // once the server answered, 10 once the file is created, then by the share
  // of the announced length received, and 100 after success; each value once.
  int DownloadFile(const std::string& url, const std::string& path, DownloadProgress* progress,
                   uint64_t max_bytes = kMaxDownloadBytes);

  platform::HttpRequest RequestFor(const std::string& url) const;

 private:
  platform::HttpClient& client_;
  std::chrono::milliseconds read_timeout_;
};

}  // namespace tessaro
