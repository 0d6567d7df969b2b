#include "uilib/testing/HeadlessUi.h"

#include <filesystem>

#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi::testing {

HeadlessUi::HeadlessUi()
    : system_(platform::HeadlessWindowSystem::Make()),
      previous_system_(Manager::GetWindowSystem()),
      previous_folder_(Manager::GetProgramFolder()) {
  Manager::SetWindowSystem(system_.get());
  Manager::SetProgramFolder(folder_.Path());
  std::filesystem::create_directories(SkinFolder());
}

HeadlessUi::~HeadlessUi() {
  // Windows still open are destroyed without their handlers being called.
  system_.reset();
  Manager::SetWindowSystem(previous_system_);
  Manager::SetProgramFolder(previous_folder_);
}

std::string HeadlessUi::SkinFolder() const {
  return Manager::GetSkinFolder();
}

std::string HeadlessUi::SkinFile(const std::string& name) const {
  return SkinPath::Join(SkinFolder(), name);
}

bool HeadlessUi::AddStrip(const std::string& name, int frame_width, int frame_height, int count) {
  return SkinFixture::WriteStrip(SkinFile(name), frame_width, frame_height, count);
}

int HeadlessUi::Advance(int ms) {
  system_->Time().Advance(platform::Milliseconds{ms});
  return system_->Pump();
}

}  // namespace tumi::testing
