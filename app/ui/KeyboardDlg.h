#pragma once
// The main window: a borderless 1280 by 720 skinned dialog with a caption
// bar, three system buttons, a vertical tab strip and five pages. It runs
// detection and the device tasks for the device worker (on the worker's
// thread, posting everything that touches controls to the UI thread), shows
// what the device description holds, follows devices coming and going, and
// carries out the shell's close behaviour.
#include <array>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/lights/NoKeyPicture.h"
#include "app/link/DeviceDetection.h"
#include "app/link/KeyboardCommands.h"
#include "app/shell/MainWindow.h"
#include "app/ui/PageUpdate.h"
#include "app/ui/UiThreadQueue.h"
#include "platform/system/ProgramRunner.h"
#include "uilib/core/MDialog.h"

namespace tessaro {

class Application;
class WaitDlg;

class KeyboardDlg final : public tumi::MDialog, public MainWindow {
 public:
  static constexpr int kWidth = 1280;
  static constexpr int kHeight = 720;
  static constexpr int kDialogTimerPeriod = 10;
  // Wakes the UI thread for work the worker posted.
  static constexpr std::uint32_t kMsgRunPosted = 0x7E20;
  // Every label again from the current language file.
  static constexpr std::uint32_t kMsgRelabel = 2022;
  static constexpr int kMinimizeTip = 2;
  static constexpr int kWebsiteTip = 5;
  // Opens web addresses with the desktop's handler.
  static constexpr const char* kOpener = "xdg-open";
  static constexpr const char* kCaptionText = "Norvik  Q700-RGB  GAMING  KEYBOARD";

  // What the frame shows, for the trace and the tests.
  struct Shown {
    int status_text = FrameView::kConnected;
    int selected_position = 0;
    bool tabs_shown = false;
    bool header_shown = true;
    bool page_tabs_visible = false;  // positions 1 to 4
    bool wireless = false;           // the keyboard is connected in mode 1 or 2
    PageHeading heading;
    friend bool operator==(const Shown&, const Shown&) = default;
  };

  KeyboardDlg(KeyboardLink& link, platform::Clock& clock, platform::ProgramRunner* runner);
  ~KeyboardDlg() override;

  // The shell behind the close button and the close-behaviour dialog; null
  // leaves them without effect (tests).
  void AttachShell(Application* shell) { shell_ = shell; }
  // One line on the stream whenever what the frame shows changes.
  void SetTrace(std::FILE* out) { trace_ = out; }

  // MainWindow
  void OpenWindow(const std::string& software_name, const std::string& program_folder) override;
  DeviceDescriptionView& DescriptionView() override;
  DeviceWorkerHost& WorkerHost() override;
  void AttachDeviceWorker(DeviceWorker* worker) override;
  // The light page's picture comes with the light page; until then nothing
  // is recoloured.
  KeyPictureTarget& LightPicture() override { return no_picture_; }
  // Any thread.
  void PostWindowMessage(int message, int first, int second) override;
  void OnDeviceChange(const platform::DeviceChange& change) override;
  using tumi::MWindow::ShowWindow;
  void ShowWindow() override;
  void HideWindow() override;
  void MinimizeWindow() override;
  void CloseStrayPopups() override;
  std::optional<int> RunCloseWindowTip() override;
  void SetCloseButtonTip(const std::string& text) override;
  void Destroy() override;

  // InstallFailureNotice: the virtual keyboard cannot be made.
  void ShowInstallFailure() override;
  static constexpr const char* kInstallTitle = "Install Driver";
  static constexpr const char* kInstallText = "InstallDriver Error!";

  // MDialog
  int OnInitDialog() override;
  void InitUI(const tumi::Rect& client) override;
  void UISize(const tumi::Rect& client) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;

  // Queues a write task and shows the busy dialog until the worker is done
  // with it (or dropped it). UI thread.
  void QueueWriteTask(DeviceTask task);
  // The busy dialog while one is up.
  WaitDlg* BusyDialog() { return busy_; }

  // The page update after a detection, on the UI thread.
  void ShowDetection(const DetectionResult& found, const FrameView& view);
  // Sets every label again from the current language (message 2022).
  void Relabel();
  // The tab strip's click: the tab at the position becomes the current page.
  void SwitchTab(int position);
  const Shown& Showing() const { return shown_; }
  // The device type of the loaded layout, when no shell tells it (tests).
  void SetDeviceType(int device_type);
  uint32_t MenuFlags() const { return menu_flags_; }

 private:
  class WorkerSide;
  class DescriptionSide;

  // The pages' stand-in titles, as children of the pages.
  static constexpr unsigned kPageTitleBase = 1000;

  void CreateFrameControls();
  void CreateTabStrip();
  void CreatePages();
  void LetPressesThrough();
  void PinSettingsTab(int height);
  void Apply(const Shown& next);
  long OnDeviceChosen();
  void OpenAddress(const std::string& address);
  void OnCloseButton();
  // Worker thread: detection, then the page update.
  void DetectAndUpdatePages();
  void RunTask(DeviceTask task);
  bool DeviceReady();
  int CurrentDeviceType();
  void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));

  KeyboardLink& link_;
  KeyboardCommands commands_;
  platform::ProgramRunner* runner_;
  Application* shell_ = nullptr;
  std::FILE* trace_ = nullptr;
  std::unique_ptr<WorkerSide> worker_side_;
  std::unique_ptr<DescriptionSide> description_side_;
  UiThreadQueue ui_;
  NoKeyPicture no_picture_;

  // Shared by the worker and the UI thread.
  std::mutex mutex_;
  DeviceWorker* worker_ = nullptr;
  DetectionResult detection_;
  int device_type_ = 0;

  // UI thread.
  Shown shown_;
  // Owned by the QueueWriteTask call that runs it modally.
  WaitDlg* busy_ = nullptr;
  uint64_t busy_ticket_ = 0;
  int dialog_timer_ = 0;
  uint32_t menu_flags_ = 0x7F;
  bool applying_ = false;
  std::vector<int> listed_types_;
  // Which tab positions the layout uses (home and settings always).
  std::array<bool, 5> layout_tabs_ = {true, true, true, true, true};
  bool reset_button_visible_ = false;
  std::atomic<tumi::WindowId> posted_window_{platform::kNoWindow};
  std::string website_;
  std::string store_;
};

}  // namespace tessaro
