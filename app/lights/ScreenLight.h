#pragma once
// The screen-sync light of first-generation keyboards: a thread that grabs the
// screen while the light page shows a screen mode, shrinks it to 18 by 6 and
// stores one colour per key-matrix cell in the screen grid, which the key
// colour refresh reads.
//
// A grab and its reduction take a few milliseconds; the thread rests between
// grabs so that the light costs a few percent of a core, and the keys still
// change about thirty times a second. Disabled, it looks again every second.
#include <atomic>
#include <thread>

#include "app/lights/ScreenGrid.h"
#include "app/lights/ScreenReducer.h"
#include "platform/screen/ScreenCapture.h"
#include "platform/system/Clock.h"

namespace tessaro {

class ScreenLight {
 public:
  static constexpr platform::Milliseconds kCapturePeriod{33};
  static constexpr platform::Milliseconds kDisabledPoll{1000};
  static constexpr platform::Milliseconds kPollStep{100};  // how soon Stop and enabling are seen
  static constexpr int kMaxColumns = ScreenGrid::kColumns;
  static constexpr int kMaxRows = ScreenGrid::kRowsPerColumn;

  ScreenLight(platform::ScreenCapture& capture, platform::Clock& clock, ScreenGrid& grid);
  ~ScreenLight();
  ScreenLight(const ScreenLight&) = delete;
  ScreenLight& operator=(const ScreenLight&) = delete;

  // After a layout is loaded: the key matrix's counts, held to the grid's 32
  // by 8. Starts the thread the first time; later only the counts change.
  // With either count 0 nothing happens and false is returned.
  bool SetUp(int columns, int rows);
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Running() const { return running_; }
  void Stop();
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }

  // One grab into the grid: the thread's work, and the tests'. False when the
  // grab failed; the grid keeps the last colours.
  bool CaptureOnce();

 private:
  void ThreadMain();
  // Sleeps up to `total` in steps, returning early when stopping or when the
  // enabled flag no longer has the given value.
  void RestWhile(platform::Milliseconds total, bool enabled);

  platform::ScreenCapture& capture_;
  platform::Clock& clock_;
  ScreenGrid& grid_;
  std::atomic<bool> running_{false};
  std::atomic<bool> enabled_{false};
  std::atomic<int> columns_{0};
  std::atomic<int> rows_{0};
  std::thread thread_;
};

}  // namespace tessaro
