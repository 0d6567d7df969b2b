#pragma once
// The update tasks of the device worker (12 to 16): learn the latest software
// and firmware versions from the update server, download a package, unpack it
// into the update folder and start what it holds.
//
// A program is started only from a package that downloaded and unpacked
// completely, and the window is told to exit only once that program runs.
// Every failure leaves the program running, the upgrade button marked and no
// package or partial file behind. Runs on the device worker thread only.
#include <chrono>
#include <string>

#include "app/update/FirmwareLink.h"
#include "app/update/HttpTransfer.h"
#include "app/update/UpdateHost.h"
#include "app/update/ZipExtractor.h"
#include "platform/net/HttpClient.h"
#include "platform/system/ProcessLauncher.h"

namespace tessaro {

struct UpdateSources {
  // The program's own version, dotted numbers.
  std::string own_version;
  // Base addresses from the device description: the version file is the base
  // followed directly by "version", packages lie below it.
  std::string software_url;
  std::string firmware_url;
  // "<user data folder>/temp": downloads and unpacked packages.
  std::string update_folder;
};

struct UpdateOptions {
  UnzipLimits unzip;
  std::chrono::milliseconds read_timeout = HttpTransfer::kReadTimeout;
};

class Updater {
 public:
  // Version texts longer than this are no version.
  static constexpr size_t kMaxVersionText = 10;

  Updater(platform::HttpClient& client, platform::ProcessLauncher& launcher, UpdateHost& host,
          UpdateSources sources, UpdateOptions options = {});

  // Task 12: when the server names a newer software version, download and
  // start it at once; when that fails, mark the software upgrade button.
  void CheckSoftwareUpdate();
  // Task 13: when the keyboard's firmware is older than the server's, mark the
  // firmware upgrade button and queue task 15.
  void CheckFirmwareUpdate(FirmwareLink& link);
  // Task 14. True when the installer was started (and the window told to exit).
  bool DownloadSoftwarePackage();
  // Task 15: the same for the firmware tool, which needs the keyboard closed.
  bool DownloadFirmwareTool(FirmwareLink& link);
  // Task 16: start the firmware tool that ships with the program.
  bool RunFirmwareTool(FirmwareLink& link, const std::string& tool_path);

  const std::string& LatestSoftwareVersion() const { return latest_software_; }
  const std::string& LatestFirmwareVersion() const { return latest_firmware_; }

  // "Keyboard-Software-<version>" and "FirmwareUpdateTool-<version>": the
  // package is this plus ".zip", the program in it this plus ".exe".
  static std::string SoftwarePackageStem(const std::string& version);
  static std::string FirmwarePackageStem(const std::string& version);
  // The base address and the file name joined by one slash.
  static std::string PackageUrl(const std::string& base, const std::string& file);

 private:
  // The trimmed version text from base + "version", or empty.
  std::string FetchVersion(const std::string& base);
  // Downloads <stem>.zip, unpacks it and returns the path of <stem>.exe from
  // it, or empty.
  std::string Obtain(const std::string& base, const std::string& stem);
  bool Launch(const std::string& program);

  platform::HttpClient& client_;
  platform::ProcessLauncher& launcher_;
  UpdateHost& host_;
  UpdateSources sources_;
  UpdateOptions options_;
  std::string latest_software_;
  std::string latest_firmware_;
};

}  // namespace tessaro
