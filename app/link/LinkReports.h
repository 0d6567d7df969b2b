#pragma once
// The three report shapes the keyboard link sends. Byte 0 of a feature or
// output report is its report id.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tessaro {

inline constexpr size_t kFeatureReportSize = 8;
inline constexpr size_t kOutputReportSize = 65;
inline constexpr size_t kPayloadSize = kOutputReportSize - 1;  // an output report behind id 0

using FeatureReport = std::array<uint8_t, kFeatureReportSize>;
using OutputReport = std::array<uint8_t, kOutputReportSize>;
using Payload = std::array<uint8_t, kPayloadSize>;

static_assert(sizeof(FeatureReport) == 8);
static_assert(sizeof(OutputReport) == 65);
static_assert(sizeof(Payload) == 64);

}  // namespace tessaro
