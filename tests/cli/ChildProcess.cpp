#include "tests/cli/ChildProcess.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace velmora::testing {
namespace {

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ChangedEnvironment(const std::map<std::string, std::string>& changes)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (!changes.contains(text.substr(0, text.find('=')))) {
            entries.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildOutcome RunChild(const std::vector<std::string>& arguments, const std::filesystem::path& scratch,
                      const std::map<std::string, std::string>& environment)
{
    const std::filesystem::path outFile = scratch / "child.out";
    const std::filesystem::path errFile = scratch / "child.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> argv = arguments;
    std::vector<std::string> envp = ChangedEnvironment(environment);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envPointers = Pointers(envp);
    pid_t child = 0;
    const int failed =
        posix_spawn(&child, argvPointers[0], &actions, nullptr, argvPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + arguments.front());
    }
    int wait = 0;
    waitpid(child, &wait, 0);
    ChildOutcome outcome;
    outcome.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    outcome.out = ReadFile(outFile);
    outcome.err = ReadFile(errFile);
    return outcome;
}

}  // namespace velmora::testing
