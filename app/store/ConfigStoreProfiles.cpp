// Profiles and the default configuration rows.
#include <utility>

#include "app/store/ConfigStore.h"
#include "app/store/ConfigStoreQueries.h"

namespace tessaro {
namespace {

void ReadProfile(const SQLiteStatement& row, ProfileRecord& out) {
  out.profile = row.ColumnInt(0);
  out.name = row.ColumnText(1);
  out.status = row.ColumnInt(2);
  out.app = row.ColumnText(3);
  out.type = row.ColumnInt(4);
}

// Written once into a new file; nothing reads them back.
constexpr std::pair<std::string_view, std::string_view> kDefaultConfig[] = {
    {"version", "1.0.1"},    {"keyboard_layout", "1"}, {"fn_layer", "0"},        {"lightmode", "1"},
    {"sleep_light", "1"},    {"userlight", "0"},       {"customlight_run", "0"}, {"gamemode", "0"},
    {"disable_alttab", "0"}, {"disable_altf4", "0"},   {"disable_win", "0"},
};

}  // namespace

int32_t ConfigStore::AddProfile(const ProfileRecord& record) {
  return Insert("INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?)",
                record.name, 0, record.app, 0);
}

bool ConfigStore::DeleteProfile(int32_t profile) {
  return Write("DELETE FROM t_profile_data WHERE profile = ?", profile);
}

bool ConfigStore::RenameProfile(int32_t profile, std::string_view name) {
  return Write("UPDATE t_profile_data SET name = ? WHERE profile = ?", name, profile);
}

bool ConfigStore::GetProfileName(int32_t profile, std::string& name) {
  name.clear();
  return ReadOne(
      "SELECT name FROM t_profile_data WHERE profile = ?", name,
      [](const SQLiteStatement& row, std::string& out) { out = row.ColumnText(0); }, profile);
}

int ConfigStore::LoadProfiles(std::vector<ProfileRecord>& profiles) {
  return ReadAll("SELECT * FROM t_profile_data", profiles, ReadProfile);
}

bool ConfigStore::SetActiveProfile(int32_t profile) {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  return transaction.IsActive() && Write("UPDATE t_profile_data SET status = ?", 0) &&
         Write("UPDATE t_profile_data SET status = ? WHERE profile = ?", 1, profile) &&
         transaction.Commit();
}

int32_t ConfigStore::GetActiveProfile() {
  return FirstInt("SELECT profile FROM t_profile_data WHERE status = ?", 1);
}

bool ConfigStore::InsertDefaultConfig() {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive()) return false;
  for (const auto& [key, value] : kDefaultConfig) {
    if (!Write("INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?)", 1, key, value))
      return false;
  }
  return transaction.Commit();
}

}  // namespace tessaro
