#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/Host.hpp"
#include "host/Prompts.hpp"
#include "host/Services.hpp"

// Decks made through the document host, for the document tests.
namespace velmora::testing {

std::shared_ptr<host::Application> NewHost(host::Services services = {});

// A saved deck of `slides` title slides whose titles read "Slide N".
std::filesystem::path SaveTitledDeck(const std::filesystem::path& file, int slides);

// The text of the notes body placeholder of a slide.
std::string NotesText(host::Slide& slide);
void SetNotesText(host::Slide& slide, const std::string& text);
std::string TitleText(host::Slide& slide);

// A small valid PNG of the given size, written to `file`.
void WritePng(const std::filesystem::path& file, int width, int height);

}  // namespace velmora::testing
