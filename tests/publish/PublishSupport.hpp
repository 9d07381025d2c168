#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "host/Host.hpp"
#include "tests/support/Decks.hpp"

namespace velmora::testing {

// A deck of `count` numbered slides of the given size in points, saved as `file`.
void BuildDeck(DeckHost& decks, const std::filesystem::path& file, int count, float width = 720,
               float height = 540);

// A stand-in for the desktop's folder opener: a script that appends the
// folder it is given to a log, so that a test sees what the user was shown
// without a desktop starting.
class FolderOpener {
public:
    // Writes the script as `folder`/`name`.
    FolderOpener(const std::filesystem::path& folder, const std::string& name);

    const std::filesystem::path& program() const { return program_; }
    // The folders shown so far, waiting a little for `expected` of them: the
    // opener runs on its own, not waited for.
    std::vector<std::filesystem::path> Shown(std::size_t expected = 0) const;

private:
    std::filesystem::path program_;
    std::filesystem::path log_;
};

// The names of the entries made in a folder (or renamed into it) from now
// on, in the order they came, even those removed again since.
class FolderWatch {
public:
    explicit FolderWatch(const std::filesystem::path& folder);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    std::vector<std::string> Created();

private:
    int fd_;
};

struct PixelSize {
    int width = 0;
    int height = 0;

    bool operator==(const PixelSize&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PixelSize& size);

PixelSize SizeOfFile(const std::filesystem::path& picture);
PixelSize SizeOfBytes(const std::string& picture);
// Mean difference of two pictures of one size, 0 for the same picture.
double PictureDistance(const std::string& picture, const std::string& other);

std::string ReadBytes(const std::filesystem::path& file);
// The file names of a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);
// Entries of `folder` named "tmp" and a number, the album copy's leftovers.
std::vector<std::filesystem::path> TemporaryFolders(const std::filesystem::path& folder);

// The bytes of the picture on slide `slide` of a saved presentation.
std::string SlidePicture(const std::filesystem::path& presentation, int slide);
// The picture shapes of a slide.
std::vector<host::Ref<host::Shape>> PictureShapes(host::Slide& slide);

}  // namespace velmora::testing
