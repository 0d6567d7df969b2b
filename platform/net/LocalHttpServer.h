#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for tests: it listens on a free port,
// serves one connection at a time from a handler, records every request and
// closes each connection after its answer. Stop (or the destructor) ends its
// thread, also while an answer is stalled on purpose.
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace platform {

class LocalHttpServer {
 public:
  struct Request {
    std::string method;
    std::string target;
    // "Name: value" lines as received, in order.
    std::vector<std::string> header_lines;
    // The value of the first header of that name (case-insensitive), or empty.
    std::string Header(std::string_view name) const;
  };
  struct Response {
    int status = 200;
    std::string body;
    bool send_length = true;
    std::vector<std::string> headers;
    // Send the headers and this many body bytes, then fall silent until the
    // client gives up or the server stops.
    std::optional<size_t> stall_after;
  };
  using Handler = std::function<Response(const Request&)>;

  explicit LocalHttpServer(Handler handler);
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  bool Start();
  void Stop();
  // "http://127.0.0.1:<port>", no trailing slash.
  std::string BaseUrl() const;
  std::vector<Request> Requests() const;

 private:
  void Run();
  void Serve(int connection);
  bool WaitReadable(int fd, int timeout_ms) const;

  Handler handler_;
  int listener_ = -1;
  int wake_ = -1;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
};

}  // namespace platform
