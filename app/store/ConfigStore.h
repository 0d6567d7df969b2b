#pragma once
// The process-wide owner of the configuration database: one SQLite file per
// keyboard model, "<user data folder>/db/<model>_data_v1.db", one connection,
// and one lock that every operation holds from its first statement to its last,
// opening and closing included. The UI thread and the device worker both call
// in. Nothing is cached: every call reads or writes the file.
//
// Failures are quiet: reads answer false, 0 or an empty list, writes false, and
// inserts 0 in place of the new id. Operations that run several statements do
// so in one transaction and leave the file as it was when one of them fails.
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/store/Records.h"
#include "app/store/SQLiteDB.h"

namespace tessaro {

class ConfigStore : private SQLiteDB {
 public:
  // The light id of the custom per-key colours, shared by all profiles.
  static constexpr int32_t kCustomLightId = 128;
  // The key assignment kind whose macro_value is a macro id.
  static constexpr int32_t kMacroAssignment = 3;

  // The one store of the program, created on first use.
  static ConfigStore& Instance();

  explicit ConfigStore(const SQLiteKeyer& keyer = SQLiteKeyer::Plain());
  ~ConfigStore() override;

  // "<base folder>/db/<model>_data_v1.db"; a slash in the model name becomes
  // "_" so the name cannot leave the folder.
  static std::string DatabasePath(const std::string& base_folder, const std::string& model_name);

  // Closes whatever is open, then opens the model's file, creating it with the
  // schema when it does not exist. A new file whose schema fails is deleted
  // again; an existing file that SQLite cannot read as a database is kept as
  // "<file>.corrupt-<UTC time>" and a fresh one is created; an existing file
  // missing some tables gets them.
  bool Open(const std::string& base_folder, const std::string& model_name);
  // True when nothing stays open.
  bool Close();
  // Deletes the model's file (closing it first when it is the one open).
  // True when a file was deleted.
  bool DeleteDatabaseFile(const std::string& base_folder, const std::string& model_name);
  // True after a successful Open until Close.
  bool IsOpened() const;
  // The path of the file last opened.
  std::string Path() const;

  // Profiles (t_profile_data).
  int32_t AddProfile(const ProfileRecord& record);
  bool DeleteProfile(int32_t profile);
  bool RenameProfile(int32_t profile, std::string_view name);
  // The name is emptied first; true when the profile exists.
  bool GetProfileName(int32_t profile, std::string& name);
  int LoadProfiles(std::vector<ProfileRecord>& profiles);
  // Leaves exactly the given profile active.
  bool SetActiveProfile(int32_t profile);
  // 0 when no profile is active.
  int32_t GetActiveProfile();

  // The eleven default configuration rows (t_configdata), all of profile 1.
  bool InsertDefaultConfig();

  // Key assignments (t_key_macro_data). Saving replaces the key's row and
  // answers its new key_id; it answers 0 and writes nothing for key code 0, and
  // answers 0 after removing the row when macro_value and macro_value2 are both
  // 0, which gives the key back its default function.
  int32_t SaveKeyAssignment(const KeyAssignment& assignment);
  bool GetKeyAssignment(int32_t profile, int32_t fn_layer, int32_t key_code, KeyAssignment& out);
  int LoadKeyAssignments(int32_t profile, int32_t fn_layer, std::vector<KeyAssignment>& out);
  bool DeleteKeyAssignments(int32_t profile);
  // Text payloads (t_key_otherdata): the new id is what the key row's
  // macro_value then carries. Get leaves the output alone when the row is missing.
  int32_t AddKeyOtherData(const KeyOtherData& data);
  bool GetKeyOtherData(int32_t id, KeyOtherData& out);

  // Light settings (t_light_data), one row per profile and mode.
  int CountLightSettings(int32_t profile);
  int32_t AddLightSetting(const LightSetting& setting);
  // Writes the eight parameters of the record into the row of profile and mode.
  bool UpdateLightSetting(int32_t profile, int32_t mode, const LightSetting& setting);
  // Leaves exactly the given mode active in that profile; other profiles keep theirs.
  bool SetActiveLightMode(int32_t profile, int32_t mode);
  // 0 when none is active.
  int32_t GetActiveLightMode(int32_t profile);
  bool GetLightSetting(int32_t profile, int32_t mode, LightSetting& out);
  int LoadLightSettings(int32_t profile, std::vector<LightSetting>& out);

