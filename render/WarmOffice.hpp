#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "render/ChildProcess.hpp"

namespace velmora::render {

struct WarmAnswer {
    enum class Kind {
        Converted,
        Refused,      // LibreOffice answered that it cannot convert the document
        Unavailable,  // no instance, or it died or overran: convert another way
    };
    Kind kind = Kind::Unavailable;
    std::string message;
};

// One LibreOffice kept running in our helper program (velmora-office) for
// callers that convert many times, so that only the first conversion pays
// its start. An instance that dies or overruns is stopped with its whole
// process group; the next conversion starts a fresh one.
class WarmOffice {
public:
    // `installFolder` holds LibreOffice's libraries; `limits` apply to each
    // conversion, an instance's start included.
    WarmOffice(std::filesystem::path helper, std::filesystem::path installFolder, std::string profileUrl,
               ChildLimits limits);
    ~WarmOffice();
    WarmOffice(const WarmOffice&) = delete;
    WarmOffice& operator=(const WarmOffice&) = delete;

    // Converts between file URLs; `format` is a file extension such as "pdf",
    // `options` the export filter's options.
    WarmAnswer Convert(const std::string& inputUrl, const std::string& outputUrl, const std::string& format,
                       const std::string& options);
    // Instances started so far. After a failed start none is tried again.
    int Starts() const { return starts_; }

    // The helper program that ships with us; empty when it is missing.
    static std::filesystem::path Helper();

private:
    bool Running(std::chrono::steady_clock::time_point deadline);
    WarmAnswer Unavailable(const std::string& why);

    std::filesystem::path helper_;
    std::filesystem::path installFolder_;
    std::string profileUrl_;
    ChildLimits limits_;
    std::unique_ptr<RunningChild> child_;
    int starts_ = 0;
    bool cannotStart_ = false;
};

}  // namespace velmora::render
