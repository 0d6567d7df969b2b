#include "app/device/DeviceDescription.h"

#include <algorithm>

namespace tessaro {
namespace {

int Lookup(const std::map<uint32_t, int>& map, uint32_t code) {
  auto found = map.find(code);
  return found == map.end() ? -1 : found->second;
}

}  // namespace

void DeviceDescription::ClearKeys() {
  key_indexes.clear();
  light_slots.clear();
  row_count = 0;
  column_count = 0;
  for (auto& row : key_matrix) row.fill(kNoKey);
}

int DeviceDescription::KeyIndexOf(uint32_t code) const {
  return Lookup(key_indexes, code);
}

int DeviceDescription::LightSlotOf(uint32_t code) const {
  return Lookup(light_slots, code);
}

uint8_t DeviceDescription::KeyCodeAt(int row, int column) const {
  if (row < 0 || row >= kMatrixRows || column < 0 || column >= kMatrixColumns) return kNoKey;
  return key_matrix[row][column];
}

const LightModeTemplate* DeviceDescription::FindLightMode(int mode) const {
  auto found = std::find_if(light_modes.begin(), light_modes.end(),
                            [mode](const LightModeTemplate& t) { return t.mode == mode; });
  return found == light_modes.end() ? nullptr : &*found;
}

const DeviceEntry* DeviceDescription::FindKeyboard(int type) const {
  auto found = std::find_if(keyboards.begin(), keyboards.end(),
                            [type](const DeviceEntry& k) { return k.device_type == type; });
  return found == keyboards.end() ? nullptr : &*found;
}

}  // namespace tessaro
