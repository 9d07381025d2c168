#pragma once

#include <string>
#include <vector>

namespace velmora::bench {

struct ProcessRun {
    double milliseconds = 0;
    // User and system time: on a busy machine it tells more than the wall time.
    double cpuMilliseconds = 0;
    double peakMiB = 0;
    int status = 0;
};

// Runs a program (args[0], a path) with its standard output discarded, once
// the disk has written what earlier runs left, and measures its time and
// peak memory; exits the benchmark when it fails, unless `failureExpected`
// (an exit status other than 0 is then reported in `status`).
ProcessRun RunProgram(std::vector<std::string> args, bool failureExpected = false);

// The peak memory of the program's own process, sampled while it runs: the
// kernel's figure for a child counts the programs it starts (LibreOffice)
// too. Exits the benchmark when the program fails.
double OwnPeakMiB(std::vector<std::string> args);

}  // namespace velmora::bench
