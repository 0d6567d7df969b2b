#include "uilib/controls/MText.h"

#include <gtest/gtest.h>

#include "uilib/core/ControlFactory.h"
#include "uilib/core/MRender.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/TestCanvas.h"

namespace tumi {
namespace {

using testing::RecordingTextSink;
using testing::TestCanvas;

struct Drawn {
  std::string text;
  Argb color;
  int left;
};

std::vector<Drawn> Draw(MText& text) {
  RecordingTextSink sink;
  TestCanvas canvas(200, 30);
  text.DrawControl(canvas.cr(), Rect{0, 0, 200, 30});
  std::vector<Drawn> out;
  for (const DrawnText& t : sink.Texts()) out.push_back({t.text, t.color, t.box.left});
  return out;
}

TEST(MTextTest, MarkIsDrawnBetweenItsNeighboursInTheMarkColour) {
  MText text(nullptr, 1, Rect{0, 0, 200, 30}, "Press Fn now");
  text.SetMarkText("Fn");
  auto drawn = Draw(text);
  ASSERT_EQ(drawn.size(), 3u);
  int before = MRender::GetTextBounds(text.GetFontSpec(), "Press ").cx;
  int mark = MRender::GetTextBounds(text.GetFontSpec(), "Fn").cx;
  EXPECT_EQ(drawn[0].text, "Press ");
  EXPECT_EQ(drawn[0].color, 0xFFFFFFFFu);
  EXPECT_EQ(drawn[1].text, "Fn");
  EXPECT_EQ(drawn[1].color, 0xFFED801Bu);
  EXPECT_EQ(drawn[1].left, before + 2);
  EXPECT_EQ(drawn[2].text, " now");
  EXPECT_EQ(drawn[2].left, before + mark + 4);
}

TEST(MTextTest, AbsentMarkOrOneBeforeTheStartDrawsThePlainTitle) {
  MText text(nullptr, 1, Rect{0, 0, 200, 30}, "ab abc");
  text.SetMarkText("zz");
  auto drawn = Draw(text);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].text, "ab abc");
  // Only the occurrence at or after the start index is marked.
  text.SetMarkText("ab", 0xFF00FF00, 1);
  drawn = Draw(text);
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].text, "ab ");
  EXPECT_EQ(drawn[1].color, 0xFF00FF00u);
  text.SetMarkText("ab", 0xFF00FF00, 4);
  EXPECT_EQ(Draw(text).size(), 1u);
}

TEST(MTextTest, ShadowIsDrawnFirstAndTheLabelTakesNoClicksButTheWheel) {
  MText text(nullptr, 1, Rect{0, 0, 200, 30}, "label");
  text.EnableShadow(1);
  auto drawn = Draw(text);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].color, 0xFF505050u);
  EXPECT_EQ(drawn[0].left, 1);
  EXPECT_EQ(drawn[1].color, 0xFFFFFFFFu);
  EXPECT_EQ(text.IsEnabled(), 0);
  EXPECT_EQ(text.OnControlScroll(1, 0, Point{5, 5}), 1);
  EXPECT_TRUE(ControlFactory::IsRegistered("MText", FactoryKind::kDialog));
}

}  // namespace
}  // namespace tumi
