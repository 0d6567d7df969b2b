#include "app/exchange/ProfileExchange.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "app/exchange/ProfileFileReader.h"
#include "app/macros/MacroType.h"

namespace tessaro {
namespace {

bool HasPayloadRow(int32_t macro_type) {
  return macro_type >= macro_type::kProgram && macro_type <= macro_type::kProfile;
}

// What a kind 8 to 11 key carries in the file in place of its row id.
std::string PayloadText(const KeyOtherData& row, int32_t macro_type) {
  return macro_type == macro_type::kProgram ? row.param : row.macro_desc;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The payload row an imported kind 8 to 11 key needs, or nullopt when it
// cannot be made on this computer.
std::optional<KeyOtherData> PayloadRow(const KeyAssignment& key,
                                       const std::vector<ProfileRecord>& profiles) {
  const std::string& text = key.macro_desc;
  if (text.empty()) return std::nullopt;
  switch (key.macro_type) {
    case macro_type::kProgram:
      if (text.front() != '/') return std::nullopt;
      return KeyOtherData{FileNameOf(text), text, key.macro_type};
    case macro_type::kWebPage:
    case macro_type::kText:
      return KeyOtherData{text, "", key.macro_type};
    case macro_type::kProfile:
      for (const ProfileRecord& profile : profiles) {
        if (profile.name == text) {
          return KeyOtherData{text, std::to_string(profile.profile), key.macro_type};
        }
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void AddKeyItem(XmlDocument& document, const KeyAssignment& key) {
  document.AddElement("item");
  document.SetAttribute("fn_layer", std::to_string(key.fn_layer));
  document.SetAttribute("key_code", std::to_string(key.key_code));
  document.SetAttribute("layout_value", std::to_string(key.layout_value));
  document.SetAttribute("layout_desc", key.layout_desc);
  document.SetAttribute("macro_type", std::to_string(key.macro_type));
  document.SetAttribute("macro_value", std::to_string(key.macro_value));
  document.SetAttribute("macro_value2", std::to_string(key.macro_value2));
  document.SetAttribute("macro_value3", std::to_string(key.macro_value3));
  document.SetAttribute("macro_desc", key.macro_desc);
}

void AddMacroInfo(XmlDocument& document, const MacroRecord& macro,
                  const std::vector<MacroStep>& steps) {
  document.AddElement("macroinfo");
  document.SetAttribute("name", macro.name);
  document.SetAttribute("macro_id", std::to_string(macro.macro_id));
  document.SetAttribute("times", std::to_string(macro.play_times));
  document.SetAttribute("type", std::to_string(macro.delay_type));
  document.SetAttribute("delaytime", std::to_string(macro.delay_time));
  document.IntoElement();
  document.AddElement("macroitems");
  document.IntoElement();
  exchange::WriteMacroItems(document, steps);
  document.OutOfElement();
  document.OutOfElement();
}

}  // namespace

bool ProfileExchange::ExportProfile(int32_t profile_id, const std::string& name,
                                    const std::string& path) {
  std::vector<KeyAssignment> keys;
  store_.LoadKeyAssignments(profile_id, 0, keys);

  XmlDocument document;
  document.SetDocument(XmlDocument::kUtf8Declaration);
  document.AddElement("profile");
  document.IntoElement();
  document.AddElement("profileinfo");
  document.SetAttribute("name", name);
  document.AddElement("keyitems");
  document.IntoElement();
  // The list keeps duplicates: two keys of one macro write it twice.
  std::vector<MacroRecord> macros;
  for (KeyAssignment key : keys) {
    if (key.macro_type == macro_type::kMacro) {
      MacroRecord macro;
      if (!store_.GetMacro(key.macro_value, macro)) continue;
      macros.push_back(macro);
    } else if (HasPayloadRow(key.macro_type)) {
      KeyOtherData row;
      if (!store_.GetKeyOtherData(key.macro_value, row)) continue;
      key.macro_desc = PayloadText(row, key.macro_type);
      key.macro_value = 0;
    }
    AddKeyItem(document, key);
  }
  document.OutOfElement();
  for (const MacroRecord& macro : macros) {
    std::vector<MacroStep> steps;
    store_.LoadMacroSteps(macro.macro_id, steps);
    AddMacroInfo(document, macro, steps);
  }
  return document.SaveFile(path);
}

ProfileImportResult ProfileExchange::ImportProfile(const std::string& path) {
  ProfileImportResult result;
  XmlDocument document;
  ProfileFileContent content;
  result.status = exchange::LoadExchangeFile(path, document);
  if (result.status == ImportStatus::kImported) result.status = ReadProfileFile(document, content);
  if (result.status != ImportStatus::kImported) return result;
  result.profile_name = exchange::NameFromFileName(path);

  const bool stored = store_.RunInTransaction([&] {
    std::vector<MacroRecord> existing;
    store_.LoadMacros(existing);
    // File macro ids to the ids keys get here; present ones keep their id.
    std::map<int32_t, int32_t> macro_ids;
    for (const FileMacro& macro : content.macros) {
      const bool present = std::any_of(existing.begin(), existing.end(), [&](const auto& m) {
        return m.name == macro.record.name && m.macro_id == macro.record.macro_id;
      });
      if (present) {
        macro_ids.try_emplace(macro.record.macro_id, macro.record.macro_id);
        continue;
      }
      MacroRecord record = macro.record;
      record.macro_id = 0;
      record.link_count = 0;
      record.macro_id = store_.InsertMacro(record);
      if (record.macro_id == 0) return false;
      for (MacroStep step : macro.steps) {
        step.macro_id = record.macro_id;
        if (store_.AddMacroStep(step) == 0) return false;
      }
      macro_ids[macro.record.macro_id] = record.macro_id;
      result.new_macros.push_back(record);
    }

    result.profile_id = store_.AddProfile({0, result.profile_name, "", 0, 0});
    if (result.profile_id == 0) return false;
    std::vector<ProfileRecord> profiles;
    store_.LoadProfiles(profiles);
    for (KeyAssignment key : content.keys) {
      key.profile = result.profile_id;
      if (key.macro_type == macro_type::kMacro) {
        const auto mapped = macro_ids.find(key.macro_value);
        if (mapped == macro_ids.end()) {
          ++result.dropped_keys;
          continue;
        }
        key.macro_value = mapped->second;
      } else if (HasPayloadRow(key.macro_type)) {
        const std::optional<KeyOtherData> row = PayloadRow(key, profiles);
        if (!row) {
          ++result.dropped_keys;
          continue;
        }
        key.macro_desc = row->macro_desc;
        key.macro_value = store_.AddKeyOtherData(*row);
        if (key.macro_value == 0) return false;
      }
      const bool stores_nothing =
          key.key_code == 0 || (key.macro_value == 0 && key.macro_value2 == 0);
      if (store_.SaveKeyAssignment(key) == 0 && !stores_nothing) return false;
    }
    return store_.SetActiveProfile(result.profile_id);
  });
  if (!stored) {
    result = {};
    result.status = ImportStatus::kStoreFailed;
  }
  return result;
}

}  // namespace tessaro
