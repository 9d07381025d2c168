#include "render/DrawingHelper.hpp"

#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "platform/Companion.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

namespace {

constexpr const char* kHelperName = "velmora-draw";
constexpr std::string_view kRefusal = "error ";

std::filesystem::path Program()
{
    std::error_code ignored;
    for (const std::filesystem::path& candidate : platform::CompanionCandidates(kHelperName, VELMORA_DRAW_HELPER)) {
        if (std::filesystem::is_regular_file(candidate, ignored)) {
            return candidate;
        }
    }
    return {};
}

// The helper reads one line per field.
bool FitsOnALine(const std::string& field)
{
    return field.find('\n') == std::string::npos && field.find('\r') == std::string::npos;
}

}  // namespace

DrawingHelper::DrawingHelper(const std::filesystem::path& pdf, std::chrono::milliseconds timeLimit)
    : timeLimit_(timeLimit)
{
    const std::filesystem::path program = Program();
    if (program.empty()) {
        return;
    }
    try {
        child_ = std::make_unique<RunningChild>(std::vector<std::string>{program.string(), pdf.string()}, ChildLimits{});
    } catch (const std::system_error&) {
        return;
    }
    if (child_->ReadLine(std::chrono::steady_clock::now() + timeLimit_) != "ready") {
        child_.reset();
    }
}

DrawingHelper::~DrawingHelper() = default;

bool DrawingHelper::Draw(int index, PixelBox box, PictureFormat format, const std::filesystem::path& file)
{
    if (!FitsOnALine(file.string())) {
        return false;
    }
    const std::string page = "page " + std::to_string(index + 1);
    const std::lock_guard lock(asking_);
    if (!child_->Send(std::to_string(index) + "\n" + std::to_string(box.width) + "\n" + std::to_string(box.height) +
                      "\n" + std::string(PictureFormatTag(format)) + "\n" + file.string() + "\n")) {
        throw RenderError("the drawing helper ended before drawing " + page);
    }
    const std::optional<std::string> answer = child_->ReadLine(std::chrono::steady_clock::now() + timeLimit_);
    if (!answer) {
        throw RenderError("the drawing helper ended or overran while drawing " + page);
    }
    if (answer->starts_with(kRefusal)) {
        throw RenderError(answer->substr(kRefusal.size()));
    }
    if (*answer != "ok") {
        throw RenderError("the drawing helper answered \"" + *answer + "\" to drawing " + page);
    }
    return true;
}

}  // namespace velmora::render
