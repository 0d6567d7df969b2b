#pragma once
// A plain HTTP GET for the update checks and downloads. One call is one
// transfer: the client opens a session, follows redirects up to a limit, and
// hands the body of a 2xx answer to the receiver piece by piece. Anything else
// (no answer, a time-out, too many redirects, a status outside 200 to 299, a
// receiver that refuses a piece) is a failure, reported without a body.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct HttpRequest {
  std::string url;
  std::string user_agent;
  // Extra header lines without line ends, e.g. "Accept: */*".
  std::vector<std::string> headers;
  std::chrono::milliseconds connect_timeout{15000};
  // The longest wait for the next byte once connected; a server that stalls
  // longer fails the transfer.
  std::chrono::milliseconds read_timeout{30000};
  int max_redirects = 5;
};

// Receives one transfer. Every call comes on the thread that called Get.
class HttpReceiver {
 public:
  virtual ~HttpReceiver() = default;
  // The session could be opened; the request goes out next.
  virtual void OnSessionOpened() {}
  // A 2xx answer arrived; content_length is nullopt when the server sent none.
  // False refuses the body and fails the transfer.
  virtual bool OnResponse(int status, std::optional<uint64_t> content_length) = 0;
  // The next piece of the body, at most kMaxPiece bytes. False fails the
  // transfer.
  virtual bool OnBody(std::span<const char> piece) = 0;
};

enum class HttpOutcome {
  kOk,         // the whole 2xx body was received
  kNoSession,  // no session could be opened at all
  kFailed,     // connection, protocol, status, time-out or receiver failure
};

struct HttpResult {
  HttpOutcome outcome = HttpOutcome::kFailed;
  int status = 0;  // the final HTTP status, 0 when none arrived
};

class HttpClient {
 public:
  static constexpr std::size_t kMaxPiece = 10240;

  virtual ~HttpClient() = default;
  virtual HttpResult Get(const HttpRequest& request, HttpReceiver& receiver) = 0;
};

}  // namespace platform
