#include "app/macros/MacroPlayer.h"

#include <algorithm>

#include "app/macros/HidUsages.h"

namespace tessaro {
namespace {

constexpr int32_t kPressStep = 2;

}  // namespace

void MacroPlayer::PlayMacro(int macro_id) {
  if (!device_.ReopenDevice()) return;
  device_.ReleaseAll();
  MacroRecord macro;
  if (!store_.GetMacro(macro_id, macro)) return;
  for (int32_t pass = 0; pass < macro.play_times; ++pass) {
    std::vector<MacroStep> steps;
    store_.LoadMacroSteps(macro_id, steps);
    for (const MacroStep& step : steps) {
      const int usage = VirtualKeyToUsage(static_cast<uint32_t>(step.value));
      const bool press = step.type == kPressStep;
      if (usage >= kFirstFunctionCode && usage <= kLastFunctionCode) {
        device_.ConsumerEvent(usage, press);
      } else {
        device_.KeyEvent(usage, press);
      }
      clock_.SleepFor(std::max(platform::Milliseconds(step.delay_time), kMinimumStepWait));
    }
    device_.ReleaseAll();
  }
}

}  // namespace tessaro
