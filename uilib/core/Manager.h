#pragma once
// Process-wide settings of the UI library: the window system every window is
// made on, the device name, the theme, the library font and the accent colour.
// UI thread only; nothing here is locked.
#include <set>
#include <string>

#include "platform/window/WindowSystem.h"
#include "uilib/core/Color.h"

namespace tumi {

class MWindow;

class Manager {
 public:
  Manager() = default;
  Manager& operator=(const Manager&) { return *this; }

  // The window system all library windows live on; set once at start.
  static void SetWindowSystem(platform::WindowSystem* system) { window_system_ = system; }
  static platform::WindowSystem* GetWindowSystem() { return window_system_; }

  static void SetDeviceName(const std::string& name) { dev_name_ = name; }
  static std::string GetDeviceName() { return dev_name_; }
  static const char* GetTheme() { return "theme1"; }

  // The folder of the program; skins and fonts are found below it.
  static void SetProgramFolder(const std::string& folder) { program_folder_ = folder; }
  static const std::string& GetProgramFolder() { return program_folder_; }
  // "<program folder>/skins/theme1"; skin image names are relative to it.
  static std::string GetSkinFolder();

  static void SetFont(const std::string& name, int size) {
    fontname_ = name;
    fontwidth_ = size;
  }
  static void SetFontName(const std::string& name) { fontname_ = name; }
  static const std::string& GetFontName() { return fontname_; }
  static int GetFontWidth() { return fontwidth_; }
  static Argb GetSelectColor() { return select_color_; }

  // 1 while Alt and F4 are both held: the message is dropped.
  static int PreTranslateMessage(const platform::Message& message);
  // Runs the UI thread's messages until the quit message; its code.
  static int MessageLoop();

  static void AddWnd(MWindow* window) { windows_.insert(window); }
  static void DeleteWnd(MWindow* window) { windows_.erase(window); }

 private:
  static inline platform::WindowSystem* window_system_ = nullptr;
  static inline std::string dev_name_ = "Tessaro Driver";
  static inline std::string program_folder_;
  static inline std::string fontname_ = "Arial";
  static inline int fontwidth_ = 14;
  static inline Argb select_color_ = 0xFF285055;
  static inline std::set<MWindow*> windows_;
};

}  // namespace tumi
