#include <gtest/gtest.h>

#include "uilib/core/MRender.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/TestCanvas.h"

namespace tumi {
namespace {

using testing::RecordingTextSink;
using testing::TestCanvas;

TEST(MRenderText, BoundsGrowWithTheText) {
  const FontSpec font{"Arial", 14, kFontRegular};
  EXPECT_EQ(MRender::GetTextBounds(font, "").cx, 0);
  const Size one = MRender::GetTextBounds(font, "M");
  EXPECT_GT(one.cx, 0);
  EXPECT_GE(one.cy, 14 + 1);
  int last = one.cx;
  for (const char* text : {"MM", "MM M", "Tessaro keyboard", "Tessaro keyboard configurator"}) {
    const Size s = MRender::GetTextBounds(font, text);
    EXPECT_GT(s.cx, last) << text;
    EXPECT_EQ(s.cy, one.cy) << text;
    last = s.cx;
  }
  EXPECT_GT(MRender::GetTextBounds({"Arial", 28, kFontRegular}, "MM").cx,
            MRender::GetTextBounds(font, "MM").cx);
  EXPECT_GT(MRender::GetTextBounds(font, "one\ntwo").cy, one.cy);
}

TEST(MRenderText, BoldIsWeight700AndDrawsWider) {
  EXPECT_EQ(FontWeightForStyle(kFontBold), 700);
  EXPECT_EQ(FontWeightForStyle(kFontBold | kFontItalic | kFontUnderline), 700);
  EXPECT_EQ(FontWeightForStyle(kFontRegular), 400);
  const std::string text = "Settings and profiles";
  EXPECT_GT(MRender::GetTextBounds({"Arial", 14, kFontBold}, text).cx,
            MRender::GetTextBounds({"Arial", 14, kFontRegular}, text).cx);
}

TEST(MRenderText, SinkRecordsStringBoxColourAndPlacement) {
  const FontSpec font{"Arial", 14, kFontRegular};
  const Rect box{10, 10, 210, 50};
  const int w = MRender::GetTextBounds(font, "Apply").cx;
  const struct {
    int h, v;
    int want_left;  // where the text starts
  } cases[] = {{kAlignLeft, kAlignTop, 10},
               {kAlignCenter, kAlignVCenter, 10 + (200 - w) / 2},
               {kAlignRight, kAlignBottom, 210 - w}};
  for (const auto& c : cases) {
    RecordingTextSink sink;
    TestCanvas canvas(300, 80);
    TextFormat format;
    format.h_align = c.h;
    format.v_align = c.v;
    cairo_translate(canvas.cr(), 50, 5);
    MRender::DrawString(canvas.cr(), "Apply", box, font, format, 0xFFFF7D00);
    const auto drawn = sink.Find("Apply");
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->box, box);
    EXPECT_EQ(drawn->device_box, box.Offset(50, 5));
    EXPECT_EQ(drawn->color, 0xFFFF7D00u);
    EXPECT_EQ(drawn->font.family, "Arial");
    EXPECT_NEAR(drawn->bounds.left, c.want_left, 1) << c.h;
    EXPECT_EQ(drawn->bounds.top == box.top, c.v == kAlignTop);
    EXPECT_EQ(drawn->bounds.bottom == box.bottom, c.v == kAlignBottom);
  }
}

TEST(MRenderText, LongTextIsWrappedEllipsizedOrClipped) {
  const FontSpec font{"Arial", 14, kFontRegular};
  const std::string text = "a label far too long for its little box";
  const Rect box{0, 0, 80, 60};
  const struct {
    const char* name;
    unsigned flags;
    bool fits_width;
    bool several_lines;
  } cases[] = {
      {"single line overflows", kDtSingleLine, false, false},
      {"end ellipsis fits", kDtSingleLine | kDtEndEllipsis, true, false},
      {"word break wraps", kDtWordBreak, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingTextSink sink;
    TestCanvas canvas(200, 100, 0xFF000000);
    MRender::DrawTextW(canvas.cr(), text, box, 0xFFFFFF, font, c.flags);
    const auto drawn = sink.Find(text);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->color, 0xFFFFFFFFu);
    EXPECT_EQ(drawn->bounds.Width() <= box.Width(), c.fits_width);
    EXPECT_EQ(drawn->bounds.Height() > 20, c.several_lines);
    // Clipped to the box: nothing lands outside it.
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (!box.Contains({x, y})) {
          ASSERT_EQ(canvas.At(x, y), 0xFF000000u) << x << "," << y;
        }
      }
    }
  }
}

TEST(MRenderText, DrawTextFlagsMapToTheFormat) {
  const TextFormat f = TextFormat::FromDrawTextFlags(kDtCenter | kDtVCenter | kDtSingleLine |
                                                     kDtEndEllipsis | kDtNoClip);
  EXPECT_EQ(f.h_align, kAlignCenter);
  EXPECT_EQ(f.v_align, kAlignVCenter);
  EXPECT_TRUE(f.single_line && f.ellipsis && !f.clip && !f.wrap);
  const TextFormat g = TextFormat::FromDrawTextFlags(kDtRight | kDtBottom | kDtWordBreak);
  EXPECT_EQ(g.h_align, kAlignRight);
  EXPECT_EQ(g.v_align, kAlignBottom);
  EXPECT_TRUE(g.wrap && g.clip && !g.single_line);
}

TEST(MRenderText, NothingIsReportedWithoutASink) {
  TestCanvas canvas(50, 20);
  EXPECT_EQ(TextSink::Installed(), nullptr);
  MRender::DrawString(canvas.cr(), "x", {0, 0, 50, 20}, {}, {}, 0xFFFFFFFF);
  {
    RecordingTextSink outer;
    {
      RecordingTextSink inner;
      MRender::DrawString(canvas.cr(), "y", {0, 0, 50, 20}, {}, {}, 0xFFFFFFFF);
      EXPECT_EQ(inner.Texts().size(), 1u);
    }
    EXPECT_EQ(TextSink::Installed(), &outer);
    EXPECT_TRUE(outer.Texts().empty());
  }
  EXPECT_EQ(TextSink::Installed(), nullptr);
}

}  // namespace
}  // namespace tumi
