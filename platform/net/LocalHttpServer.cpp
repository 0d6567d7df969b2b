#include "platform/net/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace platform {
namespace {

constexpr int kRequestWaitMs = 5000;
constexpr size_t kMaxRequestBytes = 64 * 1024;

bool SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string ReasonOf(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

LocalHttpServer::Request ParseRequest(const std::string& head) {
  LocalHttpServer::Request request;
  std::istringstream lines(head);
  std::string line;
  std::getline(lines, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::istringstream first(line);
  first >> request.method >> request.target;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) request.header_lines.push_back(line);
  }
  return request;
}

}  // namespace

std::string LocalHttpServer::Request::Header(std::string_view name) const {
  const std::string wanted = Lower(name) + ":";
  for (const std::string& line : header_lines) {
    if (Lower(line).rfind(wanted, 0) != 0) continue;
    std::string value = line.substr(wanted.size());
    value.erase(0, value.find_first_not_of(' '));
    return value;
  }
  return {};
}

LocalHttpServer::LocalHttpServer(Handler handler) : handler_(std::move(handler)) {}

LocalHttpServer::~LocalHttpServer() {
  Stop();
}

bool LocalHttpServer::Start() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  wake_ = eventfd(0, EFD_CLOEXEC);
  if (listener_ < 0 || wake_ < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return false;
  if (listen(listener_, 8) != 0) return false;
  socklen_t length = sizeof address;
  if (getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return false;
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
  return true;
}

void LocalHttpServer::Stop() {
  if (thread_.joinable()) {
    const uint64_t one = 1;
    static_cast<void>(write(wake_, &one, sizeof one));
    thread_.join();
  }
  if (listener_ >= 0) close(listener_);
  if (wake_ >= 0) close(wake_);
  listener_ = wake_ = -1;
}

std::string LocalHttpServer::BaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

// True when fd has something to read; false on time-out or when Stop was
// called.
bool LocalHttpServer::WaitReadable(int fd, int timeout_ms) const {
  pollfd fds[2] = {{fd, POLLIN, 0}, {wake_, POLLIN, 0}};
  if (poll(fds, 2, timeout_ms) <= 0) return false;
  return (fds[1].revents & POLLIN) == 0 && fds[0].revents != 0;
}

void LocalHttpServer::Run() {
  while (WaitReadable(listener_, -1)) {
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Serve(connection);
    close(connection);
  }
}

void LocalHttpServer::Serve(int connection) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestBytes) {
    if (!WaitReadable(connection, kRequestWaitMs)) return;
    const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) return;
    head.append(buffer, static_cast<size_t>(got));
  }
  Request request = ParseRequest(head);
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  const Response response = handler_(request);

  std::string text = "HTTP/1.1 " + std::to_string(response.status) + " " +
                     ReasonOf(response.status) + "\r\nConnection: close\r\n";
  if (response.send_length)
    text += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
  for (const std::string& line : response.headers) text += line + "\r\n";
  text += "\r\n";
  const size_t body_bytes = std::min(response.body.size(), response.stall_after.value_or(SIZE_MAX));
  text.append(response.body, 0, body_bytes);
  if (!SendAll(connection, text)) return;
  if (response.stall_after) {
    // Silent until the client hangs up (readable at end of stream) or Stop.
    while (WaitReadable(connection, -1) && recv(connection, buffer, sizeof buffer, 0) > 0) {
    }
  }
}

}  // namespace platform
