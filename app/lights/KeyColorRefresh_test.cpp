#include "app/lights/KeyColorRefresh.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/lights/ColorMath.h"
#include "app/lights/LightTestFakes.h"
#include "platform/audio/FakeLoopbackCapture.h"

namespace tessaro {
namespace {

struct RefreshRig {
  platform::FakeLoopbackCapture capture{platform::SampleForm::kFloat32};
  platform::FakeClock clock;
  Visualizer music{capture, clock};
  ScreenGrid screen;
  LightPageState state;
  test::FakeKeyPicture picture;
  test::RecordingStreamSink stream;
  KeyColorRefresh refresh{state, music, screen, picture, stream};

  RefreshRig() {
    state.page_shown = true;
    state.config_func = 0x200;
    state.device_type = 100;
  }
};

// Two rows by three columns; key code = 0x41 + row * 3 + column, light
// position = row * 10 + column; cell (1, 1) holds no key.
LightKeyLayout SmallLayout() {
  LightKeyLayout layout;
  layout.rows = 2;
  layout.columns = 3;
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      if (r == 1 && c == 1) continue;
      const uint8_t code = static_cast<uint8_t>(0x41 + r * 3 + c);
      layout.key_matrix[r][c] = code;
      layout.light_slots[code] = r * 10 + c;
    }
  }
  return layout;
}

TEST(KeyColorRefreshTest, SamplingCellsSpreadOverThePicture) {
  RefreshRig rig;
  LightKeyLayout layout = SmallLayout();
  layout.rows = 6;
  layout.columns = 18;
  rig.refresh.SetLayout(layout);
  // 62 / 6 = 10 rows a band, centred: 7 + 10 i; 255 / 18 = 14 columns a step.
  EXPECT_EQ(rig.refresh.SamplingCell(0, 0).row, 7);
  EXPECT_EQ(rig.refresh.SamplingCell(5, 0).row, 57);
  EXPECT_EQ(rig.refresh.SamplingCell(0, 17).column, 238);
  layout.rows = 8;
  layout.columns = 32;
  rig.refresh.SetLayout(layout);
  EXPECT_EQ(rig.refresh.SamplingCell(7, 31).row, 54);  // 7 * 7 + 2 + 3.5
  EXPECT_EQ(rig.refresh.SamplingCell(7, 31).column, 217);
}

TEST(KeyColorRefreshTest, CountsAreHeldToTheMatrix) {
  struct Case {
    int rows, columns, expected_rows, expected_columns;
  };
  const Case cases[] = {{12, 40, 8, 32}, {-3, 5, 0, 5}, {6, 0, 6, 0}};
  for (const Case& c : cases) {
    RefreshRig rig;
    LightKeyLayout layout = SmallLayout();
    layout.rows = c.rows;
    layout.columns = c.columns;
    rig.refresh.SetLayout(layout);
    EXPECT_EQ(rig.refresh.Rows(), c.expected_rows);
    EXPECT_EQ(rig.refresh.Columns(), c.expected_columns);
    if (c.expected_rows == 0 || c.expected_columns == 0) {
      rig.screen.Store(ScreenGrid::Cells{});
      EXPECT_FALSE(rig.refresh.OnIdleTick());
      EXPECT_EQ(rig.picture.repaints, 0);
    }
  }
}

TEST(KeyColorRefreshTest, MusicFrameColoursTheKeysAndIsStreamed) {
  RefreshRig rig;
  rig.music.SetPatterns({0, 270, /*background: blue=*/7, 100});
  rig.music.RunFrame();
  rig.refresh.SetLayout(SmallLayout());
  ASSERT_TRUE(rig.refresh.OnIdleTick());
  const uint32_t blue = color::Dim(0xFF0000, 255);
  EXPECT_EQ(rig.picture.colors.size(), 5u);
  EXPECT_EQ(rig.picture.colors[0x41], blue);
  EXPECT_EQ(rig.picture.colors.count(0x45), 0u);  // no key in that cell
  EXPECT_EQ(rig.picture.repaints, 1);
  ASSERT_EQ(rig.stream.frames.size(), 1u);
  ASSERT_EQ(rig.stream.frames[0].size(), 5u);
  EXPECT_EQ(rig.stream.frames[0][0].position, 0);
  EXPECT_EQ(rig.stream.frames[0][4].position, 12);
  EXPECT_EQ(rig.stream.frames[0][4].color, blue);
}

TEST(KeyColorRefreshTest, ScreenModeReadsTheGridByColumnAndRow) {
  RefreshRig rig;
  rig.state.config_func = 0x400;
  ScreenGrid::Cells cells{};
  cells[ScreenGrid::IndexOf(2, 1)] = 0x0000FF;
  cells[ScreenGrid::IndexOf(1, 0)] = 0xFF0000;
  rig.screen.Store(cells);
  rig.refresh.SetLayout(SmallLayout());
  ASSERT_TRUE(rig.refresh.OnIdleTick());
  EXPECT_EQ(rig.picture.colors[0x46], 0x0000FFu);  // row 1, column 2
  EXPECT_EQ(rig.picture.colors[0x42], 0xFF0000u);  // row 0, column 1
  EXPECT_EQ(rig.picture.colors[0x41], 0u);
}

TEST(KeyColorRefreshTest, NothingIsStreamedWhereItMustNotBe) {
  struct Case {
    const char* name;
    int device_type, connection_mode, config_func;
    bool page_shown;
    uint32_t grid_color;
    bool repainted;
  };
  const Case cases[] = {
      {"type 200", 200, 0, 0x400, true, 0xFFFFFF, false},
      {"type 201", 201, 0, 0x400, true, 0xFFFFFF, false},
      {"all black", 100, 0, 0x400, true, 0x000000, true},
      {"colour 1 counts as black", 100, 0, 0x400, true, 0x000001, true},
      {"connection mode 1", 100, 1, 0x400, true, 0xFFFFFF, true},
      {"another page", 100, 0, 0x400, false, 0xFFFFFF, false},
      {"no light-following mode", 100, 0, 0x100, true, 0xFFFFFF, false},
  };
  for (const Case& c : cases) {
    RefreshRig rig;
    rig.state.device_type = c.device_type;
    rig.state.connection_mode = c.connection_mode;
    rig.state.config_func = c.config_func;
    rig.state.page_shown = c.page_shown;
    ScreenGrid::Cells cells;
    cells.fill(c.grid_color);
    rig.screen.Store(cells);
    rig.refresh.SetLayout(SmallLayout());
    EXPECT_FALSE(rig.refresh.OnIdleTick()) << c.name;
    EXPECT_TRUE(rig.stream.frames.empty()) << c.name;
    EXPECT_EQ(rig.picture.repaints, c.repainted ? 1 : 0) << c.name;
  }
}

}  // namespace
}  // namespace tessaro
