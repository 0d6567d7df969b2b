// Light settings per profile and mode, and the custom light's per-key colours.
#include "app/store/ConfigStore.h"
#include "app/store/ConfigStoreQueries.h"

namespace tessaro {
namespace {

void ReadLightSetting(const SQLiteStatement& row, LightSetting& out) {
  out.light_id = row.ColumnInt(0);
  out.profile = row.ColumnInt(1);
  out.name = row.ColumnText(2);
  out.mode = row.ColumnInt(3);
  out.brightness = row.ColumnInt(4);
  out.speed = row.ColumnInt(5);
  out.direction = row.ColumnInt(6);
  out.colorful = row.ColumnInt(7);
  out.colorindex = row.ColumnInt(8);
  out.color_value = row.ColumnInt(9);
  out.config_func = row.ColumnInt(10);
  out.reserved = row.ColumnInt(11);
  out.status = row.ColumnInt(12);
}

constexpr std::string_view kInsertColor =
    "INSERT INTO t_key_light_data(profile, light_id, key_code, key_rgb) VALUES (?, ?, ?, ?)";

void BindColor(SQLiteStatement& statement, const KeyColor& c) {
  store_detail::BindAll(statement, 1, c.profile, c.light_id, c.key_code, c.key_rgb);
}

void ReadKeyColor(const SQLiteStatement& row, KeyColor& out) {
  out.keylight_id = row.ColumnInt(0);
  out.profile = row.ColumnInt(1);
  out.light_id = row.ColumnInt(2);
  out.key_code = row.ColumnInt(3);
  out.key_rgb = row.ColumnInt(4);
}

}  // namespace

int ConfigStore::CountLightSettings(int32_t profile) {
  return FirstInt("select count(*) FROM t_light_data WHERE profile = ?", profile);
}

int32_t ConfigStore::AddLightSetting(const LightSetting& s) {
  return Insert(
      "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
      "colorindex, color_value, config_func, reserved, status) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      s.profile, s.name, s.mode, s.brightness, s.speed, s.direction, s.colorful, s.colorindex,
      s.color_value, s.config_func, s.reserved, s.status);
}

bool ConfigStore::UpdateLightSetting(int32_t profile, int32_t mode, const LightSetting& s) {
  return Write(
      "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
      "colorindex = ?, color_value = ?, config_func = ?, reserved = ? "
      "WHERE profile = ? AND mode = ?",
      s.brightness, s.speed, s.direction, s.colorful, s.colorindex, s.color_value, s.config_func,
      s.reserved, profile, mode);
}

bool ConfigStore::SetActiveLightMode(int32_t profile, int32_t mode) {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  return transaction.IsActive() &&
         Write("UPDATE t_light_data SET status = ? WHERE profile = ?", 0, profile) &&
         Write("UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", 1, profile,
               mode) &&
         transaction.Commit();
}

int32_t ConfigStore::GetActiveLightMode(int32_t profile) {
  return FirstInt("SELECT mode FROM t_light_data WHERE profile = ? and status = ?", profile, 1);
}

bool ConfigStore::GetLightSetting(int32_t profile, int32_t mode, LightSetting& out) {
  return ReadOne("SELECT * FROM t_light_data WHERE profile = ? AND mode = ?", out, ReadLightSetting,
                 profile, mode);
}

int ConfigStore::LoadLightSettings(int32_t profile, std::vector<LightSetting>& out) {
  return ReadAll("SELECT * FROM t_light_data WHERE profile = ?", out, ReadLightSetting, profile);
}

int ConfigStore::SaveKeyColors(const std::vector<KeyColor>& colors) {
  return InsertBatch(kInsertColor, colors, BindColor);
}

int ConfigStore::ReplaceCustomKeyColors(const std::vector<KeyColor>& colors) {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive() || !DeleteCustomKeyColors() ||
      !InsertRows(kInsertColor, colors, BindColor) || !transaction.Commit())
    return 0;
  return static_cast<int>(colors.size());
}

bool ConfigStore::DeleteCustomKeyColors() {
  return Write("DELETE FROM t_key_light_data WHERE light_id = ?", kCustomLightId);
}

int ConfigStore::LoadKeyColors(int32_t light_id, std::vector<KeyColor>& out) {
  return ReadAll("SELECT * FROM t_key_light_data WHERE light_id = ?", out, ReadKeyColor, light_id);
}

}  // namespace tessaro
