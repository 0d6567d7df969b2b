#pragma once
// The program from its start to its end, without the window's own content:
// the entry steps (software name, single instance, language, data folder) and
// the main window's start of every background activity (tray, device
// description, device-change source, device worker, first tasks), then the
// events of the UI loop that end or wake the program, and every exit path.
//
// Exit (path 2) is one sequence whatever asked for it: the tray menu, the
// close behaviour, "exit" on the instance socket (message 1691 with 610),
// SIGTERM and SIGINT. It joins the device worker before anything it uses goes
// away, closes the keyboard and the store, removes the tray icon and ends the
// loop with code 0.
#include <memory>
#include <string>

#include "app/device/DeviceDescription.h"
#include "app/lights/LightEngines.h"
#include "app/link/KeyboardCommands.h"
#include "app/shell/CloseBehaviour.h"
#include "app/shell/ConfigStoreOpener.h"
#include "app/shell/DeviceWorker.h"
#include "app/shell/KeyServices.h"
#include "app/shell/Language.h"
#include "app/shell/MainWindow.h"
#include "app/shell/Registry.h"
#include "app/shell/ShellFacilities.h"
#include "platform/system/EventLoop.h"
#include "platform/system/Folders.h"
#include "platform/system/TerminationSignals.h"

namespace tessaro {

class KeyboardLink;

struct ShellContext {
  platform::Environment& environment;
  platform::Clock& clock;
  platform::EventLoop& loop;
  platform::TerminationSignals& signals;
  ShellFacilities& facilities;
  KeyboardLink& link;
  ConfigStore& store;
};

class Application {
 public:
  // Tray menu commands and the outside request to exit.
  static constexpr int kCommandCloseBehaviour = 200;
  static constexpr int kCommandExit = 100;
  static constexpr int kExitMessage = 1691;
  static constexpr int kExitParameter = 610;
  static constexpr int kMenuCloseBehaviourText = 10;
  static constexpr int kMenuExitText = 11;
  static constexpr size_t kTipUnits = 127;
  // The music light's level refresh period set at start.
  static constexpr int kLevelRefreshMs = 33;
  // The program icon's theme name: <program folder>/icons/hicolor/<size>/apps/.
  static constexpr const char* kIconName = "tessaro";
  // The instance socket's lines.
  static constexpr const char* kShowLine = "show";
  static constexpr const char* kExitLine = "exit";

  // kDriversMissing: the virtual keyboard cannot be made even after the
  // device rules' installation; the user was told and the program ends with
  // DriverInstaller::kInstallFailedExitCode.
  enum class Start { kRunning, kOtherInstance, kDriversMissing };

  explicit Application(ShellContext context);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Runs the start-up sequence. kOtherInstance: another instance runs and was
  // asked to show its window; this process ends with 0 and made nothing.
  Start StartUp(MainWindow& window);

  // Exit path 2. Safe to call more than once and from any event handler.
  void Exit() { Exit(0); }
  bool Exited() const { return exited_; }

  // The close button of the main window (identifier 41).
  void OnCloseButton();
  // Tray menu command 200.
  void OnCloseBehaviourCommand();
  // A window message from outside: 1691 with 610 exits.
  void OnExitRequest(int message, int parameter);
  // Serves the tray's own timeouts; the loop calls it now and then.
  void Idle();

  const std::string& SoftwareName() const { return software_name_; }
  const std::string& ProgramFolder() const { return program_folder_; }
  Language* CurrentLanguage() { return language_.get(); }
  Registry* Settings() { return registry_.get(); }
  const DeviceDescription& Description() const { return description_; }
  DeviceWorker* Worker() { return worker_.get(); }
  // Null before start-up and after the exit.
  KeyServices* Keys() { return keys_.get(); }
  LightEngines* Lights() { return lights_.get(); }
  bool TrayPresent() const { return tray_ && tray_->IsPresent(); }

 private:
  class ShellView;

  void AddTrayIcon();
  void LoadDeviceDescription();
  void WatchDeviceChanges();
  bool InstallDrivers();
  void StartLightEngines();
  void StartDeviceWorker();
  void Exit(int code);
  void OnInstanceLines();
  void OnSignals();
  void OnTrayEvents();
  void OnDeviceChanges();
  void StopDeviceWorker();

  ShellContext context_;
  platform::Folders folders_;
  MainWindow* window_ = nullptr;
  std::string program_folder_;
  std::string software_name_;
  std::unique_ptr<platform::InstanceChannel> instance_;
  std::unique_ptr<platform::SettingsStore> settings_;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<Language> language_;
  std::unique_ptr<CloseBehaviour> close_;
  std::unique_ptr<platform::TrayIcon> tray_;
  std::unique_ptr<platform::DeviceChangeSource> device_changes_;
  std::unique_ptr<ShellView> view_;
  std::unique_ptr<ConfigStoreOpener> store_opener_;
  DeviceDescription description_;
  std::unique_ptr<DeviceWorker> worker_;
  std::unique_ptr<platform::ProgramRunner> runner_;
  std::unique_ptr<KeyServices> keys_;
  std::unique_ptr<KeyboardCommands> commands_;
  std::unique_ptr<LightEngines> lights_;
  bool started_ = false;
  bool exited_ = false;
};

}  // namespace tessaro
