// The colour buffers behind the custom colour upload and the colour stream.
#include "app/link/CommandReports.h"

#include <gtest/gtest.h>

namespace tessaro::command {
namespace {

TEST(CommandReports, CustomColorsAreRedGreenBlueAndAMarkerPerPosition) {
  const PositionColor colors[] = {
      {0, 0x00332211},   {14, 0x00665544}, {109, 0x00998877},    {110, 0x00FFFFFF},
      {149, 0x00FFFFFF}, {-1, 0x00FFFFFF}, {100000, 0x00FFFFFF},
  };
  const std::vector<OutputReport> reports = CustomColorReports(colors);
  ASSERT_EQ(reports.size(), 8u);
  // Position 0 at offset 0 of report 0; position 14 at offset 56 (report 0, bytes 61-64).
  EXPECT_EQ((std::vector<uint8_t>(reports[0].begin(), reports[0].begin() + 9)),
            (std::vector<uint8_t>{0x00, 0x8B, 60, 0, 0, 0x11, 0x22, 0x33, 0xFF}));
  EXPECT_EQ((std::vector<uint8_t>(reports[0].begin() + 61, reports[0].end())),
            (std::vector<uint8_t>{0x44, 0x55, 0x66, 0xFF}));
  // Position 109 at offset 436: the last report (offset 420, 20 bytes) holds it at 16.
  const OutputReport& last = reports[7];
  EXPECT_EQ(last[2], 20);
  EXPECT_EQ(last[3] | last[4] << 8, 420);
  EXPECT_EQ((std::vector<uint8_t>(last.begin() + 21, last.begin() + 25)),
            (std::vector<uint8_t>{0x77, 0x88, 0x99, 0xFF}));
  // Nothing of the positions outside 0 to 109 shows up.
  for (size_t i = 25; i < last.size(); ++i) EXPECT_EQ(last[i], 0) << i;
}

TEST(CommandReports, StreamFramesAreRedGreenBlueOnly) {
  const PositionColor colors[] = {{1, 0x00332211}, {109, 0x00998877}, {150, 0x00FFFFFF}};
  const std::vector<OutputReport> reports = StreamFrame(colors);
  ASSERT_EQ(reports.size(), 6u);
  EXPECT_EQ((std::vector<uint8_t>(reports[0].begin(), reports[0].begin() + 11)),
            (std::vector<uint8_t>{0x00, 0xF1, 60, 0, 0, 0, 0, 0, 0x11, 0x22, 0x33}));
  const OutputReport& last = reports[5];
  EXPECT_EQ(last[2], 30);
  EXPECT_EQ(last[3] | last[4] << 8, 300);
  // Position 109 at 327: byte 27 of the last chunk.
  EXPECT_EQ((std::vector<uint8_t>(last.begin() + 32, last.begin() + 35)),
            (std::vector<uint8_t>{0x77, 0x88, 0x99}));
  for (size_t i = 35; i < last.size(); ++i) EXPECT_EQ(last[i], 0) << i;
}

TEST(CommandReports, VersionAnswers) {
  EXPECT_EQ(VersionFromAnswer({0x07, 0x01, 0x02}), 258);
  EXPECT_EQ(VersionFromAnswer({0x07, 0xFF, 0xFF}), 0xFFFF);
  EXPECT_EQ(VersionFromAnswer({0x06, 0x01, 0x02}), std::nullopt);
}

}  // namespace
}  // namespace tessaro::command
