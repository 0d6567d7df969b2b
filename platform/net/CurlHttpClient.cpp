#include "platform/net/CurlHttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace platform {
namespace {

using Steady = std::chrono::steady_clock;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

bool IsSuccess(long status) {
  return status >= 200 && status <= 299;
}

// The state of one transfer, shared with libcurl's callbacks.
struct Transfer {
  CURL* easy = nullptr;
  HttpReceiver* receiver = nullptr;
  std::chrono::milliseconds read_timeout{0};
  Steady::time_point last_progress = Steady::now();
  curl_off_t last_received = 0;
  bool response_seen = false;
  bool refused = false;

  long Status() const {
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
  }

  // Called once the final answer's headers are in: before its first body
  // piece, or after the transfer for an empty body.
  bool Announce() {
    response_seen = true;
    const long status = Status();
    if (!IsSuccess(status)) return false;
    curl_off_t length = -1;
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    std::optional<uint64_t> content_length;
    if (length >= 0) content_length = static_cast<uint64_t>(length);
    return receiver->OnResponse(static_cast<int>(status), content_length);
  }
};

size_t OnWrite(char* data, size_t size, size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  const size_t total = size * count;
  if (!transfer.response_seen && !transfer.Announce()) {
    transfer.refused = true;
    return 0;
  }
  for (size_t offset = 0; offset < total; offset += HttpClient::kMaxPiece) {
    const size_t length = std::min(HttpClient::kMaxPiece, total - offset);
    if (!transfer.receiver->OnBody({data + offset, length})) {
      transfer.refused = true;
      return 0;
    }
  }
  return total;
}

// libcurl calls this often while bytes flow and about once a second while
// they do not; a stall longer than the read time-out ends the transfer.
int OnProgress(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<Transfer*>(user);
  const auto now = Steady::now();
  if (received != transfer.last_received) {
    transfer.last_received = received;
    transfer.last_progress = now;
    return 0;
  }
  return now - transfer.last_progress > transfer.read_timeout ? 1 : 0;
}

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpResult CurlHttpClient::Get(const HttpRequest& request, HttpReceiver& receiver) {
  InitialiseOnce();
  EasyHandle easy(curl_easy_init());
  if (!easy) return {HttpOutcome::kNoSession, 0};
  receiver.OnSessionOpened();

  HeaderList headers;
  for (const std::string& line : request.headers) {
    curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
    if (grown == nullptr) return {HttpOutcome::kFailed, 0};
    static_cast<void>(headers.release());
    headers.reset(grown);
  }

  Transfer transfer;
  transfer.easy = easy.get();
  transfer.receiver = &receiver;
  transfer.read_timeout = request.read_timeout;

  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(handle, CURLOPT_USERAGENT, request.user_agent.c_str());
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, static_cast<long>(request.max_redirects));
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(request.connect_timeout.count()));
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, static_cast<long>(kMaxPiece));
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnWrite);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);

  const CURLcode code = curl_easy_perform(handle);
  const int status = static_cast<int>(transfer.Status());
  if (code != CURLE_OK || transfer.refused) return {HttpOutcome::kFailed, status};
  if (!transfer.response_seen && !transfer.Announce()) return {HttpOutcome::kFailed, status};
  return {HttpOutcome::kOk, status};
}

}  // namespace platform
