#pragma once
// Every report the program sends to the keyboard firmware, as pure builders.
// Two command sets: the first generation (device types up to 200) speaks
// 65-byte output reports behind report id 0 plus one feature report; the second
// (201 to 299) speaks 8-byte feature reports with id 0x07 in connection mode 0
// and 64-byte payloads behind the magic 0xBB 0xAA 0x99 0x88 otherwise.
#include <optional>
#include <span>
#include <vector>

#include "app/link/LightParams.h"
#include "app/link/LinkReports.h"
#include "app/link/PositionColor.h"

namespace tessaro::command {

inline constexpr uint8_t kFeatureId = 0x07;   // every feature report
inline constexpr uint8_t kOutputId = 0x00;    // every output report
inline constexpr uint8_t kFillerByte = 0xAA;  // the firmware's own filler/marker byte

// Second generation, feature form.
inline constexpr uint8_t kLightSettingCode = 0xF7;
inline constexpr uint8_t kResetCode = 0xF0;
inline constexpr uint8_t kVersionQueryCode = 0xFD;
inline constexpr uint8_t kMusicLevelCode[] = {0x23, 0x45, 0x67, 0x89};
// Second generation, payload form: every payload starts with this magic.
inline constexpr uint8_t kPayloadMagic[] = {0xBB, 0xAA, 0x99, 0x88};
// First generation.
inline constexpr uint8_t kModeSelectCode = 0x88;
inline constexpr uint8_t kParametersCode = 0x89;
inline constexpr uint8_t kFirstGenReset[] = {0xFF, 0xFE, 0xAA, 0xFF};
inline constexpr uint8_t kLightSlotCode[] = {0xFF, 0xFF};
inline constexpr uint8_t kColorfulFlag = 0x40;
// Per-key colours and the colour stream.
inline constexpr uint8_t kCustomColorCode = 0x8B;
inline constexpr uint8_t kStreamEnable[] = {0xF0, 0xF4, 0x01};
inline constexpr uint8_t kStreamFrameCode = 0xF1;

inline constexpr int kLightModeRgb = 4;        // colour given as red, green, blue
inline constexpr int kLightModeUnreduced = 9;  // speed sent as it is

inline constexpr int kLightPositions = 110;  // positions the chunks carry
inline constexpr size_t kColorBufferSize = 600;
inline constexpr size_t kChunkBytes = 60;
inline constexpr int kCustomColorReports = 8;    // 7 x 60 + 20 = 440 bytes
inline constexpr int kStreamReports = 6;         // 5 x 60 + 30 = 330 bytes
inline constexpr size_t kCustomColorStride = 4;  // red, green, blue, 0xFF
inline constexpr size_t kStreamStride = 3;       // red, green, blue
static_assert(kLightPositions * kCustomColorStride == 7 * kChunkBytes + 20);
static_assert(kLightPositions * kStreamStride == 5 * kChunkBytes + 30);
static_assert(kLightPositions * kCustomColorStride <= kColorBufferSize);

FeatureReport SecondGenLightFeature(const LightParams& light, int slot);
Payload SecondGenLightPayload(const LightParams& light, int slot);
FeatureReport SecondGenResetFeature();
Payload SecondGenResetFirstPayload();
Payload SecondGenResetSecondPayload();

FeatureReport MusicLevel(int source_option, int colour_index, int level);
FeatureReport VersionQuery();
// The version in an answer to VersionQuery; nullopt when it carries another
// report id.
std::optional<uint16_t> VersionFromAnswer(const FeatureReport& answer);

OutputReport FirstGenModeSelect(int mode);
OutputReport FirstGenParameters(const LightParams& light);
OutputReport FirstGenReset();
FeatureReport LightSlot(const LightParams& light, int slot);

// Positions outside 0 to 109 are left out: the reports carry no more.
std::vector<OutputReport> CustomColorReports(std::span<const PositionColor> colors);
OutputReport StreamEnable();
std::vector<OutputReport> StreamFrame(std::span<const PositionColor> colors);

}  // namespace tessaro::command
