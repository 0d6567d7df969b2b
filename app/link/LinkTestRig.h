#pragma once
// Test support: a keyboard link on the scripted HID fake and a fake clock, and
// a compact text form of what reached the fake.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/link/KeyboardLink.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/system/Clock.h"

namespace tessaro::test {

// "MI_02 feature 8: 07 F7 03" - interface, kind, length, bytes up to the last
// one that is not zero. Failed sends end in " (failed)".
inline std::string Describe(const platform::HidReportRecord& r) {
  using Kind = platform::HidReportRecord::Kind;
  const char* kind = r.kind == Kind::kOutput       ? "output"
                     : r.kind == Kind::kFeatureSet ? "feature"
                                                   : "read";
  char head[48];
  std::snprintf(head, sizeof head, "MI_%02X %s %zu:", static_cast<unsigned>(r.interface_number),
                kind, r.bytes.size());
  std::string text = head;
  size_t end = r.bytes.size();
  while (end > 0 && r.bytes[end - 1] == 0) --end;
  for (size_t i = 0; i < end; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", r.bytes[i]);
    text += hex;
  }
  if (!r.ok) text += " (failed)";
  return text;
}

struct LinkRig {
  platform::FakeClock clock;
  platform::FakeHidBackend* hid = nullptr;
  std::unique_ptr<KeyboardLink> link;

  LinkRig() {
    auto backend = std::make_unique<platform::FakeHidBackend>(clock);
    hid = backend.get();
    link = std::make_unique<KeyboardLink>(std::move(backend), clock);
  }

  std::vector<std::string> Sent() const {
    std::vector<std::string> lines;
    for (const auto& r : hid->Records()) lines.push_back(Describe(r));
    return lines;
  }
  std::vector<long> Waits() const {
    std::vector<long> waits;
    for (auto w : clock.Sleeps()) waits.push_back(static_cast<long>(w.count()));
    return waits;
  }
  void Clear() {
    hid->ClearRecords();
    clock.ClearSleeps();
  }
};

}  // namespace tessaro::test
