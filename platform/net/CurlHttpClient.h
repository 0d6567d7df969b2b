#pragma once
// HttpClient over libcurl: http and https only (redirects too), the system's
// proxy variables, no signals, and a stall watch for the read time-out.
#include "platform/net/HttpClient.h"

namespace platform {

class CurlHttpClient final : public HttpClient {
 public:
  HttpResult Get(const HttpRequest& request, HttpReceiver& receiver) override;
};

}  // namespace platform
