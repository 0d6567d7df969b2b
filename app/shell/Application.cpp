#include "app/shell/Application.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/device/DeviceDescriptionLoader.h"
#include "app/link/KeyboardLink.h"
#include "app/shell/SoftwareName.h"
#include "uilib/core/ImageLoader.h"

namespace tessaro {

// The window's view of the device description, except that the shell itself
// starts watching device changes when the loader asks for it.
class Application::ShellView final : public DeviceDescriptionView {
 public:
  ShellView(DeviceDescriptionView& window, Application& shell) : window_(window), shell_(shell) {}

  void AddDevice(const std::string& name, int device_type) override {
    window_.AddDevice(name, device_type);
  }
  void ShowVersion(const std::string& text) override { window_.ShowVersion(text); }
  void ShowNotice(const std::string& text) override { window_.ShowNotice(text); }
  void ShowPageTabs(bool key_page, bool macro_page, bool light_page) override {
    window_.ShowPageTabs(key_page, macro_page, light_page);
  }
  void ShowFirmwareButton(bool visible) override { window_.ShowFirmwareButton(visible); }
  void SetLightSliderMaxima(int brightness_max, int speed_max) override {
    window_.SetLightSliderMaxima(brightness_max, speed_max);
  }
  void ClearKeys(KeyboardPicture picture) override { window_.ClearKeys(picture); }
  void PlacePicture(KeyboardPicture picture, const KeyRect& on_page) override {
    window_.PlacePicture(picture, on_page);
  }
  void SetKeyboardImage(KeyboardPicture picture, const std::string& file) override {
    window_.SetKeyboardImage(picture, file);
  }
  void SetWidthAndHeight(KeyboardPicture picture, int width, int height) override {
    window_.SetWidthAndHeight(picture, width, height);
  }
  void AddKeyItem(KeyboardPicture picture, const KeyItem& key) override {
    window_.AddKeyItem(picture, key);
  }
  void WatchDeviceChanges() override { shell_.WatchDeviceChanges(); }

