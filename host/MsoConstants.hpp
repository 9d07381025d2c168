#pragma once

#include <cstdint>

// Numeric codes of the presentation object model, as the tools compare them.
namespace velmora::host {

using Color = std::int32_t;  // R + 256 * G + 65536 * B

namespace TriState {
inline constexpr int True = -1;
inline constexpr int False = 0;
inline constexpr int Mixed = -2;
}  // namespace TriState

namespace ShapeType {
inline constexpr int Mixed = -2;
inline constexpr int AutoShape = 1;
inline constexpr int Callout = 2;
inline constexpr int Chart = 3;
inline constexpr int Comment = 4;
inline constexpr int FreeForm = 5;
inline constexpr int Group = 6;
inline constexpr int EmbeddedOLEObject = 7;
inline constexpr int FormControl = 8;
inline constexpr int Line = 9;
inline constexpr int LinkedOLEObject = 10;
inline constexpr int LinkedPicture = 11;
inline constexpr int OLEControlObject = 12;
inline constexpr int Picture = 13;
inline constexpr int Placeholder = 14;
inline constexpr int TextEffect = 15;
inline constexpr int Media = 16;
inline constexpr int TextBox = 17;
inline constexpr int Table = 19;
inline constexpr int Canvas = 20;
inline constexpr int SmartArt = 24;
}  // namespace ShapeType

namespace FontSize {
// What a font's size reads as where its text has several sizes.
inline constexpr float Mixed = -2;
}  // namespace FontSize

namespace PlaceholderType {
inline constexpr int Title = 1;
inline constexpr int Body = 2;
inline constexpr int CenterTitle = 3;
inline constexpr int Subtitle = 4;
inline constexpr int VerticalTitle = 5;
inline constexpr int VerticalBody = 6;
inline constexpr int Object = 7;
inline constexpr int Chart = 8;
inline constexpr int Bitmap = 9;
inline constexpr int MediaClip = 10;
inline constexpr int OrgChart = 11;
inline constexpr int Table = 12;
inline constexpr int SlideNumber = 13;
inline constexpr int Header = 14;
inline constexpr int Footer = 15;
inline constexpr int Date = 16;
inline constexpr int VerticalObject = 17;
inline constexpr int Picture = 18;
}  // namespace PlaceholderType

namespace AutoShapeType {
inline constexpr int Rectangle = 1;
inline constexpr int RoundedRectangle = 5;
inline constexpr int Oval = 9;
}  // namespace AutoShapeType

namespace TextOrientation {
inline constexpr int Horizontal = 1;
}  // namespace TextOrientation

namespace AutoSize {
inline constexpr int None = 0;
inline constexpr int ShapeToFitText = 1;
}  // namespace AutoSize

namespace SelectionType {
inline constexpr int None = 0;
inline constexpr int Slides = 1;
inline constexpr int Shapes = 2;
inline constexpr int Text = 3;
}  // namespace SelectionType

namespace WindowState {
inline constexpr int Normal = 1;
inline constexpr int Minimized = 2;
inline constexpr int Maximized = 3;
}  // namespace WindowState

namespace SaveFormat {
inline constexpr int Presentation = 1;
inline constexpr int Html = 12;
inline constexpr int JPG = 17;
inline constexpr int PNG = 18;
inline constexpr int Default = 11;
inline constexpr int OpenXMLPresentation = 24;
inline constexpr int OpenXMLPicturePresentation = 36;
}  // namespace SaveFormat

namespace SlideLayout {
inline constexpr int Title = 1;
inline constexpr int Text = 2;
inline constexpr int TitleOnly = 11;
inline constexpr int Blank = 12;
}  // namespace SlideLayout

namespace SlideSize {
inline constexpr int OnScreen = 1;
inline constexpr int Custom = 7;
}  // namespace SlideSize

namespace Alignment {
inline constexpr int Left = 1;
inline constexpr int Center = 2;
inline constexpr int Right = 3;
}  // namespace Alignment

namespace BorderType {
inline constexpr int Top = 1;
inline constexpr int Left = 2;
inline constexpr int Bottom = 3;
inline constexpr int Right = 4;
}  // namespace BorderType

namespace PasteDataType {
inline constexpr int Bitmap = 1;
inline constexpr int GIF = 4;
inline constexpr int JPG = 5;
inline constexpr int PNG = 6;
}  // namespace PasteDataType

namespace FileDialogType {
inline constexpr int FilePicker = 3;
}  // namespace FileDialogType

}  // namespace velmora::host
