#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace velmora::render {

// Headless LibreOffice with a profile of its own, one conversion per run.
class LibreOffice {
public:
    // `workFolder` must exist and belong to this object alone: it keeps the
    // profile (made on the first run, reused after) and the conversions.
    LibreOffice(std::filesystem::path program, std::filesystem::path workFolder, std::chrono::seconds timeLimit);

    // Converts `input` with a --convert-to target such as "pptx", "emf" or
    // "pdf:impress_pdf_Export:{...}" and moves the result to `output`.
    // Raises RenderError when LibreOffice is missing, fails or overruns.
    void Convert(const std::filesystem::path& input, const std::string& target, const std::filesystem::path& output);

    // The target that turns every slide into one PDF page, hidden slides too,
    // so that page numbers are slide numbers.
    static const std::string kPdfOfAllSlides;

private:
    std::filesystem::path program_;
    std::filesystem::path work_;
    std::chrono::seconds timeLimit_;
    int jobs_ = 0;
};

}  // namespace velmora::render
