#pragma once

// Numeric values of the forms runtime's enumerations, as dialogs set them.
namespace velmora::forms {

namespace SpecialEffect {
inline constexpr int Flat = 0;
inline constexpr int Raised = 1;
inline constexpr int Sunken = 2;
inline constexpr int Etched = 3;
inline constexpr int Bump = 6;
}  // namespace SpecialEffect

namespace BackStyle {
inline constexpr int Transparent = 0;
inline constexpr int Opaque = 1;
}  // namespace BackStyle

namespace TextAlign {
inline constexpr int Left = 1;
inline constexpr int Center = 2;
inline constexpr int Right = 3;
}  // namespace TextAlign

namespace PictureSizeMode {
inline constexpr int Clip = 0;
inline constexpr int Stretch = 1;
inline constexpr int Zoom = 3;
}  // namespace PictureSizeMode

namespace ComboStyle {
inline constexpr int DropDownCombo = 0;
inline constexpr int DropDownList = 2;
}  // namespace ComboStyle

namespace MatchEntry {
inline constexpr int FirstLetter = 0;
inline constexpr int Complete = 1;
inline constexpr int None = 2;
}  // namespace MatchEntry

namespace ShowDropButtonWhen {
inline constexpr int Never = 0;
inline constexpr int Focus = 1;
inline constexpr int Always = 2;
}  // namespace ShowDropButtonWhen

namespace Orientation {
inline constexpr int Auto = -1;
inline constexpr int Vertical = 0;
inline constexpr int Horizontal = 1;
}  // namespace Orientation

namespace MouseButton {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace MouseButton

namespace ShiftState {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}  // namespace ShiftState

namespace MousePointer {
inline constexpr int Default = 0;
inline constexpr int SizeNS = 7;
inline constexpr int SizeWE = 9;
inline constexpr int SizeAll = 15;
}  // namespace MousePointer

namespace KeyCode {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
}  // namespace KeyCode

}  // namespace velmora::forms
