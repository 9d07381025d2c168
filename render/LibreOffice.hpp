#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace velmora::render {

class OfficeProfile;
class WarmOffice;
struct ChildLimits;

// Enough for a deck of hundreds of picture-heavy slides; a converter gone
// astray stops here instead of taking the machine's memory.
constexpr std::uint64_t kOfficeMemoryLimit = std::uint64_t{4} << 30;

struct OfficeSettings {
    std::filesystem::path program = "soffice";
    std::chrono::seconds timeLimit{180};
    std::uint64_t memoryLimit = kOfficeMemoryLimit;  // address space of each of its processes
    // Where the profile is kept between runs; empty for a fresh one per object.
    std::filesystem::path profileCache{};
    // Keeps one instance running between PDF conversions, for callers that
    // convert many times; any failure of it falls back to a run per conversion.
    bool keepRunning = false;
};

// Headless LibreOffice, one conversion per run or, when asked, PDF
// conversions through an instance kept running; with our font configuration
// and with linked content kept off the network either way.
class LibreOffice {
public:
    // `workFolder` must exist and belong to this object alone: it keeps the
    // conversions and, without a profile cache, the profile.
    LibreOffice(std::filesystem::path program, std::filesystem::path workFolder, std::chrono::seconds timeLimit);
    LibreOffice(OfficeSettings settings, std::filesystem::path workFolder);
    ~LibreOffice();
    LibreOffice(const LibreOffice&) = delete;
    LibreOffice& operator=(const LibreOffice&) = delete;

    // Converts `input` with a --convert-to target such as "pptx", "emf" or
    // "pdf:impress_pdf_Export:{...}" and moves the result to `output`.
    // Raises RenderError when LibreOffice is missing, fails or overruns.
    void Convert(const std::filesystem::path& input, const std::string& target, const std::filesystem::path& output);

    // The target that turns every slide into one PDF page, hidden slides too,
    // so that page numbers are slide numbers.
    static const std::string kPdfOfAllSlides;

    // Times LibreOffice was started so far.
    int Starts() const;

private:
    std::filesystem::path OwnTemporaryFolder() const;
    std::string Describe(const std::filesystem::path& input, const std::string& target) const;
    ChildLimits Limits() const;
    // Whether the kept instance converted; raises RenderError when it refused.
    bool ConvertWarm(const std::filesystem::path& staged, const std::string& target,
                     const std::filesystem::path& converted, const std::string& description);
    void ConvertOnce(const std::filesystem::path& staged, const std::string& target, const std::filesystem::path& job,
                     const std::string& description);

    OfficeSettings settings_;
    std::filesystem::path work_;
    std::unique_ptr<OfficeProfile> profile_;
    std::filesystem::path fontConfiguration_;
    std::unique_ptr<WarmOffice> warm_;
    int jobs_ = 0;
    int runs_ = 0;
};

}  // namespace velmora::render
