#include "uilib/controls/CIDataObject.h"

namespace tumi {

DataResult CIDataObject::SetData(const FormatEtc* format, const StgMedium* medium, bool release) {
  if (!format || !medium) return DataResult::kInvalidArg;
  formats_.push_back(*format);
  // The storage is immutable and shared, so keeping it and copying it are
  // the same here; `release` only says who owned it.
  (void)release;
  media_.push_back(*medium);
  return DataResult::kOk;
}

DataResult CIDataObject::GetData(const FormatEtc* format, StgMedium* medium) const {
  if (!format || !medium) return DataResult::kInvalidArg;
  for (std::size_t i = 0; i < formats_.size(); ++i) {
    const FormatEtc& stored = formats_[i];
    if ((stored.tymed & format->tymed) && stored.aspect == format->aspect &&
        stored.format == format->format) {
      *medium = media_[i];
      return DataResult::kOk;
    }
  }
  return DataResult::kBadFormatEtc;
}

DataResult CIDataObject::QueryGetData(const FormatEtc* format) const {
  if (!format) return DataResult::kInvalidArg;
  if (!(format->aspect & kAspectContent)) return DataResult::kBadAspect;
  bool tymed_matched = false;
  for (const FormatEtc& stored : formats_) {
    if (!(stored.tymed & format->tymed)) continue;
    tymed_matched = true;
    if (stored.format == format->format) return DataResult::kOk;
  }
  return tymed_matched ? DataResult::kBadClipFormat : DataResult::kBadTymed;
}

std::unique_ptr<CEnumFormatEtc> CIDataObject::EnumFormatEtc(bool get) const {
  if (!get) return nullptr;
  return std::make_unique<CEnumFormatEtc>(formats_);
}

}  // namespace tumi
