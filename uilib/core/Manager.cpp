#include "uilib/core/Manager.h"

#include "uilib/core/SkinPath.h"

namespace tumi {

std::string Manager::GetSkinFolder() {
  return SkinPath::SkinFolder(program_folder_, GetTheme());
}

int Manager::PreTranslateMessage(const platform::Message& /*message*/) {
  if (!window_system_) return 0;
  return window_system_->IsKeyDown(platform::vk::kMenu) &&
                 window_system_->IsKeyDown(platform::vk::kF4)
             ? 1
             : 0;
}

namespace {
class AltF4Filter : public platform::LoopHooks {
 public:
  bool PreTranslate(const platform::Message& message) override {
    return Manager::PreTranslateMessage(message) != 0;
  }
};
}  // namespace

int Manager::MessageLoop() {
  if (!window_system_) return 0;
  AltF4Filter filter;
  platform::LoopResult result = window_system_->RunLoop(&filter);
  return result.code;
}

}  // namespace tumi