 private:
  DeviceDescriptionView& window_;
  Application& shell_;
};

namespace {

// The program icon as pixels, for notification areas that do not look in the
// program folder; none when the file is missing or no icon-sized picture.
std::vector<platform::TrayPixmap> IconPixmaps(const std::string& path) {
  constexpr int kLargestIcon = 512;
  const std::shared_ptr<tumi::Image> image = tumi::ImageLoader::LoadFile(path);
  if (!image || image->Width() > kLargestIcon || image->Height() > kLargestIcon) return {};
  platform::TrayPixmap pixmap{image->Width(), image->Height(), {}};
  pixmap.argb.reserve(static_cast<size_t>(pixmap.width) * pixmap.height);
  for (int y = 0; y < pixmap.height; ++y) {
    for (int x = 0; x < pixmap.width; ++x) pixmap.argb.push_back(image->PixelAt(x, y));
  }
  return {std::move(pixmap)};
}

}  // namespace

Application::Application(ShellContext context) : context_(context), folders_(context.environment) {}

Application::~Application() {
  Exit();
}

Application::Start Application::StartUp(MainWindow& window) {
  window_ = &window;
  program_folder_ = folders_.ProgramFolder();
  software_name_ = ReadSoftwareName(program_folder_);

  instance_ = context_.facilities.MakeInstanceChannel(folders_.RuntimeFolder(), software_name_);
  switch (instance_->ClaimInstance()) {
    case platform::InstanceChannel::Claim::kOtherRunning:
      if (!instance_->SendToRunning(kShowLine)) {
        std::fprintf(stderr, "tessaro: %s already runs but does not answer\n",
                     software_name_.c_str());
      }
      instance_.reset();
      window_ = nullptr;
      return Start::kOtherInstance;
    case platform::InstanceChannel::Claim::kFailed:
      std::fprintf(stderr, "tessaro: cannot guard against a second instance in %s\n",
                   folders_.RuntimeFolder().c_str());
      break;
    case platform::InstanceChannel::Claim::kFirst:
      break;
  }
  started_ = true;

  settings_ = context_.facilities.MakeSettings(folders_.SettingsFile(software_name_));
  registry_ = std::make_unique<Registry>(*settings_);
  language_ = std::make_unique<Language>(program_folder_, *registry_);
  language_->ChooseAtStart(context_.environment);
  Language::SetProcessLanguage(language_.get());
  close_ = std::make_unique<CloseBehaviour>(*registry_);

  // A folder that cannot be made shows up when the store cannot open its file.
  std::error_code ignored;
  std::filesystem::create_directories(
      std::filesystem::path(folders_.UserDataFolder(software_name_)) / "db", ignored);

  context_.loop.Watch(instance_->Fd(), [this] { OnInstanceLines(); });
  context_.loop.Watch(context_.signals.Fd(), [this] { OnSignals(); });
  AddTrayIcon();
  window.SetCloseButtonTip(GetText(close_->CloseButtonTip()));
  LoadDeviceDescription();
  // The worker exists before it runs: assigned keys hand their macros to it.
  worker_ = std::make_unique<DeviceWorker>(window_->WorkerHost(), context_.clock);
  if (!InstallDrivers()) {
    Exit(DriverInstaller::kInstallFailedExitCode);
    return Start::kDriversMissing;
  }
  StartLightEngines();
  StartDeviceWorker();
  return Start::kRunning;
}

void Application::AddTrayIcon() {
  tray_ = context_.facilities.MakeTray();
  platform::TrayIconData data;
  data.id = "tessaro";
  data.title = software_name_;
  data.tip = CutToUtf16Units(software_name_, kTipUnits);
  data.icon_name = kIconName;
  // The build installs the icon as a small hicolor theme in the program folder.
  data.icon_folder = program_folder_ + "/icons";
  for (const char* size : {"16x16", "32x32", "64x64"}) {
    for (auto& pixmap :
         IconPixmaps(data.icon_folder + "/hicolor/" + size + "/apps/" + kIconName + ".png"))
      data.pixmaps.push_back(std::move(pixmap));
  }
  data.menu = {{kCommandCloseBehaviour, GetText(kMenuCloseBehaviourText)},
               {kCommandExit, GetText(kMenuExitText)}};
  if (!tray_->Add(data)) {
    std::fprintf(stderr, "tessaro: no notification area; closing to the tray minimises\n");
  }
  context_.loop.Watch(tray_->Fd(), [this] { OnTrayEvents(); });
}

void Application::LoadDeviceDescription() {
  view_ = std::make_unique<ShellView>(window_->DescriptionView(), *this);
  store_opener_ =
      std::make_unique<ConfigStoreOpener>(context_.store, folders_.UserDataFolder(software_name_));
  DeviceDescriptionLoader loader(description_, *view_, *store_opener_, context_.link,
                                 program_folder_);
  loader.LoadDeviceDescription();
}

void Application::WatchDeviceChanges() {
  if (device_changes_) return;
  device_changes_ = context_.facilities.MakeDeviceChanges();
  context_.loop.Watch(device_changes_->Fd(), [this] { OnDeviceChanges(); });
}

// The served keyboards are those of the connection modes config.xml accepts;
// the filter takes keys from them only, and the device rules open them.
bool Application::InstallDrivers() {
  std::vector<platform::UsbId> served;
  for (const DeviceEntry& mode : description_.modes) {
    const platform::UsbId id{static_cast<uint16_t>(mode.vendor_id),
                             static_cast<uint16_t>(mode.product_id)};
    if (std::find(served.begin(), served.end(), id) == served.end()) served.push_back(id);
  }
  keys_ =
      std::make_unique<KeyServices>(context_.facilities.MakeInput(served), context_.clock, *worker_,
                                    [window = window_](int message, int first, int second) {
                                      window->PostWindowMessage(message, first, second);
                                    });
  runner_ = context_.facilities.MakeProgramRunner();
  return keys_->InstallDrivers(*runner_, *window_, program_folder_ + "/driver", served);
}

void Application::StartLightEngines() {
  commands_ = std::make_unique<KeyboardCommands>(context_.link, context_.clock);
  lights_ = std::make_unique<LightEngines>(context_.facilities.MakeLightCaptures(), *commands_,
                                           window_->LightPicture(), context_.clock);
  lights_->SetRefreshPeriod(kLevelRefreshMs);
  lights_->StartLevelCapture();
}

void Application::StartDeviceWorker() {
  window_->AttachDeviceWorker(worker_.get());
  worker_->Start();
  worker_->Queue(DeviceTask::kCheckSoftwareVersion);
  worker_->Queue(DeviceTask::kDetectAtStart);
}

void Application::StopDeviceWorker() {
  if (!worker_) return;
  // Wait for the tick in flight however long it takes (a reset alone takes
  // 1.6 s): tearing down under it would free what it is using.
  while (!worker_->Stop(platform::Milliseconds(1000))) {
  }
  window_->AttachDeviceWorker(nullptr);
  worker_.reset();
}

void Application::Exit(int code) {
  if (!started_ || exited_) return;
  exited_ = true;
  // No new key event reaches the worker; then the worker finishes what it
  // plays; then every key of the virtual keyboard is let go and nothing stays
  // taken from the keyboard.
  if (keys_) keys_->Monitor().StopMonitor();
  StopDeviceWorker();
  if (keys_) keys_->Shutdown();
  if (lights_) lights_->Stop();
  // Nothing of the keyboard stays open or grabbed.
  context_.link.CloseAll();
  if (device_changes_) context_.loop.Unwatch(device_changes_->Fd());
  if (tray_) {
    context_.loop.Unwatch(tray_->Fd());
    tray_->Remove();
  }
  context_.loop.Unwatch(context_.signals.Fd());
  if (instance_) context_.loop.Unwatch(instance_->Fd());
  context_.store.Close();
  if (window_) window_->Destroy();
  if (Language::ProcessLanguage() == language_.get()) Language::SetProcessLanguage(nullptr);
  context_.loop.Quit(code);
}

void Application::OnCloseButton() {
  if (exited_) return;
  const CloseAction action =
      close_->OnCloseButton([this] { return window_->RunCloseWindowTip(); }, TrayPresent());
  switch (action) {
    case CloseAction::kNone:
      break;
    case CloseAction::kHide:
      window_->HideWindow();
      break;
    case CloseAction::kMinimize:
      window_->MinimizeWindow();
      break;
    case CloseAction::kExit:
      Exit();
      break;
  }
}

void Application::OnCloseBehaviourCommand() {
  if (exited_) return;
  window_->CloseStrayPopups();
  window_->RunCloseWindowTip();
  window_->SetCloseButtonTip(GetText(close_->CloseButtonTip()));
}

void Application::OnExitRequest(int message, int parameter) {
  if (message == kExitMessage && parameter == kExitParameter) Exit();
}

void Application::Idle() {
  if (tray_ && !exited_) OnTrayEvents();
}

void Application::OnInstanceLines() {
  for (const std::string& line : instance_->TakeLines()) {
    if (exited_) return;
    if (line == kShowLine) {
      window_->ShowWindow();
    } else if (line == kExitLine) {
      OnExitRequest(kExitMessage, kExitParameter);
    }
  }
}

void Application::OnSignals() {
  if (!context_.signals.TakeSignals().empty()) Exit();
}

void Application::OnTrayEvents() {
  for (const platform::TrayEvent& event : tray_->Dispatch()) {
    if (exited_) return;
    if (event.kind == platform::TrayEvent::Kind::kActivate) {
      window_->ShowWindow();
    } else if (event.command == kCommandCloseBehaviour) {
      OnCloseBehaviourCommand();
    } else if (event.command == kCommandExit) {
      Exit();
    }
  }
}

void Application::OnDeviceChanges() {
  for (const platform::DeviceChange& change : device_changes_->TakeChanges()) {
    if (exited_) return;
    window_->OnDeviceChange(change);
  }
}

}  // namespace tessaro
