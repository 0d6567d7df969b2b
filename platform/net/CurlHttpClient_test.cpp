#include "platform/net/CurlHttpClient.h"

#include <gtest/gtest.h>

#include "platform/net/LocalHttpServer.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

struct Collector : HttpReceiver {
  bool opened = false;
  std::optional<int> status;
  std::optional<uint64_t> length;
  std::string body;
  size_t largest_piece = 0;
  bool OnResponse(int s, std::optional<uint64_t> l) override {
    status = s;
    length = l;
    return true;
  }
  bool OnBody(std::span<const char> piece) override {
    largest_piece = std::max(largest_piece, piece.size());
    body.append(piece.data(), piece.size());
    return true;
  }
  void OnSessionOpened() override { opened = true; }
};

HttpRequest RequestFor(const std::string& url) {
  HttpRequest request;
  request.url = url;
  request.user_agent = "Agent/1.0";
  request.headers = {"Accept: */*", "Pragma: no-cache"};
  request.connect_timeout = 2000ms;
  request.read_timeout = 300ms;
  return request;
}

TEST(CurlHttpClient, SendsHeadersAndDeliversBodyInBoundedPieces) {
  const std::string big(50000, 'x');
  LocalHttpServer server([&](const LocalHttpServer::Request& r) {
    LocalHttpServer::Response response;
    response.body = r.target == "/big" ? big : "1.2.3";
    response.send_length = r.target != "/big";
    return response;
  });
  ASSERT_TRUE(server.Start());
  CurlHttpClient client;

  Collector small;
  EXPECT_EQ(client.Get(RequestFor(server.BaseUrl() + "/version"), small).outcome, HttpOutcome::kOk);
  EXPECT_TRUE(small.opened);
  EXPECT_EQ(small.body, "1.2.3");
  EXPECT_EQ(small.length, 5u);

  Collector large;
  EXPECT_EQ(client.Get(RequestFor(server.BaseUrl() + "/big"), large).outcome, HttpOutcome::kOk);
  EXPECT_EQ(large.body, big);
  EXPECT_EQ(large.length, std::nullopt);
  EXPECT_LE(large.largest_piece, HttpClient::kMaxPiece);

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/version");
  EXPECT_EQ(requests[0].Header("User-Agent"), "Agent/1.0");
  EXPECT_EQ(requests[0].Header("Accept"), "*/*");
  EXPECT_EQ(requests[0].Header("Pragma"), "no-cache");
}

TEST(CurlHttpClient, FailuresAreBoundedAndCarryNoBody) {
  LocalHttpServer server([](const LocalHttpServer::Request& r) {
    LocalHttpServer::Response response;
    if (r.target == "/missing") {
      response.status = 404;
      response.body = "Not Found";
    } else if (r.target == "/loop") {
      response.status = 302;
      response.headers = {"Location: /loop"};
    } else if (r.target == "/slow") {
      response.body = std::string(1000, 'y');
      response.stall_after = 10;
    } else if (r.target == "/redirected") {
      response.status = 302;
      response.headers = {"Location: /final"};
    } else {
      response.body = "final";
    }
    return response;
  });
  ASSERT_TRUE(server.Start());
  CurlHttpClient client;

  struct Case {
    const char* target;
    HttpOutcome outcome;
    int status;
    const char* body;
  } cases[] = {
      {"/missing", HttpOutcome::kFailed, 404, ""},
      {"/loop", HttpOutcome::kFailed, 302, ""},
      {"/slow", HttpOutcome::kFailed, 200, "yyyyyyyyyy"},
      {"/redirected", HttpOutcome::kOk, 200, "final"},
  };
  for (const Case& c : cases) {
    Collector collector;
    const HttpResult result = client.Get(RequestFor(server.BaseUrl() + c.target), collector);
    EXPECT_EQ(result.outcome, c.outcome) << c.target;
    EXPECT_EQ(result.status, c.status) << c.target;
    EXPECT_EQ(collector.body, c.body) << c.target;
  }
  // A redirect loop stops at the limit rather than going on forever.
  size_t loops = 0;
  for (const auto& request : server.Requests()) loops += request.target == "/loop" ? 1 : 0;
  EXPECT_EQ(loops, 6u);

  // A server that is gone: refused at once.
  const std::string gone = server.BaseUrl();
  server.Stop();
  Collector down;
  EXPECT_EQ(client.Get(RequestFor(gone + "/version"), down).outcome, HttpOutcome::kFailed);
  EXPECT_FALSE(down.status.has_value());
}

TEST(CurlHttpClient, ReceiverCanRefuseTheBody) {
  LocalHttpServer server([](const LocalHttpServer::Request&) {
    LocalHttpServer::Response response;
    response.body = "payload";
    return response;
  });
  ASSERT_TRUE(server.Start());
  struct Refuser : Collector {
    bool OnBody(std::span<const char>) override { return false; }
  } refuser;
  CurlHttpClient client;
  EXPECT_EQ(client.Get(RequestFor(server.BaseUrl() + "/x"), refuser).outcome, HttpOutcome::kFailed);
}

}  // namespace
}  // namespace platform
