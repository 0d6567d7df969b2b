#include "app/lights/KeyColorRefresh.h"

#include <algorithm>

namespace tessaro {

KeyColorRefresh::KeyColorRefresh(const LightPageState& state, const Visualizer& music,
                                 const ScreenGrid& screen, KeyPictureTarget& picture,
                                 KeyColorStreamSink& stream)
    : state_(state), music_(music), screen_(screen), picture_(picture), stream_(stream) {}

void KeyColorRefresh::SetLayout(const LightKeyLayout& layout) {
  rows_ = std::clamp(layout.rows, 0, LightKeyLayout::kMaxRows);
  columns_ = std::clamp(layout.columns, 0, LightKeyLayout::kMaxColumns);
  keys_.clear();
  cells_.clear();
  light_slots_ = layout.light_slots;
  if (rows_ == 0 || columns_ == 0) return;
  for (int i = 0; i < rows_; ++i) {
    for (int j = 0; j < columns_; ++j) {
      const uint8_t code = layout.key_matrix[i][j];
      if (code == LightKeyLayout::kNoKey) continue;
      keys_.push_back({i, j, code});
      cells_.push_back(SamplingCell(i, j));
    }
  }
  colors_.assign(keys_.size(), 0);
}

// Rows spread over 62 of the 64 rows with a margin of two, centred in their
// band; columns over 255 of the 256.
PictureCell KeyColorRefresh::SamplingCell(int row, int column) const {
  const int row_step = 62 / rows_;
  const int column_step = 255 / columns_;
  return {column * column_step, static_cast<int>(row * row_step + 2 + row_step * 0.5)};
}

bool KeyColorRefresh::OnIdleTick() {
  if (keys_.empty() || !state_.StreamsColours()) return false;
  const bool screen = state_.ModeShown(LightPageState::kScreenSync);
  if (!screen && !state_.ModeShown(LightPageState::kMusicRhythm)) return false;

  if (screen) {
    const ScreenGrid::Cells grid = screen_.Snapshot();
    for (size_t k = 0; k < keys_.size(); ++k) {
      colors_[k] = grid[ScreenGrid::IndexOf(keys_[k].column, keys_[k].row)];
    }
  } else {
    music_.SampleFrame(cells_, colors_);
  }
  bool lit = false;
  for (size_t k = 0; k < keys_.size(); ++k) {
    picture_.SetKeyColor(keys_[k].code, colors_[k]);
    lit = lit || colors_[k] > kDarkest;
  }
  picture_.Repaint();
  if (!lit || state_.connection_mode != 0) return false;

  std::vector<PositionColor> frame;
  for (const KeyColorItem& item : picture_.KeyColors()) {
    const auto slot = light_slots_.find(item.key_code);
    if (slot != light_slots_.end()) frame.push_back({slot->second, item.color});
  }
  return stream_.StreamFrame(frame);
}

}  // namespace tessaro
