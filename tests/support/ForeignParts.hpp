#pragma once

#include <filesystem>
#include <string>

// Slide content as other programs write it, added straight into a deck file
// (entries ppt/slides/slideN.xml): pictures that slides share, charts with
// their embedded workbooks, diagrams, videos.
namespace velmora::testing {

// A picture shape showing ppt/media/`media` (a small PNG, added when the
// deck lacks it, so that several slides can share it).
void AddPicture(const std::filesystem::path& deck, int slide, const std::string& media, bool absoluteTarget = false);
// A chart (ppt/charts/chartN.xml) whose data is an embedded workbook
// (ppt/embeddings/workbookN.xlsx).
void AddChart(const std::filesystem::path& deck, int slide, int number);
// A diagram with its data, layout, style, colour and drawing parts (ppt/diagrams/*N.xml).
void AddDiagram(const std::filesystem::path& deck, int slide, int number);
// A video (ppt/media/videoN.mp4) with its poster picture.
void AddVideo(const std::filesystem::path& deck, int slide, int number);

}  // namespace velmora::testing
