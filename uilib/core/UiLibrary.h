#pragma once
// Facts about the UI library itself.

namespace tumi {

// The library's version, "major.minor.patch".
const char* LibraryVersion();

}  // namespace tumi
