#include "app/lights/ScreenLight.h"

#include <algorithm>

namespace tessaro {

ScreenLight::ScreenLight(platform::ScreenCapture& capture, platform::Clock& clock, ScreenGrid& grid)
    : capture_(capture), clock_(clock), grid_(grid) {}

ScreenLight::~ScreenLight() {
  Stop();
}

bool ScreenLight::SetUp(int columns, int rows) {
  columns = std::clamp(columns, 0, kMaxColumns);
  rows = std::clamp(rows, 0, kMaxRows);
  if (columns == 0 || rows == 0) return false;
  columns_ = columns;
  rows_ = rows;
  if (!running_.exchange(true)) thread_ = std::thread([this] { ThreadMain(); });
  return true;
}

void ScreenLight::Stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

void ScreenLight::ThreadMain() {
  while (running_) {
    if (enabled_) {
      CaptureOnce();
      RestWhile(kCapturePeriod, true);
    } else {
      RestWhile(kDisabledPoll, false);
    }
  }
}

void ScreenLight::RestWhile(platform::Milliseconds total, bool enabled) {
  for (platform::Milliseconds slept{0}; slept < total; slept += kPollStep) {
    if (!running_ || enabled_ != enabled) return;
    const platform::Milliseconds step = std::min(kPollStep, total - slept);
    clock_.SleepFor(step);
  }
}

bool ScreenLight::CaptureOnce() {
  platform::ScreenImage image;
  if (!capture_.Grab(image)) return false;
  const ScreenReducer::Cells reduced = ScreenReducer::Reduce(image);
  const int columns = columns_;
  const int rows = rows_;
  // Cells beyond 18 by 6 repeat the colour read last: rows 6 and 7 that of
  // row 5 of their column, columns 18 on that of (17, last row).
  ScreenGrid::Cells cells = grid_.Snapshot();
  uint32_t last = 0;
  for (int x = 0; x < columns; ++x) {
    for (int y = 0; y < rows; ++y) {
      if (x < ScreenReducer::kColumns && y < ScreenReducer::kRows) {
        last = ScreenReducer::At(reduced, x, y);
      }
      cells[ScreenGrid::IndexOf(x, y)] = last;
    }
  }
  grid_.Store(cells);
  return true;
}

}  // namespace tessaro
