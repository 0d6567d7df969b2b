#pragma once
// An HttpClient that answers from a table of URLs and records every request.
// A URL without a reply answers 404. Safe to share between threads.
#include <map>
#include <mutex>

#include "platform/net/HttpClient.h"

namespace platform {

class FakeHttpClient final : public HttpClient {
 public:
  struct Reply {
    int status = 200;
    std::string body;
    bool send_length = true;
  };

  void SetReply(const std::string& url, Reply reply);
  // Every later Get fails before a session opens.
  void SetNoSession(bool no_session);
  std::vector<HttpRequest> Requests() const;

  HttpResult Get(const HttpRequest& request, HttpReceiver& receiver) override;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, Reply> replies_;
  std::vector<HttpRequest> requests_;
  bool no_session_ = false;
};

}  // namespace platform
