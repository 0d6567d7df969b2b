#pragma once
// The screen colours under the key matrix: 8 entries per column, entry
// (column x, row y) at x * 8 + y, colour references 0x00BBGGRR. Written whole
// by the screen-sync thread, read by the device worker; the lock makes every
// read see one capture.
#include <array>
#include <cstdint>
#include <mutex>

namespace tessaro {

class ScreenGrid {
 public:
  static constexpr int kColumns = 32;
  static constexpr int kRowsPerColumn = 8;
  using Cells = std::array<uint32_t, kColumns * kRowsPerColumn>;

  static constexpr int IndexOf(int column, int row) { return column * kRowsPerColumn + row; }

  void Store(const Cells& cells) {
    std::lock_guard lock(mutex_);
    cells_ = cells;
  }
  Cells Snapshot() const {
    std::lock_guard lock(mutex_);
    return cells_;
  }
  uint32_t At(int column, int row) const {
    std::lock_guard lock(mutex_);
    return cells_[IndexOf(column, row)];
  }

 private:
  mutable std::mutex mutex_;
  Cells cells_{};
};

}  // namespace tessaro
