// KIVLook: the one palette every control draws with, so that the toolkit's
// controls look like one family (the pictures of the language resources are
// drawn from the same colours). Colours are 0x00RRGGBB, the pixels' order.
#pragma once

#include "platform/WinTypes.h"

namespace KIVLook {

inline constexpr DWORD kPaper = 0x00F4F1EC;     // dialogs and raised faces
inline constexpr DWORD kWell = 0x00FFFFFF;      // fields, lists and wells
inline constexpr DWORD kInk = 0x002B2B2B;       // text
inline constexpr DWORD kOutline = 0x007A7469;   // outlines of controls
inline constexpr DWORD kLight = 0x00FFFFFF;     // bevel, lit side
inline constexpr DWORD kShadow = 0x00B8B0A3;    // bevel, shaded side
inline constexpr DWORD kAccent = 0x001F6F8B;    // marks, fills, focus
inline constexpr DWORD kHover = 0x00E3EFF3;     // the face under the mouse
inline constexpr DWORD kPressed = 0x00D8D2C8;   // a pressed face
inline constexpr DWORD kTrack = 0x00E4DFD6;     // scroll-bar tracks
inline constexpr DWORD kSelection = 0x001F6F8B; // selected text's background
inline constexpr DWORD kSelectedText = 0x00FFFFFF;
inline constexpr DWORD kEdge = 0x00262A30;      // outline of a framed window
inline constexpr DWORD kTitleBand = 0x001F4F66; // title band of a framed window
inline constexpr DWORD kTitleText = 0x00FFFFFF;
inline constexpr DWORD kFocus = 0x00104A60;    // the focus mark
inline constexpr float kDisabledFactor = 0.4f; // pictures and text of disabled controls

} // namespace KIVLook
