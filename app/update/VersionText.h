#pragma once
// Version texts from the update server and the device description.
//
// Software versions are dotted numbers ("1.0.2"). Only digits separated by
// single dots count as a version: an error page, "1.0.x" or an empty part is
// no version and never triggers a download. Parts compare as numbers of any
// length, and a missing part counts as 0, so "1.1" is newer than "1.0.1" and
// "1.0" equals "1.0.0".
//
// The keyboard reports its firmware version as a 16-bit number and the server
// writes the latest one in hexadecimal digits: 0x0107 is "107". Both sides are
// compared as that one number.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The text without leading and trailing ASCII white space (a version file
// usually ends with a line break).
std::string_view TrimVersionText(std::string_view text);

bool IsVersionText(std::string_view text);

// 1 when latest is newer than current, -1 when current is newer, 0 when they
// are equal or either text is not a version.
int CompareVersions(std::string_view current, std::string_view latest);

// The firmware version that a server text of 1 to 4 hexadecimal digits names.
std::optional<uint16_t> ParseFirmwareVersion(std::string_view text);

}  // namespace tessaro
