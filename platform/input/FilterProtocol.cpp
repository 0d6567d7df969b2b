#include "platform/input/FilterProtocol.h"

#include <algorithm>

namespace platform::filter {

std::array<uint8_t, kTableSize> BuildKeyTable(std::span<const int32_t> key_codes) {
  std::array<uint8_t, kTableSize> table{};
  const size_t count = std::min(key_codes.size(), kMaxEntries);
  for (size_t i = 0; i < count; ++i) {
    const auto code = static_cast<uint32_t>(key_codes[i]);
    uint8_t* entry = table.data() + i * kEntrySize;
    entry[0] = static_cast<uint8_t>(code & 0xFF);
    entry[1] = static_cast<uint8_t>((code >> 8) & 0xFF);
    entry[2] = kEntryMark2;
    entry[3] = kEntryMark3;
  }
  return table;
}

std::optional<std::vector<uint16_t>> ParseKeyTable(std::span<const uint8_t> table) {
  if (table.size() != kTableSize && table.size() != kClearSize) return std::nullopt;
  std::vector<uint16_t> codes;
  for (size_t at = 0; at + kEntrySize <= table.size(); at += kEntrySize) {
    const auto code = static_cast<uint16_t>(table[at] | (table[at + 1] << 8));
    if (code != 0) codes.push_back(code);
  }
  return codes;
}

std::array<uint8_t, kEventSize> EncodeKeyEvent(const KeyEvent& event) {
  return {static_cast<uint8_t>(event.key_code & 0xFF), static_cast<uint8_t>(event.key_code >> 8), 0,
          event.press ? kPressBit : uint8_t{0}};
}

KeyEvent DecodeKeyEvent(std::span<const uint8_t, kEventSize> bytes) {
  return {static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)), (bytes[3] & kPressBit) != 0};
}

}  // namespace platform::filter
