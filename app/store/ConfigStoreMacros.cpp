// Macros and their steps.
#include "app/store/ConfigStore.h"
#include "app/store/ConfigStoreQueries.h"

namespace tessaro {
namespace {

constexpr std::string_view kInsertMacro =
    "INSERT INTO t_macro_data(play_times, delay_type, delay_time, link_count, name) "
    "VALUES (?, ?, ?, ?, ?)";
constexpr std::string_view kInsertStep =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?)";
constexpr std::string_view kSelectSteps =
    "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC";

// Steps of this type are not events of the macro (see macro recording).
constexpr int32_t kNonEventStep = 1;

void ReadMacro(const SQLiteStatement& row, MacroRecord& out) {
  out.macro_id = row.ColumnInt(0);
  out.play_times = row.ColumnInt(1);
  out.delay_type = row.ColumnInt(2);
  out.delay_time = row.ColumnInt(3);
  out.link_count = row.ColumnInt(4);
  out.name = row.ColumnText(5);
}

void ReadStep(const SQLiteStatement& row, MacroStep& out) {
  out.record_id = row.ColumnInt(0);
  out.macro_id = row.ColumnInt(1);
  out.type = row.ColumnInt(2);
  out.record_index = row.ColumnInt(3);
  out.desc = row.ColumnText(4);
  out.value = row.ColumnInt(5);
  out.delay_time = row.ColumnInt(6);
}

void BindStep(SQLiteStatement& statement, const MacroStep& s) {
  store_detail::BindAll(statement, 1, s.macro_id, s.type, s.record_index, s.desc, s.value,
                        s.delay_time);
}

}  // namespace

int32_t ConfigStore::AddMacro(std::string_view name) {
  return Insert(kInsertMacro, 1, 1, 0, 0, name);
}

int32_t ConfigStore::InsertMacro(const MacroRecord& m) {
  return Insert(kInsertMacro, m.play_times, m.delay_type, m.delay_time, m.link_count, m.name);
}

bool ConfigStore::RenameMacro(int32_t macro_id, std::string_view name) {
  return Write("UPDATE t_macro_data SET name = ? WHERE macro_id = ?", name, macro_id);
}

bool ConfigStore::UpdateMacroPlayback(const MacroRecord& m) {
  return Write(
      "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ? WHERE macro_id = ?",
      m.play_times, m.delay_type, m.delay_time, m.macro_id);
}

bool ConfigStore::DeleteMacro(int32_t macro_id) {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  return transaction.IsActive() && Write("DELETE FROM t_macro_data WHERE macro_id = ?", macro_id) &&
         Write("DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id) &&
         Write("DELETE FROM t_key_macro_data WHERE macro_type = ? and macro_value = ?",
               kMacroAssignment, macro_id) &&
         transaction.Commit();
}

bool ConfigStore::GetMacroPlayTimes(int32_t macro_id, int32_t& play_times) {
  return ReadOne(
      "SELECT play_times FROM t_macro_data WHERE macro_id = ?", play_times,
      [](const SQLiteStatement& row, int32_t& out) { out = row.ColumnInt(0); }, macro_id);
}

bool ConfigStore::GetMacro(int32_t macro_id, MacroRecord& out) {
  return ReadOne("SELECT * FROM t_macro_data WHERE macro_id = ?", out, ReadMacro, macro_id);
}

int ConfigStore::LoadMacros(std::vector<MacroRecord>& out) {
  return ReadAll("SELECT * FROM t_macro_data", out, ReadMacro);
}

int32_t ConfigStore::AddMacroStep(const MacroStep& s) {
  return Insert(kInsertStep, s.macro_id, s.type, s.record_index, s.desc, s.value, s.delay_time);
}

int ConfigStore::SaveMacroSteps(const std::vector<MacroStep>& steps) {
  return InsertBatch(kInsertStep, steps, BindStep);
}

int ConfigStore::LoadMacroSteps(int32_t macro_id, std::vector<MacroStep>& out) {
  return ReadAll(kSelectSteps, out, ReadStep, macro_id);
}

bool ConfigStore::DeleteMacroSteps(int32_t macro_id) {
  return Write("DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id);
}

int ConfigStore::ReplaceMacroSteps(int32_t macro_id, const std::vector<MacroStep>& steps) {
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive() || !DeleteMacroSteps(macro_id) ||
      !InsertRows(kInsertStep, steps,
                  [macro_id](SQLiteStatement& statement, MacroStep step) {
                    step.macro_id = macro_id;
                    BindStep(statement, step);
                  }) ||
      !transaction.Commit())
    return 0;
  return static_cast<int>(steps.size());
}

int ConfigStore::CountMacroEvents(int32_t macro_id) {
  std::vector<MacroStep> steps;
  LoadMacroSteps(macro_id, steps);
  int events = 0;
  for (const MacroStep& step : steps) events += step.type != kNonEventStep ? 1 : 0;
  return events;
}

}  // namespace tessaro
