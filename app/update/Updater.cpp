#include "app/update/Updater.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/update/VersionText.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVersionFile = "version";

}  // namespace

Updater::Updater(platform::HttpClient& client, platform::ProcessLauncher& launcher,
                 UpdateHost& host, UpdateSources sources, UpdateOptions options)
    : client_(client),
      launcher_(launcher),
      host_(host),
      sources_(std::move(sources)),
      options_(options) {}

std::string Updater::SoftwarePackageStem(const std::string& version) {
  return "Keyboard-Software-" + version;
}

std::string Updater::FirmwarePackageStem(const std::string& version) {
  return "FirmwareUpdateTool-" + version;
}

std::string Updater::PackageUrl(const std::string& base, const std::string& file) {
  std::string url = base;
  while (!url.empty() && url.back() == '/') url.pop_back();
  return url + "/" + file;
}

std::string Updater::FetchVersion(const std::string& base) {
  if (base.empty()) return {};
  std::string body;
  HttpTransfer transfer(client_, options_.read_timeout);
  if (transfer.FetchText(base + kVersionFile, body) != HttpTransfer::kOk) return {};
  const std::string_view text = TrimVersionText(body);
  if (text.empty() || text.size() > kMaxVersionText) return {};
  return std::string(text);
}

void Updater::CheckSoftwareUpdate() {
  const std::string latest = FetchVersion(sources_.software_url);
  if (!IsVersionText(latest)) return;
  latest_software_ = latest;
  if (CompareVersions(sources_.own_version, latest) != 1) return;
  DownloadSoftwarePackage();
}

void Updater::CheckFirmwareUpdate(FirmwareLink& link) {
  const std::string latest = FetchVersion(sources_.firmware_url);
  const std::optional<uint16_t> latest_version = ParseFirmwareVersion(latest);
  if (!latest_version) return;
  latest_firmware_ = latest;
  const std::optional<uint16_t> keyboard_version = link.ReadFirmwareVersion();
  if (!keyboard_version || *keyboard_version >= *latest_version) return;
  host_.MarkFirmwareUpgrade();
  host_.QueueFirmwareDownload();
}

bool Updater::DownloadSoftwarePackage() {
  if (!latest_software_.empty()) {
    const std::string program =
        Obtain(sources_.software_url, SoftwarePackageStem(latest_software_));
    if (!program.empty() && Launch(program)) return true;
  }
  host_.MarkSoftwareUpgrade();
  return false;
}

bool Updater::DownloadFirmwareTool(FirmwareLink& link) {
  if (!latest_firmware_.empty()) {
    const std::string program =
        Obtain(sources_.firmware_url, FirmwarePackageStem(latest_firmware_));
    if (!program.empty()) {
      link.CloseAll();
      if (Launch(program)) return true;
      host_.RedetectKeyboard();
    }
  }
  host_.MarkFirmwareUpgrade();
  return false;
}

bool Updater::RunFirmwareTool(FirmwareLink& link, const std::string& tool_path) {
  std::error_code error;
  if (!fs::is_regular_file(tool_path, error)) return false;
  link.CloseAll();
  if (Launch(tool_path)) return true;
  host_.RedetectKeyboard();
  return false;
}

std::string Updater::Obtain(const std::string& base, const std::string& stem) {
  std::error_code error;
  fs::create_directories(sources_.update_folder, error);
  if (error || base.empty()) return {};
  const fs::path folder(sources_.update_folder);
  const std::string package = (folder / (stem + ".zip")).string();
  HttpTransfer transfer(client_, options_.read_timeout);
  if (transfer.DownloadFile(PackageUrl(base, stem + ".zip"), package, &host_) !=
      HttpTransfer::kOk) {
    return {};
  }
  ZipExtractor extractor(options_.unzip);
  const UnzipResult unpacked = extractor.Extract(package, sources_.update_folder);
  fs::remove(package, error);
  if (unpacked != UnzipResult::kOk) return {};

  // Only a program that came out of this very package is started.
  const std::string program = (folder / (stem + ".exe")).string();
  const auto& files = extractor.ExtractedFiles();
  if (std::find(files.begin(), files.end(), program) != files.end()) return program;
  for (const std::string& file : files) fs::remove(file, error);
  return {};
}

bool Updater::Launch(const std::string& program) {
  if (launcher_.Start(program, {}) <= 0) return false;
  host_.ExitForUpdate();
  return true;
}

}  // namespace tessaro
