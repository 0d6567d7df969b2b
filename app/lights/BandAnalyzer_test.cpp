#include "app/lights/BandAnalyzer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessaro {
namespace {

// Three periods over the history, each value of a group alike.
std::vector<float> BassTone() {
  std::vector<float> tone(4 * 256);
  for (size_t g = 0; g < 256; ++g) {
    std::fill_n(&tone[4 * g], 4, std::sin(2.0f * static_cast<float>(M_PI) * 3.0f * g / 256.0f));
  }
  return tone;
}

TEST(BandAnalyzerTest, GroupsOfFourBecomeHistoryEntriesNewestLast) {
  BandAnalyzer analyzer;
  // Stereo, 8 frames: ceil(8 / 4) = 2 groups from the start of the packet.
  const std::vector<float> packet = {0.1f, 0.1f, 0.1f, 0.1f, 0.2f, 0.2f, 0.2f, 0.2f,
                                     0.9f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f};
  analyzer.AddPacket(packet, 8, 10.0f);
  const auto& history = analyzer.History();
  EXPECT_FLOAT_EQ(history[254], 0.1f * 2 * 10);  // mean of four times 2 times gain
  EXPECT_FLOAT_EQ(history[255], 0.2f * 2 * 10);
  EXPECT_FLOAT_EQ(history[253], 0.0f);

  analyzer.AddPacket(std::vector<float>{0.5f, 0.5f, 0.5f, 0.5f}, 2, 1.0f);
  EXPECT_FLOAT_EQ(history[253], 2.0f);
  EXPECT_FLOAT_EQ(history[254], 4.0f);
  EXPECT_FLOAT_EQ(history[255], 1.0f);
}

// A short or odd packet gives only the whole groups it holds: a mono packet
// of 5 frames asks for 2 groups but holds one, and 3 values hold none.
TEST(BandAnalyzerTest, ShortPacketsReadOnlyWholeGroupsInside) {
  BandAnalyzer analyzer;
  const std::vector<float> five = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
  analyzer.AddPacket(five, 5, 1.0f);
  EXPECT_FLOAT_EQ(analyzer.History()[255], 2.0f);
  EXPECT_FLOAT_EQ(analyzer.History()[254], 0.0f);

  const std::vector<float> three = {1.0f, 1.0f, 1.0f};
  analyzer.AddPacket(three, 3, 1.0f);
  EXPECT_FLOAT_EQ(analyzer.History()[254], 0.0f);
}

TEST(BandAnalyzerTest, LongPacketKeepsTheNewestEntries) {
  BandAnalyzer analyzer;
  std::vector<float> packet(4 * 300);
  for (size_t g = 0; g < 300; ++g) std::fill_n(&packet[4 * g], 4, static_cast<float>(g));
  analyzer.AddPacket(packet, 1200, 0.5f);
  EXPECT_FLOAT_EQ(analyzer.History()[0], 44.0f);
  EXPECT_FLOAT_EQ(analyzer.History()[255], 299.0f);
}

TEST(BandAnalyzerTest, SilenceDecaysEveryFrameByAFifth) {
  BandAnalyzer analyzer;
  analyzer.AddPacket(BassTone(), 1024, 270.0f);
  analyzer.Analyse();
  const float lit = analyzer.Heights()[8];
  ASSERT_GT(lit, 0.1f);

  analyzer.AddPacket(std::vector<float>(4 * 256, 0.0f), 1024, 1.0f);
  analyzer.Decay();
  analyzer.Analyse();
  EXPECT_LT(analyzer.Heights()[8], lit);
  for (int frame = 0; frame < 60; ++frame) {
    analyzer.Decay();
    analyzer.Analyse();
  }
  for (float h : analyzer.Heights()) EXPECT_LT(h, 1e-4f);
}

// A full-scale bass tone at the engine's gain lifts the low columns only.
TEST(BandAnalyzerTest, LoudBassFillsTheLowColumns) {
  BandAnalyzer analyzer;
  analyzer.AddPacket(BassTone(), 1024, 270.0f);
  analyzer.Analyse();
  EXPECT_GT(analyzer.Heights()[8], 0.85f);
  EXPECT_LT(analyzer.Heights()[200], 0.001f);
}

}  // namespace
}  // namespace tessaro