  // Per-key colours of the custom light (t_key_light_data). Saving stores all
  // records in one transaction and answers how many were stored: all of them,
  // or 0 when any insert failed and the batch was rolled back.
  int SaveKeyColors(const std::vector<KeyColor>& colors);
  bool DeleteCustomKeyColors();
  // Deleting the custom colours and saving the new set in one transaction: a
  // failed save keeps the old colours, and no reader sees the set half written.
  // Answers the number stored, all or 0.
  int ReplaceCustomKeyColors(const std::vector<KeyColor>& colors);
  int LoadKeyColors(int32_t light_id, std::vector<KeyColor>& out);

  // Macros (t_macro_data) and their steps (t_macrorecord).
  // A new macro plays once, delay type 1, no delay, no steps.
  int32_t AddMacro(std::string_view name);
  int32_t InsertMacro(const MacroRecord& macro);
  bool RenameMacro(int32_t macro_id, std::string_view name);
  // Writes play_times, delay_type and delay_time.
  bool UpdateMacroPlayback(const MacroRecord& macro);
  // Removes the macro, its steps and every key of every profile that plays it.
  bool DeleteMacro(int32_t macro_id);
  bool GetMacroPlayTimes(int32_t macro_id, int32_t& play_times);
  bool GetMacro(int32_t macro_id, MacroRecord& out);
  int LoadMacros(std::vector<MacroRecord>& out);
  int32_t AddMacroStep(const MacroStep& step);
  // All steps in one transaction, in vector order; answers how many were
  // stored, all or 0 as SaveKeyColors does.
  int SaveMacroSteps(const std::vector<MacroStep>& steps);
  // Ordered by record_index.
  int LoadMacroSteps(int32_t macro_id, std::vector<MacroStep>& out);
  bool DeleteMacroSteps(int32_t macro_id);
  // The macro's steps replaced by the given ones in one transaction, as a
  // re-recorded macro needs. Answers the number stored; on failure the old steps stay.
  int ReplaceMacroSteps(int32_t macro_id, const std::vector<MacroStep>& steps);
  // The steps that are not of type 1.
  int CountMacroEvents(int32_t macro_id);

  // The music layer (t_musiclayer_data). The program keeps one layer, profile 1
  // and layer 1, and every operation but GetMusicLayer works on it.
  int CountMusicLayers();
  int32_t AddMusicLayer(std::string_view name, int32_t foremode);
  bool GetMusicLayer(int32_t layer_id, MusicLayer& out);
  // Writes the record's five settings into layer 1.
  bool UpdateMusicLayer(const MusicLayer& layer);
  bool SelectMusicLayer();
  // 0 when none is selected.
  int32_t GetSelectedMusicLayer();

 private:
  enum class Probe { kReady, kNotADatabase, kFailed };

  bool CloseLocked();
  bool OpenOrCreate(const std::string& path);
  Probe OpenExisting(const std::string& path);
  bool CompleteSchema(const std::vector<std::string>& tables);
  bool CreateSchema(const std::string& path);
  bool RunSchema();

  // One-statement helpers; each answers as the conventions in the header say.
  template <typename... Values>
  int Execute(std::string_view sql, const Values&... values);
  template <typename... Values>
  bool Write(std::string_view sql, const Values&... values);
  template <typename... Values>
  int32_t Insert(std::string_view sql, const Values&... values);
  template <typename Record, typename Reader, typename... Values>
  bool ReadOne(std::string_view sql, Record& out, Reader read, const Values&... values);
  template <typename Record, typename Reader, typename... Values>
  int ReadAll(std::string_view sql, std::vector<Record>& out, Reader read, const Values&... values);
  template <typename... Values>
  int32_t FirstInt(std::string_view sql, const Values&... values);
  template <typename Record, typename Binder>
  bool InsertRows(std::string_view sql, const std::vector<Record>& records, Binder bind);
  template <typename Record, typename Binder>
  int InsertBatch(std::string_view sql, const std::vector<Record>& records, Binder bind);

  mutable std::recursive_mutex mutex_;
  std::string path_;
  std::string key_;  // always empty: the files are plain SQLite files
  bool opened_ = false;
};

}  // namespace tessaro
