#pragma once
// How the filter splits what a grabbed keyboard sends: a frame is the events
// up to and including a SYN_REPORT. Key events the filter takes (with the
// MSC_SCAN that announces each) are removed; everything else passes in its
// order with the frame's SYN_REPORT. A frame left with nothing but its
// SYN_REPORT is not passed at all.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/input/InputEvent.h"

namespace platform {

void SplitFrame(std::span<const InputEvent> frame, const std::function<bool(uint16_t)>& takes,
                std::vector<InputEvent>& pass, std::vector<InputEvent>& taken);

// Moves the complete frames at the front of pending to the callback, keeping an
// unfinished frame for the next read.
void ForEachFrame(std::vector<InputEvent>& pending,
                  const std::function<void(std::span<const InputEvent>)>& frame);

}  // namespace platform
