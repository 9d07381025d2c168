#pragma once

#include <cmath>
#include <cstdint>

// Namespaces, relationship types and units of the presentation file format.
namespace velmora::pptx::ooxml {

inline constexpr const char* kPresentationML = "http://schemas.openxmlformats.org/presentationml/2006/main";
inline constexpr const char* kDrawingML = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kRelationshipsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPackageRelationshipsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kContentTypesNs = "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* kMarkupCompatibilityNs = "http://schemas.openxmlformats.org/markup-compatibility/2006";
inline constexpr const char* kActiveXNs = "http://schemas.microsoft.com/office/2006/activeX";
inline constexpr const char* kVmlNs = "urn:schemas-microsoft-com:vml";
inline constexpr const char* kVmlOfficeNs = "urn:schemas-microsoft-com:office:office";
inline constexpr const char* kVmlPowerPointNs = "urn:schemas-microsoft-com:office:powerpoint";

namespace rel {
inline constexpr const char* kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kSlide = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
inline constexpr const char* kSlideLayout =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout";
inline constexpr const char* kSlideMaster =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideMaster";
inline constexpr const char* kNotesSlide =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/notesSlide";
inline constexpr const char* kNotesMaster =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/notesMaster";
inline constexpr const char* kTheme = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";
inline constexpr const char* kTags = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/tags";
inline constexpr const char* kImage = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
inline constexpr const char* kHyperlink =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
inline constexpr const char* kControl = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/control";
inline constexpr const char* kActiveXControlBinary =
    "http://schemas.microsoft.com/office/2006/relationships/activeXControlBinary";
inline constexpr const char* kVmlDrawing =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/vmlDrawing";
inline constexpr const char* kPresentationProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/presProps";
inline constexpr const char* kViewProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/viewProps";
inline constexpr const char* kTableStyles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/tableStyles";
inline constexpr const char* kCustomProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/custom-properties";
}  // namespace rel

// Content types of the parts the document host reads or writes.
namespace type {
inline constexpr const char* kPresentation =
    "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";
inline constexpr const char* kSlide = "application/vnd.openxmlformats-officedocument.presentationml.slide+xml";
inline constexpr const char* kSlideLayout =
    "application/vnd.openxmlformats-officedocument.presentationml.slideLayout+xml";
inline constexpr const char* kSlideMaster =
    "application/vnd.openxmlformats-officedocument.presentationml.slideMaster+xml";
inline constexpr const char* kNotesSlide =
    "application/vnd.openxmlformats-officedocument.presentationml.notesSlide+xml";
inline constexpr const char* kNotesMaster =
    "application/vnd.openxmlformats-officedocument.presentationml.notesMaster+xml";
inline constexpr const char* kTheme = "application/vnd.openxmlformats-officedocument.theme+xml";
inline constexpr const char* kTags = "application/vnd.openxmlformats-officedocument.presentationml.tags+xml";
inline constexpr const char* kPresentationProperties =
    "application/vnd.openxmlformats-officedocument.presentationml.presProps+xml";
inline constexpr const char* kViewProperties =
    "application/vnd.openxmlformats-officedocument.presentationml.viewProps+xml";
inline constexpr const char* kTableStyles =
    "application/vnd.openxmlformats-officedocument.presentationml.tableStyles+xml";
inline constexpr const char* kCustomProperties = "application/vnd.openxmlformats-officedocument.custom-properties+xml";
inline constexpr const char* kActiveX = "application/vnd.ms-office.activeX+xml";
inline constexpr const char* kActiveXBinary = "application/vnd.ms-office.activeX";
inline constexpr const char* kVmlDrawing = "application/vnd.openxmlformats-officedocument.vmlDrawing";
inline constexpr const char* kRelationships = "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr const char* kXml = "application/xml";
}  // namespace type

inline constexpr std::int64_t kEmuPerPoint = 12700;

inline float EmuToPoints(std::int64_t emu)
{
    return static_cast<float>(static_cast<double>(emu) / kEmuPerPoint);
}

inline std::int64_t PointsToEmu(double points)
{
    return std::llround(points * kEmuPerPoint);
}

}  // namespace velmora::pptx::ooxml
