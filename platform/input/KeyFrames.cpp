#include "platform/input/KeyFrames.h"

#include <linux/input-event-codes.h>

#include <optional>

namespace platform {
namespace {

bool IsSynReport(const InputEvent& event) {
  return event.type == EV_SYN && event.code == SYN_REPORT;
}

}  // namespace

void SplitFrame(std::span<const InputEvent> frame, const std::function<bool(uint16_t)>& takes,
                std::vector<InputEvent>& pass, std::vector<InputEvent>& taken) {
  const size_t first_passed = pass.size();
  std::optional<InputEvent> scan;  // an MSC_SCAN waiting for the key it belongs to
  bool passes_anything = false;
  for (const InputEvent& event : frame) {
    if (event.type == EV_MSC && event.code == MSC_SCAN) {
      if (scan) {
        pass.push_back(*scan);
        passes_anything = true;
      }
      scan = event;
      continue;
    }
    if (event.type == EV_KEY && takes(event.code)) {
      taken.push_back(event);
      scan.reset();
      continue;
    }
    if (scan) {
      pass.push_back(*scan);
      scan.reset();
      passes_anything = true;
    }
    if (!IsSynReport(event)) passes_anything = true;
    pass.push_back(event);
  }
  if (scan) {
    pass.push_back(*scan);
    passes_anything = true;
  }
  if (!passes_anything) pass.resize(first_passed);
}

void ForEachFrame(std::vector<InputEvent>& pending,
                  const std::function<void(std::span<const InputEvent>)>& frame) {
  size_t start = 0;
  for (size_t i = 0; i < pending.size(); ++i) {
    if (!IsSynReport(pending[i])) continue;
    frame(std::span(pending).subspan(start, i + 1 - start));
    start = i + 1;
  }
  pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(start));
}

}  // namespace platform
