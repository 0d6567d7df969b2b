#pragma once
// Walks a copy of a data object's formats.
#include <cstddef>
#include <vector>

#include "uilib/controls/DragDropTypes.h"

namespace tumi {

class CEnumFormatEtc {
 public:
  explicit CEnumFormatEtc(std::vector<FormatEtc> formats) : formats_(std::move(formats)) {}

  // Up to `count` further formats; fewer at the end.
  std::vector<FormatEtc> Next(std::size_t count) {
    std::vector<FormatEtc> out;
    while (out.size() < count && index_ < formats_.size()) out.push_back(formats_[index_++]);
    return out;
  }
  // False when fewer than `count` were left to skip.
  bool Skip(std::size_t count) {
    index_ += count;
    if (index_ <= formats_.size()) return true;
    index_ = formats_.size();
    return false;
  }
  void Reset() { index_ = 0; }
  CEnumFormatEtc Clone() const { return *this; }

 private:
  std::vector<FormatEtc> formats_;
  std::size_t index_ = 0;
};

}  // namespace tumi
