#pragma once
// The control interface of the key filter: four control codes, the key table
// it takes and the 4-byte key events it reports. The codes keep the values of
// the I/O controls they stand for (device type 0x22, buffered).
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform::filter {

// Input: the key table (kTableSize bytes) or kClearSize zero bytes, which
// clear it and give the keyboards back.
inline constexpr uint32_t kSetKeyTable = 0x22A000;
// No data. Sent after a new table: drops key events still queued from the
// table before, so no event of a key that left the table is played.
inline constexpr uint32_t kDiscardEvents = 0x226008;
// No data. Sent after kDiscardEvents: takes the served keyboards (grab and
// pass-through clone) when the table holds keys.
inline constexpr uint32_t kArm = 0x22600C;
// Output: 4 bytes, one key event; waits until one arrives or the wait is
// cancelled.
inline constexpr uint32_t kWaitKeyEvent = 0x226044;

inline constexpr size_t kMaxEntries = 256;
inline constexpr size_t kEntrySize = 4;
inline constexpr size_t kTableSize = kMaxEntries * kEntrySize;  // 1024
inline constexpr size_t kClearSize = 256;
inline constexpr size_t kEventSize = 4;

// Entry: bytes 0-1 the key code (little-endian), then these two marks.
inline constexpr uint8_t kEntryMark2 = 0x07;
inline constexpr uint8_t kEntryMark3 = 0x02;
// Event: bytes 0-1 the key code (little-endian), byte 2 reserved (0), byte 3
// bit 0 set for a press.
inline constexpr uint8_t kPressBit = 0x01;

// The table for these key codes: the first kMaxEntries, in order, zero-filled
// to kTableSize bytes.
std::array<uint8_t, kTableSize> BuildKeyTable(std::span<const int32_t> key_codes);

// The key codes of a table: entries with a code other than 0. Nothing when
// the size is neither kTableSize nor kClearSize.
std::optional<std::vector<uint16_t>> ParseKeyTable(std::span<const uint8_t> table);

struct KeyEvent {
  uint16_t key_code = 0;
  bool press = false;

  bool operator==(const KeyEvent&) const = default;
};

std::array<uint8_t, kEventSize> EncodeKeyEvent(const KeyEvent& event);
KeyEvent DecodeKeyEvent(std::span<const uint8_t, kEventSize> bytes);

}  // namespace platform::filter
