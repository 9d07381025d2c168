#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "render/RenderObserver.hpp"

namespace velmora::cli {

// Progress of picture jobs on a terminal, redrawn in place on one line:
// "LibreOffice is converting the slides... 3 s" while it works, counting
// the seconds, then "picture 5/24". Only for a terminal: logs and pipes
// stay clean. Fonts drawn in a fallback face are named among the host's
// steps, which -v shows.
class TerminalProgress : public render::RenderObserver {
public:
    // Shows nothing when `terminal` is null.
    explicit TerminalProgress(std::FILE* terminal);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // stderr when it is a terminal, else null.
    static std::FILE* Terminal();

    void ConversionStarted() override;
    void ConversionFinished(bool converted) override;
    void SlidesDrawn(int done, int total) override;
    void FontsSubstituted(const std::vector<render::FontSubstitution>& substitutions) override;

private:
    void Tick();
    void StopTicking();
    void Draw(const std::string& line);

    std::FILE* terminal_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::thread ticker_;
    bool converting_ = false;
    bool lineOpen_ = false;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace velmora::cli
