#pragma once
// The vocabulary of drag and drop inside the library: drop effects, data
// formats with the clipboard numbers they have always had, storage kinds and
// the answers of the data object. Data travels in process: a picture or a
// list of file paths.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "uilib/core/Image.h"

namespace tumi {

// Drop effects; the allowed effects of a source combine them.
enum DropEffect : unsigned {
  kDropNone = 0,
  kDropCopy = 1,
  kDropMove = 2,
  kDropLink = 4,
};

// Clipboard formats.
enum ClipFormat : unsigned {
  kFormatBitmap = 2,
  kFormatDib = 8,
  kFormatEnhMetafile = 14,
  kFormatHDrop = 15,
};

// Storage kinds (bits, so a request may accept several).
enum Tymed : unsigned {
  kTymedNull = 0,
  kTymedHGlobal = 1,
  kTymedGdi = 16,
  kTymedEnhMf = 64,
};

inline constexpr unsigned kAspectContent = 1;

// Answers of the data object, with the classic meanings.
enum class DataResult {
  kOk,
  kInvalidArg,     // a missing argument
  kBadAspect,      // the aspect does not include the content
  kBadTymed,       // nothing stored, or no stored storage kind matches
  kBadClipFormat,  // a storage kind matched but no format
  kBadFormatEtc,   // nothing stored matches the request
  kNotImplemented,
};

struct FormatEtc {
  unsigned format = 0;
  unsigned aspect = kAspectContent;
  int index = -1;
  unsigned tymed = kTymedNull;
  friend bool operator==(const FormatEtc&, const FormatEtc&) = default;
};

// What a format's data is: a picture (bitmaps and metafiles) or file paths.
struct StgMedium {
  unsigned tymed = kTymedNull;
  std::shared_ptr<const Image> picture;
  std::vector<std::string> files;
};

}  // namespace tumi
