#pragma once
// The kinds of key assignment, as stored in a key row's macro_type, and the
// values that go with them.
#include <cstdint>

namespace tessaro::macro_type {

inline constexpr int32_t kDefault = 0;    // the key's own function; the row is removed
inline constexpr int32_t kDisabled = 1;   // the key does nothing
inline constexpr int32_t kKey = 2;        // keyboard usage or function code; combinations too
inline constexpr int32_t kMacro = 3;      // macro_value is the macro id
inline constexpr int32_t kMouse = 5;      // mouse button code 1, 2, 3, 7 or 8
inline constexpr int32_t kListValue = 6;  // a list entry of the combination dialog
inline constexpr int32_t kShortcut = 7;   // shortcut 1 to 15
inline constexpr int32_t kProgram = 8;    // kinds 8 to 11: macro_value is a KeyOtherData id
inline constexpr int32_t kWebPage = 9;
inline constexpr int32_t kText = 10;
inline constexpr int32_t kProfile = 11;
inline constexpr int32_t kListFunction = 12;  // key function list item with a code of 500 or more

// Key function list items from this code on are stored as kListFunction.
inline constexpr int32_t kFirstListFunctionCode = 500;
// Codes of kKey from here on play nothing.
inline constexpr int32_t kFirstUnplayedCode = 250;

// Modifier bits (macro_value2) of a key combination.
inline constexpr int32_t kCtrlBit = 1;
inline constexpr int32_t kShiftBit = 2;
inline constexpr int32_t kAltBit = 4;
inline constexpr int32_t kWinBit = 8;

}  // namespace tessaro::macro_type
