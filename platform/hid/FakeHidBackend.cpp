#include "platform/hid/FakeHidBackend.h"

#include <algorithm>
#include <cstdio>

namespace platform {

class FakeHidBackend::Device final : public HidDevice {
 public:
  Device(std::shared_ptr<State> state, const Clock& clock, int interface_number)
      : state_(std::move(state)), clock_(clock), interface_number_(interface_number) {}
  ~Device() override {
    std::lock_guard lock(state_->mutex);
    --state_->open_handles;
  }
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  int Write(std::span<const uint8_t> report) override {
    return Send(HidReportRecord::Kind::kOutput, report);
  }
  int SendFeature(std::span<const uint8_t> report) override {
    return Send(HidReportRecord::Kind::kFeatureSet, report);
  }
  int GetFeature(std::span<uint8_t> buffer) override {
    std::lock_guard lock(state_->mutex);
    HidReportRecord record{
        HidReportRecord::Kind::kFeatureGet, interface_number_, {}, clock_.Now(), false};
    int result = -1;
    if (!state_->unplugged && !state_->answers.empty()) {
      const std::vector<uint8_t> answer = std::move(state_->answers.front());
      state_->answers.pop_front();
      const size_t n = std::min(answer.size(), buffer.size());
      std::copy_n(answer.begin(), n, buffer.begin());
      record.bytes.assign(answer.begin(), answer.begin() + static_cast<long>(n));
      record.ok = true;
      result = static_cast<int>(n);
    }
    state_->records.push_back(std::move(record));
    return result;
  }

 private:
  int Send(HidReportRecord::Kind kind, std::span<const uint8_t> report) {
    std::lock_guard lock(state_->mutex);
    const int number = ++state_->writes;
    const bool fails = state_->unplugged || state_->failing_writes.count(number) > 0 ||
                       (state_->fail_from > 0 && number >= state_->fail_from);
    state_->records.push_back(HidReportRecord{kind, interface_number_,
                                              std::vector<uint8_t>(report.begin(), report.end()),
                                              clock_.Now(), !fails});
    return fails ? -1 : static_cast<int>(report.size());
  }

  std::shared_ptr<State> state_;
  const Clock& clock_;
  int interface_number_;
};

FakeHidBackend::FakeHidBackend(const Clock& clock) : clock_(clock) {}

std::vector<HidInterfaceInfo> FakeHidBackend::Enumerate() {
  std::lock_guard lock(state_->mutex);
  if (state_->unplugged) return {};
  return state_->interfaces;
}

std::unique_ptr<HidDevice> FakeHidBackend::Open(const std::string& path) {
  std::lock_guard lock(state_->mutex);
  ++state_->open_calls;
  if (state_->unplugged || state_->refused.count(path) > 0) return nullptr;
  for (const HidInterfaceInfo& info : state_->interfaces) {
    if (info.path != path) continue;
    ++state_->open_handles;
    return std::make_unique<Device>(state_, clock_, info.interface_number);
  }
  return nullptr;
}

HidInterfaceInfo FakeHidBackend::AddInterface(uint16_t vendor_id, uint16_t product_id,
                                              int interface_number, uint16_t usage_page,
                                              uint16_t usage) {
  std::lock_guard lock(state_->mutex);
  HidInterfaceInfo info;
  char path[64];
  std::snprintf(path, sizeof path, "fake:%04x:%04x:%d:%zu", vendor_id, product_id, interface_number,
                state_->interfaces.size());
  info.path = path;
  info.vendor_id = vendor_id;
  info.product_id = product_id;
  info.interface_number = interface_number;
  info.collections.push_back({usage_page, usage});
  state_->interfaces.push_back(std::move(info));
  return state_->interfaces.back();
}

void FakeHidBackend::RefuseOpen(const std::string& path) {
  std::lock_guard lock(state_->mutex);
  state_->refused.insert(path);
}

void FakeHidBackend::FailWrite(int number) {
  std::lock_guard lock(state_->mutex);
  state_->failing_writes.insert(number);
}

void FakeHidBackend::FailWritesFrom(int number) {
  std::lock_guard lock(state_->mutex);
  state_->fail_from = number;
}

void FakeHidBackend::Unplug() {
  std::lock_guard lock(state_->mutex);
  state_->unplugged = true;
}

void FakeHidBackend::QueueFeatureAnswer(std::vector<uint8_t> answer) {
  std::lock_guard lock(state_->mutex);
  state_->answers.push_back(std::move(answer));
}

std::vector<HidReportRecord> FakeHidBackend::Records() const {
  std::lock_guard lock(state_->mutex);
  return state_->records;
}

void FakeHidBackend::ClearRecords() {
  std::lock_guard lock(state_->mutex);
  state_->records.clear();
}

int FakeHidBackend::OpenHandles() const {
  std::lock_guard lock(state_->mutex);
  return state_->open_handles;
}

int FakeHidBackend::OpenCalls() const {
  std::lock_guard lock(state_->mutex);
  return state_->open_calls;
}

}  // namespace platform
