#pragma once
// The device worker's part of the computed light effects: on every idle tick,
// while the light page shows a music or screen mode of a first-generation
// keyboard, the keys take the colours of the music picture or the screen grid,
// the keyboard picture shows them and they are streamed to the keyboard.
//
// Runs on the device worker only.
#include <vector>

#include "app/lights/KeyColorStreamSink.h"
#include "app/lights/KeyPictureTarget.h"
#include "app/lights/LightKeyLayout.h"
#include "app/lights/LightPageState.h"
#include "app/lights/ScreenGrid.h"
#include "app/lights/Visualizer.h"

namespace tessaro {

class KeyColorRefresh {
 public:
  // A colour reference above this counts as lit; an all-dark frame is not sent.
  static constexpr uint32_t kDarkest = 1;

  KeyColorRefresh(const LightPageState& state, const Visualizer& music, const ScreenGrid& screen,
                  KeyPictureTarget& picture, KeyColorStreamSink& stream);

  // After a layout is loaded. Rows and columns are held to the 8 by 32
  // matrix; with either at 0 there is nothing to refresh.
  void SetLayout(const LightKeyLayout& layout);
  int Rows() const { return rows_; }
  int Columns() const { return columns_; }
  // Where key-matrix cell (row, column) samples the music picture.
  PictureCell SamplingCell(int row, int column) const;

  // One idle tick. True when a frame was streamed.
  bool OnIdleTick();

 private:
  struct Key {
    int row;
    int column;
    uint8_t code;
  };

  const LightPageState& state_;
  const Visualizer& music_;
  const ScreenGrid& screen_;
  KeyPictureTarget& picture_;
  KeyColorStreamSink& stream_;

  int rows_ = 0;
  int columns_ = 0;
  std::vector<Key> keys_;
  std::vector<PictureCell> cells_;  // per key
  std::map<uint32_t, int> light_slots_;
  std::vector<uint32_t> colors_;
};

}  // namespace tessaro
