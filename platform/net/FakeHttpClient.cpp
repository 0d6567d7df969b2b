#include "platform/net/FakeHttpClient.h"

#include <algorithm>

namespace platform {

void FakeHttpClient::SetReply(const std::string& url, Reply reply) {
  std::lock_guard lock(mutex_);
  replies_[url] = std::move(reply);
}

void FakeHttpClient::SetNoSession(bool no_session) {
  std::lock_guard lock(mutex_);
  no_session_ = no_session;
}

std::vector<HttpRequest> FakeHttpClient::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

HttpResult FakeHttpClient::Get(const HttpRequest& request, HttpReceiver& receiver) {
  Reply reply{404, {}, true};
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    if (no_session_) return {HttpOutcome::kNoSession, 0};
    if (auto found = replies_.find(request.url); found != replies_.end()) reply = found->second;
  }
  receiver.OnSessionOpened();
  if (reply.status < 200 || reply.status > 299) return {HttpOutcome::kFailed, reply.status};
  std::optional<uint64_t> length;
  if (reply.send_length) length = reply.body.size();
  if (!receiver.OnResponse(reply.status, length)) return {HttpOutcome::kFailed, reply.status};
  for (size_t offset = 0; offset < reply.body.size(); offset += kMaxPiece) {
    const size_t piece = std::min(kMaxPiece, reply.body.size() - offset);
    if (!receiver.OnBody({reply.body.data() + offset, piece})) {
      return {HttpOutcome::kFailed, reply.status};
    }
  }
  return {HttpOutcome::kOk, reply.status};
}

}  // namespace platform
