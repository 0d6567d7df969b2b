// The music-rhythm light layer. The program keeps exactly one: profile 1,
// layer 1, whatever its callers pass.
#include "app/store/ConfigStore.h"
#include "app/store/ConfigStoreQueries.h"

namespace tessaro {
namespace {

constexpr int32_t kMusicProfile = 1;
constexpr int32_t kMusicLayerId = 1;
constexpr int32_t kDefaultAmplitude = 300;
constexpr int32_t kDefaultBackBrightness = 100;

}  // namespace

int ConfigStore::CountMusicLayers() {
  return FirstInt("select count(*) FROM t_musiclayer_data WHERE profile = ?", kMusicProfile);
}

int32_t ConfigStore::AddMusicLayer(std::string_view name, int32_t foremode) {
  return Insert(
      "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, fore_amplitude, "
      "backmode, backb_right, sel) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
      kMusicProfile, name, 0, foremode, kDefaultAmplitude, 0, kDefaultBackBrightness, 0);
}

bool ConfigStore::GetMusicLayer(int32_t layer_id, MusicLayer& out) {
  return ReadOne(
      "SELECT * FROM t_musiclayer_data WHERE layer_id = ?", out,
      [](const SQLiteStatement& row, MusicLayer& layer) {
        layer.layer_id = row.ColumnInt(0);
        layer.profile = row.ColumnInt(1);
        layer.name = row.ColumnText(2);
        layer.deviceindex = row.ColumnInt(3);
        layer.foremode = row.ColumnInt(4);
        layer.fore_amplitude = row.ColumnInt(5);
        layer.backmode = row.ColumnInt(6);
        layer.backb_right = row.ColumnInt(7);
      },
      layer_id);
}

bool ConfigStore::UpdateMusicLayer(const MusicLayer& l) {
  return Write(
      "UPDATE t_musiclayer_data SET deviceindex= ?, foremode= ?, fore_amplitude = ?, "
      "backmode= ?, backb_right= ? WHERE layer_id = ?",
      l.deviceindex, l.foremode, l.fore_amplitude, l.backmode, l.backb_right, kMusicLayerId);
}

bool ConfigStore::SelectMusicLayer() {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  return transaction.IsActive() &&
         Write("UPDATE t_musiclayer_data SET sel = ? WHERE profile = ?", 0, kMusicProfile) &&
         Write("UPDATE t_musiclayer_data SET sel = ? WHERE profile = ? AND layer_id = ?", 1,
               kMusicProfile, kMusicLayerId) &&
         transaction.Commit();
}

int32_t ConfigStore::GetSelectedMusicLayer() {
  return FirstInt("SELECT layer_id FROM t_musiclayer_data WHERE profile = ? AND sel = ?",
                  kMusicProfile, 1);
}

}  // namespace tessaro
