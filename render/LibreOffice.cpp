#include "render/LibreOffice.hpp"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/HostSteps.hpp"
#include "render/ChildProcess.hpp"
#include "render/FontConfiguration.hpp"
#include "render/OfficeProfile.hpp"
#include "render/RenderError.hpp"
#include "render/WarmOffice.hpp"

namespace velmora::render {

const std::string LibreOffice::kPdfOfAllSlides =
    R"(pdf:impress_pdf_Export:{"ExportHiddenSlides":{"type":"boolean","value":"true"}})";

namespace {

const char* const kInstallHint =
    "LibreOffice (soffice) is needed to render slides: apt-get install libreoffice-impress-nogui";
// Nothing listens on the discard port: any fetch LibreOffice tries fails at once.
const char* const kNowhere = "http://127.0.0.1:9";

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

std::string TargetExtension(const std::string& target)
{
    return target.substr(0, target.find(':'));
}

// The export filter's options of a target "ext:filter:options"; empty without.
std::string TargetOptions(const std::string& target)
{
    const std::size_t filter = target.find(':');
    const std::size_t options = filter == std::string::npos ? filter : target.find(':', filter + 1);
    return options == std::string::npos ? std::string() : target.substr(options + 1);
}

// The folder of LibreOffice's libraries, beside its real program; empty when
// the program is not found.
std::filesystem::path InstallFolder(const std::filesystem::path& program)
{
    std::error_code error;
    try {
        const std::filesystem::path real = std::filesystem::canonical(FindProgram(program.string()), error);
        return error ? std::filesystem::path() : real.parent_path();
    } catch (const std::system_error&) {
        return {};
    }
}

// LibreOffice's own error lines ("Error: source file could not be loaded");
// the rest of its output is start-up noise unrelated to the conversion.
std::string ErrorLines(const std::string& output)
{
    std::istringstream lines(output);
    std::string line;
    std::string errors;
    while (std::getline(lines, line)) {
        if (line.find("Error") != std::string::npos || line.find("error") != std::string::npos) {
            errors += (errors.empty() ? "" : "; ") + line;
        }
    }
    return errors;
}

std::string MiB(std::uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
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
    : LibreOffice(OfficeSettings{.program = std::move(program), .timeLimit = timeLimit}, std::move(workFolder))
{
}

LibreOffice::LibreOffice(OfficeSettings settings, std::filesystem::path workFolder)
    : settings_(std::move(settings)), work_(std::move(workFolder))
{
    try {
        profile_ = std::make_unique<OfficeProfile>(settings_.profileCache, work_, InstallFolder(settings_.program));
        fontConfiguration_ = WriteFontConfiguration(work_);
        std::filesystem::create_directory(OwnTemporaryFolder());
    } catch (const std::exception& error) {
        throw RenderError(std::string("cannot prepare LibreOffice in ") + work_.string() + ": " + error.what());
    }
}

LibreOffice::~LibreOffice() = default;

// LibreOffice's own temporary files go with our folder, even when it is killed.
std::filesystem::path LibreOffice::OwnTemporaryFolder() const
{
    return work_ / "tmp";
}

int LibreOffice::Starts() const
{
    return runs_ + (warm_ ? warm_->Starts() : 0);
}

ChildLimits LibreOffice::Limits() const
{
    return ChildLimits{
        .time = settings_.timeLimit,
        .addressSpace = settings_.memoryLimit,
        .environment = {{"FONTCONFIG_FILE", fontConfiguration_.string()},
                        {"TMPDIR", OwnTemporaryFolder().string()},
                        {"http_proxy", kNowhere},
                        {"https_proxy", kNowhere},
                        {"HTTP_PROXY", kNowhere},
                        {"HTTPS_PROXY", kNowhere},
                        {"no_proxy", ""},
                        {"NO_PROXY", ""}},
    };
}

std::string LibreOffice::Describe(const std::filesystem::path& input, const std::string& target) const
{
    return input.filename().string() + " to " + TargetExtension(target);
}

void LibreOffice::Convert(const std::filesystem::path& input, const std::string& target,
                          const std::filesystem::path& output)
{
    const std::string description = Describe(input, target);
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

    const std::filesystem::path converted = job / ("slides." + TargetExtension(target));
    if (!ConvertWarm(staged, target, converted, description)) {
        ConvertOnce(staged, target, job, description);
    }
    try {
        MoveFile(converted, output);
        std::filesystem::remove_all(job);
    } catch (const std::filesystem::filesystem_error& error) {
        throw RenderError("cannot write " + output.string() + ": " + error.code().message());
    }
}

bool LibreOffice::ConvertWarm(const std::filesystem::path& staged, const std::string& target,
                              const std::filesystem::path& converted, const std::string& description)
{
    if (!settings_.keepRunning || TargetExtension(target) != "pdf") {
        return false;
    }
    if (!warm_) {
        warm_ = std::make_unique<WarmOffice>(WarmOffice::Helper(), InstallFolder(settings_.program),
                                             FileUrl(profile_->Path()), Limits());
    }
    const WarmAnswer answer = warm_->Convert(FileUrl(staged), FileUrl(converted), "pdf", TargetOptions(target));
    if (answer.kind == WarmAnswer::Kind::Refused) {
        throw RenderError("LibreOffice could not convert " + description + ": " + answer.message);
    }
    if (answer.kind == WarmAnswer::Kind::Converted && std::filesystem::exists(converted)) {
        return true;
    }
    // A file left half written by an instance that died must not pass for the result.
    std::error_code ignored;
    std::filesystem::remove(converted, ignored);
    platform::ReportStep("the kept LibreOffice failed (" + answer.message + "); converting with a run of its own");
    return false;
}

void LibreOffice::ConvertOnce(const std::filesystem::path& staged, const std::string& target,
                              const std::filesystem::path& job, const std::string& description)
{
    ChildResult run;
    ++runs_;
    try {
        run = RunChild({settings_.program.string(), "--headless", "--norestore", "--nolockcheck",
                        "-env:UserInstallation=" + FileUrl(profile_->Path()), "--convert-to", target, "--outdir",
                        job.string(), staged.string()},
                       Limits());
    } catch (const std::system_error& error) {
        throw RenderError(std::string(kInstallHint) + " (" + error.what() + ")");
    }

    const std::filesystem::path converted = job / ("slides." + TargetExtension(target));
    if (run.timedOut) {
        throw RenderError("LibreOffice did not convert " + description + " within " +
                          std::to_string(settings_.timeLimit.count()) + " s and was stopped");
    }
    if (run.signal != 0) {
        throw RenderError("LibreOffice died (" + std::string(strsignal(run.signal)) + ") while converting " +
                          description + "; it may have needed more than its " + MiB(settings_.memoryLimit) +
                          " of memory");
    }
    if (run.status != 0 || !std::filesystem::exists(converted)) {
        const std::string errors = ErrorLines(run.output);
        throw RenderError("LibreOffice could not convert " + description +
                          (errors.empty() ? " (exit status " + std::to_string(run.status) + ")" : ": " + errors));
    }
}

}  // namespace velmora::render
