#include "tests/support/LibreOffice.hpp"

#include <array>
#include <regex>

#include <pwd.h>
#include <unistd.h>

#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

std::optional<std::filesystem::path> ConvertWithLibreOffice(const std::filesystem::path& input,
                                                            const std::string& format,
                                                            const std::filesystem::path& outDir)
{
    TempDir profile;
    const ProcessResult run = RunProcess({"soffice", "--headless", "--norestore",
                                          "-env:UserInstallation=file://" + profile.path().string(), "--convert-to",
                                          format, "--outdir", outDir.string(), input.string()},
                                         std::chrono::seconds(180));
    auto output = outDir / input.stem();
    output += "." + format;
    if (run.status != 0 || !std::filesystem::exists(output)) {
        return std::nullopt;
    }
    return output;
}

int PdfPageCount(const std::filesystem::path& pdf)
{
    const ProcessResult run = RunProcess({"pdfinfo", pdf.string()});
    std::smatch match;
    static const std::regex pages(R"(Pages:\s+(\d+))");
    if (run.status != 0 || !std::regex_search(run.out, match, pages)) {
        return -1;
    }
    return std::stoi(match[1]);
}

int SlidesSeenByLibreOffice(const std::filesystem::path& presentation)
{
    TempDir out;
    const auto pdf = ConvertWithLibreOffice(presentation, "pdf", out.path());
    return pdf ? PdfPageCount(*pdf) : -1;
}

std::string LocalHostName()
{
    std::array<char, 256> name{};
    ::gethostname(name.data(), name.size() - 1);
    return name.data();
}

std::string OfficeLockLine(const std::string& host)
{
    const passwd* account = ::getpwuid(::getuid());
    return "One\\, Some," + std::string(account != nullptr ? account->pw_name : "") + "," + host +
           ",01.01.2024 10:00,file:///home/x/.config/libreoffice/4;";
}

}  // namespace velmora::testing
