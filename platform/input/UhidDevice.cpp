#include "platform/input/UhidDevice.h"

#include <fcntl.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/input/UhidPacket.h"

namespace platform {
namespace {

constexpr std::chrono::milliseconds kStartTimeout{1000};

bool WriteEvent(int fd, const uhid_event& event) {
  ssize_t written = 0;
  do {
    written = write(fd, &event, sizeof event);
  } while (written < 0 && errno == EINTR);
  return written == static_cast<ssize_t>(sizeof event);
}

// Reads the device's events until UHID_START; the kernel answers a create
// with it once the HID driver has bound.
bool WaitForStart(int fd) {
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd polled{fd, POLLIN, 0};
    const int ready = poll(&polled, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    uhid_event event{};
    const ssize_t got = read(fd, &event, sizeof event);
    if (got <= 0) return false;
    if (event.type == UHID_START) return true;
  }
}

}  // namespace

UhidDevice::~UhidDevice() {
  Destroy();
}

bool UhidDevice::Create(const VirtualHidSpec& description) {
  Destroy();
  const int fd = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  uhid_event event{};
  event.type = UHID_CREATE2;
  auto& create = event.u.create2;
  std::strncpy(reinterpret_cast<char*>(create.name), description.name.c_str(),
               sizeof create.name - 1);
  create.bus = BUS_VIRTUAL;
  create.vendor = description.vendor_id;
  create.product = description.product_id;
  const size_t size = std::min(description.report_descriptor.size(), sizeof create.rd_data);
  create.rd_size = static_cast<uint16_t>(size);
  std::memcpy(create.rd_data, description.report_descriptor.data(), size);
  if (!WriteEvent(fd, event) || !WaitForStart(fd)) {
    close(fd);
    return false;
  }
  // From now on the device's own events (open, close, output reports) are
  // not read; uhid drops them when its queue is full.
  fcntl(fd, F_SETFL, O_NONBLOCK);
  fd_ = fd;
  return true;
}

bool UhidDevice::Write(const HidPacket& packet) {
  if (fd_ < 0) return false;
  const auto report = InputReportOfPacket(packet);
  if (!report) return false;
  uhid_event event{};
  event.type = UHID_INPUT2;
  event.u.input2.size = static_cast<uint16_t>(report->size());
  std::memcpy(event.u.input2.data, report->data(), report->size());
  if (WriteEvent(fd_, event)) return true;
  if (errno != EAGAIN && errno != EINTR) Destroy();
  return false;
}

void UhidDevice::Destroy() {
  if (fd_ < 0) return;
  uhid_event event{};
  event.type = UHID_DESTROY;
  WriteEvent(fd_, event);
  close(fd_);
  fd_ = -1;
}

}  // namespace platform
