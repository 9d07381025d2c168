#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.hpp"
#include "host/Services.hpp"

namespace velmora::testing {

// One picture export the tool asked the host for.
struct ExportCall {
    int slide = 0;  // 0 for the whole presentation
    std::filesystem::path path;
    std::string filter;
    int width = 0;
    int height = 0;

    bool operator==(const ExportCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ExportCall& call);

// What the recording host shows the tool: one presentation in one window.
struct RecordedDeck {
    std::string path;  // "" for a presentation never saved
    std::string name = "deck.pptx";
    float slideWidth = 720;
    float slideHeight = 540;
    int slideCount = 10;
    std::optional<std::vector<int>> selectedSlides;  // nothing: reading the selection fails
    std::vector<ExportCall> exports;
};

// A host whose exports are recorded instead of rendered, so that the picture
// tools' choices (paths, filters, pixel boxes, order) can be checked without
// a renderer. Members the tools do not use raise the host error.
std::shared_ptr<host::Application> CreateRecordingHost(std::shared_ptr<RecordedDeck> deck);

// A shell that remembers the folders it was asked to show, or fails.
class RecordingShell : public host::Shell {
public:
    explicit RecordingShell(bool fails = false) : fails_(fails) {}

    void OpenAddress(const std::string& address) override;
    void ShowFolder(const std::filesystem::path& folder) override;

    std::vector<std::filesystem::path> shown;

private:
    bool fails_;
};

}  // namespace velmora::testing
