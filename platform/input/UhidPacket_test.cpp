#include "platform/input/UhidPacket.h"

#include <gtest/gtest.h>

#include <map>

namespace platform {
namespace {

HidPacket Packet(std::initializer_list<uint8_t> head) {
  HidPacket packet{};
  std::copy(head.begin(), head.end(), packet.begin());
  return packet;
}

TEST(UhidPacket, AWritePacketBecomesTheReportOfItsOwnLength) {
  const auto keyboard = InputReportOfPacket(Packet({0x05, 0x01, 0x00, 0x10}));
  ASSERT_TRUE(keyboard);
  ASSERT_EQ(keyboard->size(), 34u);
  EXPECT_EQ((*keyboard)[0], 0x01);
  EXPECT_EQ((*keyboard)[2], 0x10);
  EXPECT_EQ(InputReportOfPacket(Packet({0x05, 0x02, 0x01})),
            (std::vector<uint8_t>{0x02, 0x01, 0, 0, 0}));
  EXPECT_EQ(InputReportOfPacket(Packet({0x05, 0x03, 0xE9, 0x00})),
            (std::vector<uint8_t>{0x03, 0xE9, 0x00}));
  EXPECT_EQ(InputReportOfPacket(Packet({0x05, 0x04})), (std::vector<uint8_t>{0x04, 0, 0}));
}

TEST(UhidPacket, OtherPacketsAreRefused) {
  EXPECT_FALSE(InputReportOfPacket(Packet({0x00, 0x01})));
  EXPECT_FALSE(InputReportOfPacket(Packet({0x05, 0x00})));
  EXPECT_FALSE(InputReportOfPacket(Packet({0x05, 0x05})));
}

// Sums the input bits the descriptor declares per report id (a small walk of
// the short items), so the descriptor and the report lengths cannot drift.
TEST(UhidPacket, DescriptorDeclaresTheReportLengths) {
  const std::vector<uint8_t> descriptor = VirtualDeviceReportDescriptor();
  std::map<int, int> bits;
  int report_id = 0;
  int size = 0;
  int count = 0;
  for (size_t at = 0; at < descriptor.size();) {
    const uint8_t prefix = descriptor[at];
    const size_t length = (prefix & 3) == 3 ? 4 : (prefix & 3);
    uint32_t value = 0;
    for (size_t i = 0; i < length; ++i) value |= descriptor[at + 1 + i] << (8 * i);
    switch (prefix & 0xFC) {
      case 0x84:
        report_id = static_cast<int>(value);
        break;
      case 0x74:
        size = static_cast<int>(value);
        break;
      case 0x94:
        count = static_cast<int>(value);
        break;
      case 0x80:
        bits[report_id] += size * count;
        break;
      default:
        break;
    }
    at += 1 + length;
  }
  for (int id = 1; id <= 4; ++id) {
    EXPECT_EQ(bits[id], static_cast<int>(ReportDataLength(static_cast<uint8_t>(id))) * 8) << id;
  }
}

}  // namespace
}  // namespace platform
