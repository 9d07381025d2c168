#include "cli/TerminalProgress.hpp"

#include <sstream>
#include <string>

#include <unistd.h>

#include "platform/HostSteps.hpp"

namespace velmora::cli {

namespace {

constexpr auto kTick = std::chrono::seconds(1);

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* terminal) : terminal_(terminal) {}

TerminalProgress::~TerminalProgress()
{
    StopTicking();
    if (lineOpen_) {
        std::fputc('\n', terminal_);
    }
}

std::FILE* TerminalProgress::Terminal()
{
    return isatty(STDERR_FILENO) != 0 ? stderr : nullptr;
}

void TerminalProgress::ConversionStarted()
{
    if (terminal_ == nullptr) {
        return;
    }
    StopTicking();
    {
        const std::scoped_lock guard(lock_);
        converting_ = true;
        started_ = std::chrono::steady_clock::now();
        Draw("LibreOffice is converting the slides... 0 s");
    }
    ticker_ = std::thread([this] { Tick(); });
}

void TerminalProgress::ConversionFinished(bool converted)
{
    if (terminal_ == nullptr) {
        return;
    }
    StopTicking();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started_;
    std::ostringstream line;
    line.precision(1);
    line << (converted ? "LibreOffice converted the slides in " : "LibreOffice gave up after ") << std::fixed
         << took.count() << " s\n";
    const std::scoped_lock guard(lock_);
    Draw(line.str());
}

void TerminalProgress::SlidesDrawn(int done, int total)
{
    if (terminal_ == nullptr) {
        return;
    }
    const std::scoped_lock guard(lock_);
    Draw("picture " + std::to_string(done) + "/" + std::to_string(total) + (done == total ? "\n" : ""));
}

void TerminalProgress::FontsSubstituted(const std::vector<render::FontSubstitution>& substitutions)
{
    for (const render::FontSubstitution& substitution : substitutions) {
        platform::ReportStep("font \"" + substitution.requested + "\" is drawn in " + substitution.fallback);
    }
}

void TerminalProgress::Tick()
{
    std::unique_lock guard(lock_);
    while (!wake_.wait_for(guard, kTick, [this] { return !converting_; })) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started_);
        Draw("LibreOffice is converting the slides... " + std::to_string(seconds.count()) + " s");
    }
}

void TerminalProgress::StopTicking()
{
    {
        const std::scoped_lock guard(lock_);
        converting_ = false;
    }
    wake_.notify_all();
    if (ticker_.joinable()) {
        ticker_.join();
    }
}

// Called with lock_ held. Each drawing replaces the line shown.
void TerminalProgress::Draw(const std::string& line)
{
    std::fputs(("\r\x1b[K" + line).c_str(), terminal_);
    std::fflush(terminal_);
    lineOpen_ = !line.ends_with('\n');
}

}  // namespace velmora::cli
