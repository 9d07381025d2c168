#include "DesktopSession.hpp"

#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "tests/support/Desktop.hpp"
#include "tests/support/Process.hpp"

extern char** environ;

namespace velmora::studio {
namespace {

using namespace std::chrono_literals;
using testing::Xdotool;

std::string Slurp(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

DesktopSession::DesktopSession(const std::filesystem::path& folder, const std::filesystem::path& deck,
                               const std::map<std::string, std::string>& added)
    : layout_(folder / "layout.txt"), log_(folder / "studio.log")
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        if (!added.contains(variable.substr(0, variable.find('=')))) {
            environment.push_back(variable);
        }
    }
    for (const auto& [name, value] : added) {
        environment.push_back(name + "=" + value);
    }
    environment.push_back("VELMORA_STUDIO_LAYOUT=" + layout_.string());
    environment.push_back("VELMORA_SETTINGS=" + (folder / "settings.ini").string());
    std::vector<char*> env;
    for (std::string& entry : environment) {
        env.push_back(entry.data());
    }
    env.push_back(nullptr);
    std::string program = VELMORA_STUDIO;
    std::string file = deck.string();
    std::vector<char*> argv{program.data(), file.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        ADD_FAILURE() << "cannot start " << program;
        pid_ = -1;
    }
}

DesktopSession::~DesktopSession()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

std::map<std::string, ScreenRect> DesktopSession::Layout() const
{
    std::map<std::string, ScreenRect> layout;
    std::istringstream lines(Slurp(layout_));
    std::string line;
    while (std::getline(lines, line)) {
        // "NAME X Y W H": the name may hold blanks, the numbers do not.
        std::size_t end = line.size();
        for (int field = 0; field < 4 && end != std::string::npos && end > 0; ++field) {
            end = line.rfind(' ', end - 1);
        }
        if (end == std::string::npos || end == 0) {
            continue;
        }
        ScreenRect rect;
        std::istringstream numbers(line.substr(end + 1));
        numbers >> rect.x >> rect.y >> rect.width >> rect.height;
        layout[line.substr(0, end)] = rect;
    }
    return layout;
}

bool DesktopSession::Shows(const std::string& name) const
{
    return Layout().contains(name);
}

ScreenRect DesktopSession::WaitFor(const std::string& name, std::chrono::seconds limit) const
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        const auto layout = Layout();
        if (const auto found = layout.find(name); found != layout.end()) {
            return found->second;
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << name << " did not show; the studio said:\n" << Log();
    return {};
}

std::string DesktopSession::WaitForNameStarting(const std::string& prefix, std::chrono::seconds limit) const
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        const auto layout = Layout();
        if (const auto found = layout.lower_bound(prefix); found != layout.end() && found->first.starts_with(prefix)) {
            return found->first;
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << "nothing named " << prefix << "... showed; the studio said:\n" << Log();
    return {};
}

void DesktopSession::WaitGone(const std::string& name, std::chrono::seconds limit) const
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (!Shows(name)) {
            return;
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << name << " did not go away; the studio said:\n" << Log();
}

void DesktopSession::MoveTo(int x, int y) const
{
    Xdotool({"mousemove", std::to_string(x), std::to_string(y)});
}

void DesktopSession::Click(const std::string& name, bool ctrl) const
{
    const ScreenRect rect = WaitFor(name);
    std::vector<std::string> arguments{"mousemove", std::to_string(rect.CentreX()), std::to_string(rect.CentreY())};
    if (ctrl) {
        arguments.insert(arguments.begin(), {"keydown", "ctrl"});
        arguments.insert(arguments.end(), {"click", "1", "keyup", "ctrl"});
    } else {
        arguments.insert(arguments.end(), {"click", "1"});
    }
    Xdotool(arguments);
    // Qt reads the pointer's enter and the click as separate events; give
    // it a moment before the next step looks at the result.
    std::this_thread::sleep_for(150ms);
}

void DesktopSession::ScrollTo(const std::string& name, const std::string& area, bool up) const
{
    const ScreenRect rect = WaitFor(area);
    for (int turn = 0; turn < 40 && !Shows(name); ++turn) {
        Xdotool({"mousemove", std::to_string(rect.CentreX()), std::to_string(rect.CentreY()), "click", up ? "4" : "5"});
        std::this_thread::sleep_for(100ms);
    }
}

void DesktopSession::Key(const std::string& keys) const
{
    Xdotool({"key", keys});
}

std::string DesktopSession::Log() const
{
    return Slurp(log_);
}


}  // namespace velmora::studio
