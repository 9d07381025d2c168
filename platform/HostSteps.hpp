#pragma once

#include <functional>
#include <string>

namespace velmora::platform {

// The host's steps as they happen (parts read and written, programs
// started), for a caller that shows them (`velmora -v`). Reporting is a no-op
// until a sink is set, so the hot paths only pay a test.
using StepSink = std::function<void(const std::string& step)>;

// One sink per process; an empty one stops the reports.
void SetStepSink(StepSink sink);
bool StepsWanted();
void ReportStep(const std::string& step);

}  // namespace velmora::platform
