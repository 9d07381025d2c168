#include "render/WarmOffice.hpp"

#include <system_error>
#include <utility>

#include "platform/Companion.hpp"

namespace velmora::render {

namespace {

constexpr const char* kHelperName = "velmora-office";
constexpr const char* kRefusal = "error ";

// The helper reads one line per field.
bool FitsOnALine(const std::string& field)
{
    return field.find('\n') == std::string::npos && field.find('\r') == std::string::npos;
}

}  // namespace

std::filesystem::path WarmOffice::Helper()
{
    std::error_code ignored;
    for (const std::filesystem::path& candidate : platform::CompanionCandidates(kHelperName, VELMORA_OFFICE_HELPER)) {
        if (std::filesystem::is_regular_file(candidate, ignored)) {
            return candidate;
        }
    }
    return {};
}

WarmOffice::WarmOffice(std::filesystem::path helper, std::filesystem::path installFolder, std::string profileUrl,
                       ChildLimits limits)
    : helper_(std::move(helper)), installFolder_(std::move(installFolder)), profileUrl_(std::move(profileUrl)),
      limits_(std::move(limits))
{
}

WarmOffice::~WarmOffice() = default;

WarmAnswer WarmOffice::Unavailable(const std::string& why)
{
    child_.reset();
    return {WarmAnswer::Kind::Unavailable, why};
}

bool WarmOffice::Running(std::chrono::steady_clock::time_point deadline)
{
    // One killed or crashed since the last conversion is replaced at once.
    if (child_ && !child_->Ended()) {
        return true;
    }
    child_.reset();
    // One that cannot start once will not start later either.
    if (cannotStart_ || helper_.empty() || installFolder_.empty()) {
        return false;
    }
    try {
        child_ = std::make_unique<RunningChild>(
            std::vector<std::string>{helper_.string(), installFolder_.string(), profileUrl_}, limits_);
    } catch (const std::system_error&) {
        cannotStart_ = true;
        return false;
    }
    if (child_->ReadLine(deadline) != "ready") {
        child_.reset();
        cannotStart_ = true;
        return false;
    }
    ++starts_;
    return true;
}

WarmAnswer WarmOffice::Convert(const std::string& inputUrl, const std::string& outputUrl, const std::string& format,
                               const std::string& options)
{
    for (const std::string* field : {&inputUrl, &outputUrl, &format, &options}) {
        if (!FitsOnALine(*field)) {
            return {WarmAnswer::Kind::Unavailable, "a request field spans lines"};
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + limits_.time;
    if (!Running(deadline)) {
        return Unavailable("LibreOffice could not be started in " + helper_.string());
    }
    if (!child_->Send("convert\n" + inputUrl + "\n" + outputUrl + "\n" + format + "\n" + options + "\n")) {
        return Unavailable("LibreOffice is gone");
    }
    const std::optional<std::string> answer = child_->ReadLine(deadline);
    if (!answer) {
        return Unavailable("LibreOffice ended or overran");
    }
    if (*answer == "ok") {
        return {WarmAnswer::Kind::Converted, {}};
    }
    if (answer->starts_with(kRefusal)) {
        return {WarmAnswer::Kind::Refused, answer->substr(std::string(kRefusal).size())};
    }
    return Unavailable("LibreOffice answered " + *answer);
}

}  // namespace velmora::render
