#include "platform/HostSteps.hpp"

#include <mutex>

namespace velmora::platform {

namespace {

// Steps may come from the renderer's worker threads.
std::mutex& SinkLock()
{
    static std::mutex lock;
    return lock;
}

StepSink& Sink()
{
    static StepSink sink;
    return sink;
}

bool& Wanted()
{
    static bool wanted = false;
    return wanted;
}

}  // namespace

void SetStepSink(StepSink sink)
{
    const std::scoped_lock guard(SinkLock());
    Wanted() = static_cast<bool>(sink);
    Sink() = std::move(sink);
}

bool StepsWanted()
{
    return Wanted();
}

void ReportStep(const std::string& step)
{
    const std::scoped_lock guard(SinkLock());
    if (Sink()) {
        Sink()(step);
    }
}

}  // namespace velmora::platform
