#include "app/link/CommandReports.h"

#include <algorithm>
#include <array>

namespace tessaro::command {
namespace {

uint8_t Byte(int value) {
  return static_cast<uint8_t>(value & 0xFF);
}
uint8_t Red(uint32_t color) {
  return static_cast<uint8_t>(color & 0xFF);
}
uint8_t Green(uint32_t color) {
  return static_cast<uint8_t>((color >> 8) & 0xFF);
}
uint8_t Blue(uint32_t color) {
  return static_cast<uint8_t>((color >> 16) & 0xFF);
}
// The firmware counts speed and brightness from 1; 0 stays 0.
uint8_t FromOne(int value) {
  return value == 0 ? 0 : Byte(value - 1);
}

template <size_t N, size_t M>
void Put(std::array<uint8_t, N>& report, size_t at, const uint8_t (&bytes)[M]) {
  static_assert(M <= N);
  std::copy(bytes, bytes + M, report.begin() + static_cast<long>(at));
}

using ColorBuffer = std::array<uint8_t, kColorBufferSize>;

ColorBuffer BuildBuffer(std::span<const PositionColor> colors, size_t stride, bool marker) {
  ColorBuffer buffer{};
  for (const PositionColor& c : colors) {
    if (c.position < 0 || c.position >= kLightPositions) continue;
    const size_t at = static_cast<size_t>(c.position) * stride;
    buffer[at] = Red(c.color);
    buffer[at + 1] = Green(c.color);
    buffer[at + 2] = Blue(c.color);
    if (marker) buffer[at + 3] = 0xFF;
  }
  return buffer;
}

// Report i: code, length, offset (low byte first), then the buffer's bytes.
std::vector<OutputReport> Chunk(const ColorBuffer& buffer, uint8_t code, int reports,
                                size_t total) {
  std::vector<OutputReport> out;
  for (int i = 0; i < reports; ++i) {
    const size_t offset = kChunkBytes * static_cast<size_t>(i);
    const size_t length = std::min(kChunkBytes, total - offset);
    OutputReport report{};
    report[0] = kOutputId;
    report[1] = code;
    report[2] = static_cast<uint8_t>(length);
    report[3] = static_cast<uint8_t>(offset & 0xFF);
    report[4] = static_cast<uint8_t>(offset >> 8);
    std::copy_n(buffer.begin() + static_cast<long>(offset), kChunkBytes, report.begin() + 5);
    out.push_back(report);
  }
  return out;
}

Payload MagicPayload() {
  Payload payload{};
  Put(payload, 0, kPayloadMagic);
  return payload;
}

}  // namespace

FeatureReport SecondGenLightFeature(const LightParams& light, int slot) {
  FeatureReport r{};
  r[0] = kFeatureId;
  r[1] = kLightSettingCode;
  r[2] = Byte(light.mode - 1);
  r[3] = Byte(light.colorindex);
  r[4] = Byte(light.direction);
  r[5] = FromOne(light.speed);
  r[6] = FromOne(light.brightness);
  r[7] = Byte(slot);
  if (light.mode == kLightModeRgb) {
    r[4] = Red(light.color_value);
    r[5] = Green(light.color_value);
    r[7] = Blue(light.color_value);
  }
  if (light.mode == kLightModeUnreduced) {
    r[3] = Byte(light.colorindex);
    r[4] = Byte(light.direction);
    r[5] = Byte(light.speed);
  }
  return r;
}

Payload SecondGenLightPayload(const LightParams& light, int slot) {
  Payload p = MagicPayload();
  p[4] = kFillerByte;
  p[5] = Byte(light.mode - 1);
  p[6] = Byte(light.colorindex);
  p[7] = Byte(light.direction);
  p[8] = FromOne(light.speed);
  p[9] = FromOne(light.brightness);
  p[10] = Byte(slot);
  if (light.mode == kLightModeRgb) {
    p[7] = Red(light.color_value);
    p[8] = Green(light.color_value);
    p[10] = Blue(light.color_value);
  }
  return p;
}

FeatureReport SecondGenResetFeature() {
  return {kFeatureId, kResetCode, kFillerByte};
}

Payload SecondGenResetFirstPayload() {
  Payload p = MagicPayload();
  std::fill_n(p.begin() + 4, 6, kFillerByte);
  return p;
}

Payload SecondGenResetSecondPayload() {
  return MagicPayload();
}

FeatureReport MusicLevel(int source_option, int colour_index, int level) {
  FeatureReport r{};
  r[0] = kFeatureId;
  Put(r, 1, kMusicLevelCode);
  r[5] = Byte(source_option);
  r[6] = Byte(colour_index);
  r[7] = Byte(level);
  return r;
}

FeatureReport VersionQuery() {
  return {kFeatureId, kVersionQueryCode};
}

std::optional<uint16_t> VersionFromAnswer(const FeatureReport& answer) {
  if (answer[0] != kFeatureId) return std::nullopt;
  return static_cast<uint16_t>(answer[1] * 256 + answer[2]);
}

OutputReport FirstGenModeSelect(int mode) {
  OutputReport r{};
  r[1] = kModeSelectCode;
  r[3] = Byte(mode);
  return r;
}

OutputReport FirstGenParameters(const LightParams& light) {
  OutputReport r{};
  r[1] = kParametersCode;
  r[3] = static_cast<uint8_t>(((light.direction & 3) << 4) |
                              (light.colorful != 0 ? kColorfulFlag : 0) | (light.speed & 0x0F));
  r[4] = Red(light.color_value);
  r[5] = Green(light.color_value);
  r[6] = Blue(light.color_value);
  r[7] = Byte(light.brightness);
  return r;
}

OutputReport FirstGenReset() {
  OutputReport r{};
  Put(r, 1, kFirstGenReset);
  return r;
}

FeatureReport LightSlot(const LightParams& light, int slot) {
  FeatureReport r{};
  r[0] = kFeatureId;
  Put(r, 1, kLightSlotCode);
  r[3] = Byte(light.mode - 1);
  r[4] = Byte(light.brightness);
  r[5] = Byte(light.speed);
  r[7] = Byte(slot);
  return r;
}

std::vector<OutputReport> CustomColorReports(std::span<const PositionColor> colors) {
  return Chunk(BuildBuffer(colors, kCustomColorStride, true), kCustomColorCode, kCustomColorReports,
               kLightPositions * kCustomColorStride);
}

OutputReport StreamEnable() {
  OutputReport r{};
  Put(r, 1, kStreamEnable);
  return r;
}

std::vector<OutputReport> StreamFrame(std::span<const PositionColor> colors) {
  return Chunk(BuildBuffer(colors, kStreamStride, false), kStreamFrameCode, kStreamReports,
               kLightPositions * kStreamStride);
}

}  // namespace tessaro::command
