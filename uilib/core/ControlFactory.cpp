#include "uilib/core/ControlFactory.h"

#include "uilib/core/CArea.h"
#include "uilib/core/MenuItem.h"

namespace tumi {

std::map<std::string, ControlFactory::Entry>& ControlFactory::Table() {
  // The core's own classes are in from the start; later components add theirs.
  static std::map<std::string, Entry> table = {
      {"CArea",
       {[](const ControlArgs& a) -> std::unique_ptr<MControl> {
          return std::make_unique<CArea>(a.parent, a.id, a.rect, a.visible, a.enabled);
        },
        true, true}},
      {"MenuItem",
       {[](const ControlArgs& a) -> std::unique_ptr<MControl> {
          return std::make_unique<MenuItem>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
        },
        true, true}},
  };
  return table;
}

void ControlFactory::RegisterClass(const std::string& name, Creator creator, bool dialog,
                                   bool panel) {
  if (name.empty() || !creator) return;
  Table()[name] = Entry{std::move(creator), dialog, panel};
}

bool ControlFactory::IsRegistered(const std::string& name, FactoryKind kind) {
  auto it = Table().find(name);
  if (it == Table().end()) return false;
  return kind == FactoryKind::kDialog ? it->second.dialog : it->second.panel;
}

std::unique_ptr<MControl> ControlFactory::Create(FactoryKind kind, const std::string& name,
                                                 const ControlArgs& args) {
  if (!IsRegistered(name, kind)) return nullptr;
  return Table()[name].creator(args);
}

}  // namespace tumi
