#pragma once
// The data a drag carries: pairs of a format and its storage, looked up by
// format. Storage is shared, so a copy handed out stays valid after the
// object is gone.
#include <memory>
#include <vector>

#include "uilib/controls/CEnumFormatEtc.h"
#include "uilib/controls/DragDropTypes.h"

namespace tumi {

class CIDropSource;

class CIDataObject {
 public:
  explicit CIDataObject(CIDropSource* source = nullptr) : source_(source) {}

  CIDropSource* GetSource() const { return source_; }
  // Stores the format and its storage; `release` hands the storage over, else
  // a copy is kept. Missing arguments: kInvalidArg.
  DataResult SetData(const FormatEtc* format, const StgMedium* medium, bool release);
  // The first stored entry of the request's format and aspect whose storage
  // kind overlaps the request's.
  DataResult GetData(const FormatEtc* format, StgMedium* medium) const;
  DataResult QueryGetData(const FormatEtc* format) const;
  // Only the get direction is enumerated.
  std::unique_ptr<CEnumFormatEtc> EnumFormatEtc(bool get) const;
  std::size_t Count() const { return formats_.size(); }

 private:
  CIDropSource* source_;
  std::vector<FormatEtc> formats_;
  std::vector<StgMedium> media_;
};

}  // namespace tumi
