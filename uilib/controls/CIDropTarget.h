#pragma once
// The target side of a drag: the formats a window takes, the effect a drop
// would have (QueryDrop) and the drop itself, handed to OnDrop. Key state
// bits are the mouse-message flags (kMkControl, kMkShift).
#include <vector>

#include "uilib/controls/CIDataObject.h"
#include "uilib/core/Rect.h"

namespace tumi {

class CIDropTarget {
 public:
  virtual ~CIDropTarget() = default;

  void AddSuportedFormat(const FormatEtc& format) { formats_.push_back(format); }
  const std::vector<FormatEtc>& SupportedFormats() const { return formats_; }
  // The effect for the keys held and the effects the source allows, in
  // *effect; true when it is not none.
  bool QueryDrop(unsigned key_state, unsigned* effect) const;

  // false (nothing happens) for a missing data object.
  bool DragEnter(const CIDataObject* data, unsigned key_state, Point client, unsigned* effect);
  void DragOver(unsigned key_state, Point client, unsigned* effect);
  void DragLeave();
  // Hands the data in the chosen format to OnDrop when the effect allows it.
  // Always ends the drag.
  void Drop(const CIDataObject* data, unsigned key_state, Point client, unsigned* effect);

  bool IsAllowDrop() const { return allow_drop_; }
  const FormatEtc* ChosenFormat() const { return chosen_ ? &chosen_format_ : nullptr; }

 protected:
  // True when the storage is to be released afterwards.
  virtual bool OnDrop(const FormatEtc& format, const StgMedium& medium, unsigned effect,
                      Point client) = 0;

 private:
  std::vector<FormatEtc> formats_;
  bool allow_drop_ = false;
  bool chosen_ = false;
  FormatEtc chosen_format_;
};

}  // namespace tumi
