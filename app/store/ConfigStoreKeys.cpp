// Key assignments and their text payloads.
#include "app/store/ConfigStore.h"
#include "app/store/ConfigStoreQueries.h"

namespace tessaro {
namespace {

void ReadKeyAssignment(const SQLiteStatement& row, KeyAssignment& out) {
  out.key_id = row.ColumnInt(0);
  out.profile = row.ColumnInt(1);
  out.fn_layer = row.ColumnInt(2);
  out.key_code = row.ColumnInt(3);
  out.layout_value = row.ColumnInt(4);
  out.layout_desc = row.ColumnText(5);
  out.macro_type = row.ColumnInt(6);
  out.macro_value = row.ColumnInt(7);
  out.macro_value2 = row.ColumnInt(8);
  out.macro_value3 = row.ColumnInt(9);
  out.macro_desc = row.ColumnText(10);
}

}  // namespace

// Delete and insert run in one transaction, so a failed insert keeps the key's
// previous assignment instead of silently resetting the key.
int32_t ConfigStore::SaveKeyAssignment(const KeyAssignment& a) {
  if (a.key_code == 0) return 0;
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive()) return 0;
  if (!Write("DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
             a.profile, a.fn_layer, a.key_code))
    return 0;
  if (a.macro_value == 0 && a.macro_value2 == 0) {
    transaction.Commit();
    return 0;
  }
  const int32_t key_id = Insert(
      "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, "
      "macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      a.profile, a.fn_layer, a.key_code, a.layout_value, a.layout_desc, a.macro_type, a.macro_value,
      a.macro_value2, a.macro_value3, a.macro_desc);
  return key_id != 0 && transaction.Commit() ? key_id : 0;
}

bool ConfigStore::GetKeyAssignment(int32_t profile, int32_t fn_layer, int32_t key_code,
                                   KeyAssignment& out) {
  return ReadOne(
      "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?", out,
      ReadKeyAssignment, profile, fn_layer, key_code);
}

int ConfigStore::LoadKeyAssignments(int32_t profile, int32_t fn_layer,
                                    std::vector<KeyAssignment>& out) {
  return ReadAll("SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?", out,
                 ReadKeyAssignment, profile, fn_layer);
}

bool ConfigStore::DeleteKeyAssignments(int32_t profile) {
  return Write("DELETE FROM t_key_macro_data WHERE profile = ?", profile);
}

int32_t ConfigStore::AddKeyOtherData(const KeyOtherData& data) {
  return Insert("INSERT INTO t_key_otherdata(macro_desc, param, type) VALUES (?, ?, ?)",
                data.macro_desc, data.param, data.type);
}

bool ConfigStore::GetKeyOtherData(int32_t id, KeyOtherData& out) {
  return ReadOne(
      "SELECT macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?", out,
      [](const SQLiteStatement& row, KeyOtherData& data) {
        data.macro_desc = row.ColumnText(0);
        data.param = row.ColumnText(1);
        data.type = row.ColumnInt(2);
      },
      id);
}

}  // namespace tessaro
