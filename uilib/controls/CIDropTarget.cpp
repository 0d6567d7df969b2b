#include "uilib/controls/CIDropTarget.h"

#include "platform/window/MessageIds.h"

namespace tumi {

namespace msg = platform::msg;

bool CIDropTarget::QueryDrop(unsigned key_state, unsigned* effect) const {
  unsigned allowed = *effect;
  *effect = kDropNone;
  if (!allow_drop_) return false;
  bool ctrl = (key_state & msg::kMkControl) != 0;
  bool shift = (key_state & msg::kMkShift) != 0;
  if (ctrl || shift) {
    unsigned wanted = ctrl && shift ? kDropLink : ctrl ? kDropCopy : kDropMove;
    *effect = (allowed & wanted) ? wanted : kDropNone;
  } else if (allowed & kDropCopy) {
    *effect = kDropCopy;
  } else if (allowed & kDropMove) {
    *effect = kDropMove;
  } else if (allowed & kDropLink) {
    *effect = kDropLink;
  }
  return *effect != kDropNone;
}

bool CIDropTarget::DragEnter(const CIDataObject* data, unsigned key_state, Point /*client*/,
                             unsigned* effect) {
  if (!data) return false;
  chosen_ = false;
  for (const FormatEtc& format : formats_) {
    if (data->QueryGetData(&format) == DataResult::kOk) {
      chosen_format_ = format;
      chosen_ = true;
      break;
    }
  }
  allow_drop_ = chosen_;
  QueryDrop(key_state, effect);
  return true;
}

void CIDropTarget::DragOver(unsigned key_state, Point /*client*/, unsigned* effect) {
  QueryDrop(key_state, effect);
}

void CIDropTarget::DragLeave() {
  allow_drop_ = false;
  chosen_ = false;
}

void CIDropTarget::Drop(const CIDataObject* data, unsigned key_state, Point client,
                        unsigned* effect) {
  if (data && QueryDrop(key_state, effect) && chosen_) {
    StgMedium medium;
    if (data->GetData(&chosen_format_, &medium) == DataResult::kOk) {
      OnDrop(chosen_format_, medium, *effect, client);
    }
  }
  allow_drop_ = false;
  chosen_ = false;
  *effect = kDropNone;
}

}  // namespace tumi
