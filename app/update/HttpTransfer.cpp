#include "app/update/HttpTransfer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

int ResultOf(platform::HttpOutcome outcome) {
  switch (outcome) {
    case platform::HttpOutcome::kOk:
      return HttpTransfer::kOk;
    case platform::HttpOutcome::kNoSession:
      return HttpTransfer::kNoSession;
    case platform::HttpOutcome::kFailed:
      break;
  }
  return HttpTransfer::kFailed;
}

class TextReceiver final : public platform::HttpReceiver {
 public:
  explicit TextReceiver(std::string& text) : text_(text) {}
  bool OnResponse(int, std::optional<uint64_t> length) override {
    return !length || *length <= HttpTransfer::kMaxTextBytes;
  }
  bool OnBody(std::span<const char> piece) override {
    if (text_.size() + piece.size() > HttpTransfer::kMaxTextBytes) return false;
    text_.append(piece.data(), piece.size());
    return true;
  }

 private:
  std::string& text_;
};

class FileReceiver final : public platform::HttpReceiver {
 public:
  FileReceiver(const std::string& path, DownloadProgress* progress, uint64_t max_bytes)
      : path_(path), progress_(progress), max_bytes_(max_bytes) {}

  void Post(int value) {
    if (progress_ == nullptr || value == last_posted_) return;
    last_posted_ = value;
    progress_->PostDownloadProgress(value);
  }
  void OnSessionOpened() override { Post(2); }
  bool OnResponse(int, std::optional<uint64_t> length) override {
    Post(8);
    if (length && *length > max_bytes_) return false;
    length_ = length.value_or(0);
    file_.open(path_, std::ios::binary | std::ios::trunc);
    if (!file_) return false;
    Post(10);
    return true;
  }
  bool OnBody(std::span<const char> piece) override {
    received_ += piece.size();
    if (received_ > max_bytes_) return false;
    if (!file_.write(piece.data(), static_cast<std::streamsize>(piece.size()))) return false;
    if (length_ != 0) Post(static_cast<int>(10 + 90 * std::min(received_, length_) / length_));
    return true;
  }
  // Closes the file; false when buffered bytes could not be written.
  bool Finish() {
    if (!file_.is_open()) return true;
    file_.close();
    return !file_.fail();
  }

 private:
  std::string path_;
  DownloadProgress* progress_;
  uint64_t max_bytes_;
  std::ofstream file_;
  uint64_t length_ = 0;
  uint64_t received_ = 0;
  int last_posted_ = -1;
};

}  // namespace

platform::HttpRequest HttpTransfer::RequestFor(const std::string& url) const {
  platform::HttpRequest request;
  request.url = url;
  request.read_timeout = read_timeout_;
  request.user_agent = kUserAgent;
  // Always the server's current answer, never a cached one.
  request.headers = {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache"};
  return request;
}

int HttpTransfer::FetchText(const std::string& url, std::string& text) {
  std::string body;
  TextReceiver receiver(body);
  const int result = ResultOf(client_.Get(RequestFor(url), receiver).outcome);
  if (result == kOk) text = std::move(body);
  return result;
}

int HttpTransfer::DownloadFile(const std::string& url, const std::string& path,
                               DownloadProgress* progress, uint64_t max_bytes) {
  std::error_code ignored;
  fs::remove(path, ignored);
  FileReceiver receiver(path, progress, max_bytes);
  receiver.Post(0);
  int result = ResultOf(client_.Get(RequestFor(url), receiver).outcome);
  if (!receiver.Finish() && result == kOk) result = kFailed;
  if (result != kOk) {
    fs::remove(path, ignored);
    return result;
  }
  receiver.Post(100);
  return kOk;
}

}  // namespace tessaro
