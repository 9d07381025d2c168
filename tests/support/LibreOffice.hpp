#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velmora::testing {

// Converts a document with headless LibreOffice (a profile of its own, a time
// limit) into `format` ("pdf", "pptx") in `outDir`; the converted file, or
// nothing when LibreOffice failed.
std::optional<std::filesystem::path> ConvertWithLibreOffice(const std::filesystem::path& input,
                                                            const std::string& format,
                                                            const std::filesystem::path& outDir);

// Pages of a PDF file as pdfinfo counts them; -1 when it cannot be read.
int PdfPageCount(const std::filesystem::path& pdf);

// The number of slides LibreOffice finds in a presentation (through PDF); -1 when it cannot open it.
int SlidesSeenByLibreOffice(const std::filesystem::path& presentation);

// This machine's host name, as LibreOffice writes it into its lock files.
std::string LocalHostName();

// A lock file line as LibreOffice writes it for this account on `host`.
std::string OfficeLockLine(const std::string& host);

}  // namespace velmora::testing
