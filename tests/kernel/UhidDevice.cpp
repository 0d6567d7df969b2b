#include "tests/kernel/UhidDevice.h"

#include <fcntl.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tessaro::kernel {
namespace {

bool WriteEvent(int fd, const uhid_event& event) {
  const ssize_t written = write(fd, &event, sizeof event);
  return written == static_cast<ssize_t>(sizeof event);
}

void CopyText(char* target, size_t size, const std::string& text) {
  std::memset(target, 0, size);
  std::memcpy(target, text.data(), std::min(size - 1, text.size()));
}

}  // namespace

UhidDevice::UhidDevice(const UhidIdentity& identity, const std::vector<uint8_t>& descriptor) {
  fd_ = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd_ < 0) return;
  uhid_event event{};
  event.type = UHID_CREATE2;
  auto& create = event.u.create2;
  CopyText(reinterpret_cast<char*>(create.name), sizeof create.name, identity.name);
  CopyText(reinterpret_cast<char*>(create.phys), sizeof create.phys, identity.phys);
  create.rd_size = static_cast<uint16_t>(std::min(descriptor.size(), sizeof create.rd_data));
  std::memcpy(create.rd_data, descriptor.data(), create.rd_size);
  create.bus = BUS_USB;
  create.vendor = identity.vendor_id;
  create.product = identity.product_id;
  if (!WriteEvent(fd_, event)) {
    close(fd_);
    fd_ = -1;
  }
}

UhidDevice::~UhidDevice() {
  if (fd_ < 0) return;
  uhid_event event{};
  event.type = UHID_DESTROY;
  WriteEvent(fd_, event);
  close(fd_);
}

std::optional<UhidMessage> UhidDevice::Read(std::chrono::milliseconds timeout) {
  if (fd_ < 0) return std::nullopt;
  pollfd waiting{fd_, POLLIN, 0};
  if (poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return std::nullopt;
  uhid_event event{};
  if (read(fd_, &event, sizeof event) <= 0) return std::nullopt;
  UhidMessage message;
  switch (event.type) {
    case UHID_START:
      message.kind = UhidMessage::Kind::kStart;
      break;
    case UHID_OPEN:
      message.kind = UhidMessage::Kind::kOpen;
      break;
    case UHID_CLOSE:
      message.kind = UhidMessage::Kind::kClose;
      break;
    case UHID_OUTPUT: {
      const auto& output = event.u.output;
      message.kind = UhidMessage::Kind::kOutput;
      message.bytes.assign(output.data, output.data + std::min<size_t>(output.size, UHID_DATA_MAX));
      break;
    }
    case UHID_SET_REPORT: {
      const auto& set = event.u.set_report;
      message.kind = UhidMessage::Kind::kSetReport;
      message.request_id = set.id;
      message.report_number = set.rnum;
      message.bytes.assign(set.data, set.data + std::min<size_t>(set.size, UHID_DATA_MAX));
      break;
    }
    case UHID_GET_REPORT:
      message.kind = UhidMessage::Kind::kGetReport;
      message.request_id = event.u.get_report.id;
      message.report_number = event.u.get_report.rnum;
      break;
    default:
      break;
  }
  return message;
}

bool UhidDevice::ReplySetReport(uint32_t request_id, bool ok) {
  uhid_event event{};
  event.type = UHID_SET_REPORT_REPLY;
  event.u.set_report_reply.id = request_id;
  event.u.set_report_reply.err = ok ? 0 : EIO;
  return WriteEvent(fd_, event);
}

bool UhidDevice::ReplyGetReport(uint32_t request_id, const std::vector<uint8_t>& bytes) {
  uhid_event event{};
  event.type = UHID_GET_REPORT_REPLY;
  auto& reply = event.u.get_report_reply;
  reply.id = request_id;
  reply.err = 0;
  reply.size = static_cast<uint16_t>(std::min<size_t>(bytes.size(), UHID_DATA_MAX));
  std::memcpy(reply.data, bytes.data(), reply.size);
  return WriteEvent(fd_, event);
}

bool UhidDevice::SendInput(const std::vector<uint8_t>& report) {
  uhid_event event{};
  event.type = UHID_INPUT2;
  event.u.input2.size = static_cast<uint16_t>(std::min<size_t>(report.size(), UHID_DATA_MAX));
  std::memcpy(event.u.input2.data, report.data(), event.u.input2.size);
  return WriteEvent(fd_, event);
}

bool UhidDevice::WaitStarted(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    auto message = Read(std::max(left, std::chrono::milliseconds(1)));
    if (message && message->kind == UhidMessage::Kind::kStart) return true;
  }
  return false;
}

std::vector<uint8_t> VendorCollectionDescriptor() {
  // No report ids: 64-byte input and output reports, a 7-byte feature report
  // (8 with the report number the host puts in front).
  return {
      0x06, 0x01, 0xFF,        // usage page 0xFF01
      0x09, 0x01,              // usage 1
      0xA1, 0x01,              // collection (application)
      0x15, 0x00,              //   logical minimum 0
      0x26, 0xFF, 0x00,        //   logical maximum 255
      0x75, 0x08,              //   report size 8
      0x95, 0x40,              //   report count 64
      0x09, 0x01, 0x81, 0x02,  // input
      0x09, 0x01, 0x91, 0x02,  // output
      0x95, 0x07,              // report count 7
      0x09, 0x01, 0xB1, 0x02,  // feature
      0xC0,                    // end collection
  };
}

std::vector<uint8_t> BootKeyboardDescriptor() {
  return {
      0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // generic desktop, keyboard, application
      0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,              // modifiers
      0x75, 0x01, 0x95, 0x08, 0x81, 0x02,                                      //   8 bits
      0x95, 0x01, 0x75, 0x08, 0x81, 0x01,                                      // reserved byte
      0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02,  // LEDs
      0x95, 0x01, 0x75, 0x03, 0x91, 0x01,                                      // padding
      0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65,                          // six key codes
      0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00,                          //
      0xC0,
  };
}

}  // namespace tessaro::kernel
