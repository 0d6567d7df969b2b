#include "platform/input/StrokeSources.h"

#include <gtest/gtest.h>

#include "platform/input/FakeFilterDevice.h"
#include "platform/input/FakeInputBackend.h"
#include "platform/input/FakeStrokeSource.h"

namespace platform {
namespace {

constexpr UsbId kServed{0x1A2B, 0x3C4D};
constexpr UsbId kOther{0x1111, 0x2222};

enum class Nodes { kNone, kReadable, kRefused, kOtherKeyboard, kOneOfTwoReadable };

struct Case {
  const char* what;
  Nodes nodes;
  bool x_display;
  StrokeSourceKind expected;
};

class StrokeSourcesTest : public ::testing::TestWithParam<Case> {};

TEST_P(StrokeSourcesTest, PicksTheFilterThenTheXServerThenNothing) {
  const Case& c = GetParam();
  FakeInputBackend backend;
  switch (c.nodes) {
    case Nodes::kNone:
      break;
    case Nodes::kReadable:
      backend.AddNode(kServed);
      break;
    case Nodes::kRefused:
      backend.RefuseOpen(backend.AddNode(kServed), true);
      break;
    case Nodes::kOtherKeyboard:
      backend.AddNode(kOther);
      break;
    case Nodes::kOneOfTwoReadable:
      backend.RefuseOpen(backend.AddNode(kServed), true);
      backend.AddNode(kServed);
      break;
  }
  FakeFilterDevice filter;
  FakeStrokeSource* x_keys = nullptr;
  StrokeSources sources(
      filter, [&] { return KeyboardNodesReadable(backend, {kServed}); },
      [&]() -> std::unique_ptr<StrokeSource> {
        if (!c.x_display) return nullptr;
        auto source = std::make_unique<FakeStrokeSource>();
        x_keys = source.get();
        return source;
      });

  StrokeSource* picked = sources.Pick();
  EXPECT_EQ(sources.Kind(), c.expected) << c.what;
  EXPECT_EQ(ChooseStrokeSource(c.nodes == Nodes::kReadable || c.nodes == Nodes::kOneOfTwoReadable,
                               c.x_display),
            c.expected)
      << c.what;
  switch (c.expected) {
    case StrokeSourceKind::kFilter:
      EXPECT_EQ(picked, &filter) << c.what;
      EXPECT_TRUE(picked->ConsumesKeys());
      break;
    case StrokeSourceKind::kXInput:
      EXPECT_EQ(picked, x_keys) << c.what;
      EXPECT_FALSE(picked->ConsumesKeys());
      break;
    case StrokeSourceKind::kNone:
      EXPECT_EQ(picked, nullptr) << c.what;
      break;
  }
  EXPECT_EQ(backend.OpenNodes(), 0) << "the probe closes what it opened";
}

INSTANTIATE_TEST_SUITE_P(
    Choices, StrokeSourcesTest,
    ::testing::Values(
        Case{"readable nodes win over X", Nodes::kReadable, true, StrokeSourceKind::kFilter},
        Case{"readable nodes without X", Nodes::kReadable, false, StrokeSourceKind::kFilter},
        Case{"one readable node is enough", Nodes::kOneOfTwoReadable, true,
             StrokeSourceKind::kFilter},
        Case{"no permission: X", Nodes::kRefused, true, StrokeSourceKind::kXInput},
        Case{"keyboard missing: X", Nodes::kNone, true, StrokeSourceKind::kXInput},
        Case{"only another keyboard: X", Nodes::kOtherKeyboard, true, StrokeSourceKind::kXInput},
        Case{"no permission, no X", Nodes::kRefused, false, StrokeSourceKind::kNone},
        Case{"nothing at all", Nodes::kNone, false, StrokeSourceKind::kNone}));

// The X connection is opened once and kept; access granted later (the udev
// rules installed) brings the filter back at the next start.
TEST(StrokeSources, LooksAgainAtEachStartAndKeepsTheXConnection) {
  FakeFilterDevice filter;
  bool readable = false;
  int opened = 0;
  StrokeSources sources(
      filter, [&] { return readable; },
      [&]() -> std::unique_ptr<StrokeSource> {
        ++opened;
        return std::make_unique<FakeStrokeSource>();
      });
  StrokeSource* first = sources.Pick();
  EXPECT_EQ(sources.Kind(), StrokeSourceKind::kXInput);
  EXPECT_EQ(sources.Pick(), first);
  readable = true;
  EXPECT_EQ(sources.Pick(), &filter);
  readable = false;
  EXPECT_EQ(sources.Pick(), first);
  EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace platform
