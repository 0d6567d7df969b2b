#include "uilib/keyboard/CTextArea.h"

#include <gtest/gtest.h>

#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/TestCanvas.h"

namespace tumi {
namespace {

using testing::RecordingTextSink;
using testing::TestCanvas;

TEST(CTextAreaTest, OpaqueFillOptionalFrameAndCentredTitle) {
  RecordingTextSink texts;
  CTextArea area(nullptr, 3, Rect{10, 10, 50, 30}, "Stage", 1, 1);
  area.SetTransparent(10, 20, 0x0000FF);  // red as a colour reference
  {
    TestCanvas canvas(60, 40);
    area.Draw(canvas.cr(), Rect{0, 0, 60, 40});
    EXPECT_EQ(canvas.At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(12, 28), 0xFFFF0000u);
  }
  auto title = texts.Find("Stage");
  ASSERT_TRUE(title.has_value());
  EXPECT_EQ(title->box, (Rect{0, 0, 40, 20}));
  area.SetFrame(1, 0xFF00FF00, 7);
  area.SetUpdate(0, 0);
  TestCanvas canvas(60, 40);
  area.Draw(canvas.cr(), Rect{0, 0, 60, 40});
  for (Point edge : {Point{10, 10}, Point{49, 29}, Point{10, 20}, Point{30, 29}}) {
    EXPECT_EQ(canvas.At(edge.x, edge.y), 0xFF00FF00u) << edge.x << "," << edge.y;
  }
  EXPECT_EQ(canvas.At(11, 11), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(9, 9), 0xFF000000u);
  EXPECT_EQ(area.GetAlpha1(), 10);
}

}  // namespace
}  // namespace tumi
