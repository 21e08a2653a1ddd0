#pragma once
// OLE colours: 32-bit values 0x00BBGGRR, or, with the high bit set, an index into the
// system's colour scheme (0x80000005 is the window background). Properties keep colours
// exactly as set; only drawing resolves system colours through the backend. Plain values.

#include <cstdint>

namespace feriant::ui {

using OleColor = std::uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;

inline constexpr OleColor Rgb(int red, int green, int blue) {
  return static_cast<OleColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline constexpr int RedOf(OleColor color) {
  return static_cast<int>(color & 0xFF);
}
inline constexpr int GreenOf(OleColor color) {
  return static_cast<int>((color >> 8) & 0xFF);
}
inline constexpr int BlueOf(OleColor color) {
  return static_cast<int>((color >> 16) & 0xFF);
}
inline constexpr bool IsSystemColor(OleColor color) {
  return (color & kSystemColorFlag) != 0;
}

// The system colour indexes that the controls use, as OLE colours.
namespace system_color {
inline constexpr OleColor kScrollBar = 0x80000000u;
inline constexpr OleColor kDesktop = 0x80000001u;
inline constexpr OleColor kActiveCaption = 0x80000002u;
inline constexpr OleColor kMenu = 0x80000004u;
inline constexpr OleColor kWindowBackground = 0x80000005u;
inline constexpr OleColor kWindowFrame = 0x80000006u;
inline constexpr OleColor kMenuText = 0x80000007u;
inline constexpr OleColor kWindowText = 0x80000008u;
inline constexpr OleColor kHighlight = 0x8000000Du;
inline constexpr OleColor kHighlightText = 0x8000000Eu;
inline constexpr OleColor kButtonFace = 0x8000000Fu;
inline constexpr OleColor kButtonShadow = 0x80000010u;
inline constexpr OleColor kGrayText = 0x80000011u;
inline constexpr OleColor kButtonText = 0x80000012u;
inline constexpr OleColor kButtonHighlight = 0x80000014u;
inline constexpr OleColor kInfoText = 0x80000017u;
inline constexpr OleColor kInfoBackground = 0x80000018u;
// The highest index the classic scheme defines (gradient inactive caption).
inline constexpr int kLastIndex = 28;
}  // namespace system_color

// True for an RGB value or a known system colour index; what colour properties accept.
inline constexpr bool IsValidColor(OleColor color) {
  if (!IsSystemColor(color)) return color <= 0x00FFFFFFu;
  const OleColor index = color & ~kSystemColorFlag;
  return index <= static_cast<OleColor>(system_color::kLastIndex) && index != 25;
}

}  // namespace feriant::ui
