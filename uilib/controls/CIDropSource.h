#pragma once
// The source side of a drag: whether it goes on, is dropped or is cancelled.
namespace tumi {

enum class DragStatus { kContinue, kDrop, kCancel };

class CIDropSource {
 public:
  // Escape cancels; with neither mouse button held any more the data drops.
  DragStatus QueryContinueDrag(bool escape_pressed, bool left_held, bool right_held) {
    if (escape_pressed) return DragStatus::kCancel;
    if (!left_held && !right_held) {
      dropped_ = true;
      return DragStatus::kDrop;
    }
    return DragStatus::kContinue;
  }
  // The default cursors show the effect.
  bool GiveFeedback(unsigned /*effect*/) const { return true; }
  bool IsDropped() const { return dropped_; }

 private:
  bool dropped_ = false;
};

}  // namespace tumi
