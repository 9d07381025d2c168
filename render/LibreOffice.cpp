#include "render/LibreOffice.hpp"

#include <cctype>
#include <cstdio>
#include <system_error>
#include <utility>
#include <vector>

#include "render/ChildProcess.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

const std::string LibreOffice::kPdfOfAllSlides =
    R"(pdf:impress_pdf_Export:{"ExportHiddenSlides":{"type":"boolean","value":"true"}})";

namespace {

const char* const kInstallHint =
    "LibreOffice (soffice) is needed to render slides: apt-get install libreoffice-impress-nogui";

std::string FileUrl(const std::filesystem::path& path)
{
    std::string url = "file://";
    for (const unsigned char c : path.string()) {
        const bool plain = std::isalnum(c) != 0 || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        }
    }
    return url;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.pop_back();
    }
    return text;
}

std::string TargetExtension(const std::string& target)
{
    return target.substr(0, target.find(':'));
}

// Moves a finished file out of the work folder, which may sit on another file system.
void MoveFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(from);
    }
}

}  // namespace

LibreOffice::LibreOffice(std::filesystem::path program, std::filesystem::path workFolder,
                         std::chrono::seconds timeLimit)
    : program_(std::move(program)), work_(std::move(workFolder)), timeLimit_(timeLimit)
{
}

void LibreOffice::Convert(const std::filesystem::path& input, const std::string& target,
                          const std::filesystem::path& output)
{
    const std::string description = input.filename().string() + " to " + TargetExtension(target);
    const std::filesystem::path job = work_ / ("job" + std::to_string(++jobs_));
    // A plain ASCII copy: LibreOffice decodes its arguments by the locale, and
    // the caller may change its file while we convert.
    const std::filesystem::path staged = job / ("slides" + input.extension().string());
    try {
        std::filesystem::create_directory(job);
        std::filesystem::copy_file(input, staged);
    } catch (const std::filesystem::filesystem_error& error) {
        throw RenderError("cannot read " + input.string() + ": " + error.code().message());
    }

    ChildResult run;
    try {
        run = RunChild({program_.string(), "--headless", "--norestore", "--nolockcheck",
                        "-env:UserInstallation=" + FileUrl(work_ / "profile"), "--convert-to", target, "--outdir",
                        job.string(), staged.string()},
                       timeLimit_);
    } catch (const std::system_error& error) {
        throw RenderError(std::string(kInstallHint) + " (" + error.what() + ")");
    }

    const std::filesystem::path converted = job / ("slides." + TargetExtension(target));
    if (run.timedOut) {
        throw RenderError("LibreOffice did not convert " + description + " within " +
                          std::to_string(timeLimit_.count()) + " s");
    }
    if (run.status != 0 || !std::filesystem::exists(converted)) {
        throw RenderError("LibreOffice could not convert " + description + ": " + Trimmed(run.output));
    }
    try {
        MoveFile(converted, output);
        std::filesystem::remove_all(job);
    } catch (const std::filesystem::filesystem_error& error) {
        throw RenderError("cannot write " + output.string() + ": " + error.code().message());
    }
}

}  // namespace velmora::render
