#pragma once
// Creation of controls by class name, for dialogs and for panels. Each control
// component registers its classes (RegisterClass) with the factories it
// belongs to; a name is compared exactly, and an empty or unknown name creates
// nothing. UI thread only.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "uilib/core/MControl.h"

namespace tumi {

enum class FactoryKind { kDialog, kPanel };

struct ControlArgs {
  MObject* parent = nullptr;
  unsigned id = 0;
  Rect rect;
  std::string title;  // ignored by classes without a title
  int visible = 1;
  int enabled = 1;  // ignored by classes that take only the visible flag
};

class ControlFactory {
 public:
  using Creator = std::function<std::unique_ptr<MControl>(const ControlArgs&)>;

  // Registers (or replaces) a class in the dialog and/or the panel factory.
  static void RegisterClass(const std::string& name, Creator creator, bool dialog, bool panel);
  // Registers one of the library's class names with the factories it is
  // listed for (KnownClass); false for a name the library does not list.
  static bool RegisterClass(const std::string& name, Creator creator);
  // Whether the library lists the class for the dialog and panel factories.
  struct Membership {
    bool dialog = false;
    bool panel = false;
  };
  static bool KnownClass(const std::string& name, Membership* membership = nullptr);
  static void UnregisterClass(const std::string& name) { Table().erase(name); }
  static bool IsRegistered(const std::string& name, FactoryKind kind);
  static std::unique_ptr<MControl> Create(FactoryKind kind, const std::string& name,
                                          const ControlArgs& args);

 private:
  struct Entry {
    Creator creator;
    bool dialog = false;
    bool panel = false;
  };
  static std::map<std::string, Entry>& Table();
};

}  // namespace tumi
