#pragma once
// Numbers in the program's files (XML attributes, settings values) are read the
// way the C library's wcstol reads them with a 32-bit long: leading white space,
// an optional sign, then as many digits as there are; the rest of the text is
// ignored, no digits give 0, and values out of range saturate.
#include <cstdint>
#include <string_view>

namespace tessaro {

// base 10 or 16; base 16 also takes an optional "0x" or "0X" prefix.
int32_t ParseLong(std::string_view text, int base = 10);

}  // namespace tessaro
