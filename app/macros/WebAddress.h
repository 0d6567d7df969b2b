#pragma once
// The address a web page key opens, from what the user typed.
#include <string>
#include <string_view>

namespace tessaro {

// An address with a scheme ("https://...", "mailto:...") opens as typed. A bare
// host name gets "www." in front unless it has one already or names a host
// that cannot have one (localhost, an IP address), and every bare address gets
// "http://", because the desktop's opener takes a text without a scheme for a
// file name. Empty (or blank) text gives an empty address: nothing to open.
std::string WebAddressToOpen(std::string_view typed);

}  // namespace tessaro
