#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.hpp"
#include "tests/publish/PublishFixture.hpp"
#include "tests/support/Decks.hpp"

namespace velmora::testing {

// PublishTest with a real document host: decks built on disk and opened as
// the user's active presentation.
class DeckTest : public PublishTest {
protected:
    std::filesystem::path deck(const std::string& name = "deck.pptx") const { return dir_ / name; }

    // A deck of `count` numbered 720 x 540 point slides, saved as deck.pptx
    // and opened in a window of a host of `version`.
    host::Presentation& OpenDeck(int count, const std::string& version = "14.0");
    // The same host with an untitled, never saved presentation in front.
    host::Presentation& OpenUntitled();

    // Entries of the test folder named "tmp" and a number.
    std::vector<std::filesystem::path> TemporaryFolders() const;
    // The bytes of the picture on slide `slide` of a saved presentation.
    static std::string SlidePicture(const std::filesystem::path& presentation, int slide);
    static std::string ReadBytes(const std::filesystem::path& file);
    // The picture shapes of a slide.
    static std::vector<host::Ref<host::Shape>> Pictures(host::Slide& slide);

    DeckHost decks_;
    std::shared_ptr<host::Application> application_;
};

}  // namespace velmora::testing
