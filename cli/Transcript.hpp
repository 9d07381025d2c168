#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ScriptedPrompts.hpp"

namespace velmora::cli {

// What one `velmora run` did, for the --json transcript.
struct RunReport {
    std::string command;
    std::filesystem::path file;
    std::vector<platform::PromptRecord> prompts;
    std::vector<std::filesystem::path> filesWritten;
    std::vector<std::string> opened;  // web and mail addresses handed to the desktop
    int exitStatus = 0;
    std::string error;  // empty when the command ran to its end
};

// One JSON object: the command and file, the messages shown (message boxes
// and questions, in order), the answers used by kind, the files written,
// the addresses opened, the exit status and the error, if any.
std::string TranscriptJson(const RunReport& report);

}  // namespace velmora::cli
