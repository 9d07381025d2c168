#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.hpp"

namespace velmora::testing {

struct SlideSpec {
    std::string title;
    std::string notes;    // "" leaves the slide without notes
    int effects = 0;      // entrance effects on the title, one click each
    bool transition = false;
    std::vector<std::pair<std::string, std::string>> tags;
};

// Builds and reads decks through the document host, as a user's program would.
class DeckHost {
public:
    DeckHost();

    host::Application& app() { return *app_; }
    void Build(const std::filesystem::path& file, const std::vector<SlideSpec>& slides);
    // Slides with titles "1".."count" and notes "N1".."Ncount".
    void BuildNumbered(const std::filesystem::path& file, int count, int effectsPerSlide = 0);
    host::Ref<host::Presentation> Open(const std::filesystem::path& file);
    // Opened as the user's active presentation, in a window.
    host::Ref<host::Presentation> OpenInWindow(const std::filesystem::path& file);

    static std::string Notes(host::Slide& slide);
    static std::string Title(host::Slide& slide);
    // Titles of all slides, in order.
    static std::vector<std::string> Titles(host::Presentation& presentation);

private:
    std::shared_ptr<host::Application> app_;
};

}  // namespace velmora::testing
