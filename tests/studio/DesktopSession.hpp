#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace velmora::studio {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
};

// velmora-studio running on the test's X server, worked with xdotool. The
// studio reports where its controls are through VELMORA_STUDIO_LAYOUT.
class DesktopSession {
public:
    // `environment` is added to the test's own.
    DesktopSession(const std::filesystem::path& folder, const std::filesystem::path& deck,
                   const std::map<std::string, std::string>& environment = {});
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Where a named control is once it shows; fails the test after `limit`.
    ScreenRect WaitFor(const std::string& name, std::chrono::seconds limit = std::chrono::seconds(30)) const;
    bool Shows(const std::string& name) const;
    // The first name shown that starts with `prefix`, once one shows.
    std::string WaitForNameStarting(const std::string& prefix,
                                    std::chrono::seconds limit = std::chrono::seconds(30)) const;
    void WaitGone(const std::string& name, std::chrono::seconds limit = std::chrono::seconds(30)) const;

    void Click(const std::string& name, bool ctrl = false) const;
    // Turns the mouse wheel over `area` (down, or up) until `name` shows.
    void ScrollTo(const std::string& name, const std::string& area, bool up = false) const;
    void Key(const std::string& keys) const;
    void MoveTo(int x, int y) const;
    // What the studio printed, for failure messages.
    std::string Log() const;

private:
    std::map<std::string, ScreenRect> Layout() const;

    std::filesystem::path layout_;
    std::filesystem::path log_;
    pid_t pid_ = -1;
};

}  // namespace velmora::studio
