#include "platform/window/headless/HeadlessWindowSystem.h"

#include "platform/window/MessageIds.h"

namespace platform {

std::unique_ptr<HeadlessWindowSystem> HeadlessWindowSystem::Make() {
  auto backend = std::make_unique<HeadlessBackend>();
  auto timer = std::make_unique<ManualDialogTimer>();
  auto clock = std::make_unique<FakeClock>();
  HeadlessBackend* headless = backend.get();
  ManualDialogTimer* manual = timer.get();
  FakeClock* fake = clock.get();
  return std::unique_ptr<HeadlessWindowSystem>(new HeadlessWindowSystem(
      std::move(backend), std::move(timer), std::move(clock), headless, manual, fake));
}

bool HeadlessWindowSystem::FireTimer(WindowId window, std::uintptr_t timer_id) {
  if (!RestartTimer(window, timer_id)) return false;
  return Post(window, msg::kTimer, timer_id, 0);
}

}  // namespace platform
