#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/Application.hpp"
#include "host/Services.hpp"
#include "render/RenderObserver.hpp"

namespace velmora::pptx {

// The document host: the presentation object model over .pptx files.
std::shared_ptr<host::Application> CreateDocumentHost(host::Services services, std::string version = "14.0");

// Tells `observer` (which must outlive the host's pictures) how picture jobs
// go; null tells nobody. Before the first picture only.
void SetRenderObserver(host::Application& application, render::RenderObserver* observer);

// Keeps one LibreOffice running between the host's picture jobs, for a host
// that lives long or works through many files. Before the first picture only.
void KeepOfficeRunning(host::Application& application);

// Names the file a batch runs next, so that LibreOffice converts it while
// this file's slides are drawn. Only with KeepOfficeRunning.
void ExpectNextFile(host::Application& application, const std::filesystem::path& file);

// Window control for the command line and the tests: what a user does with
// the mouse before pressing a command.
void ShowSlide(host::DocumentWindow& window, int slideIndex);
void SelectSlides(host::DocumentWindow& window, const std::vector<int>& slideIndexes);
void SelectShapes(host::DocumentWindow& window, int slideIndex, const std::vector<std::string>& shapeNames);
void SelectText(host::DocumentWindow& window, int slideIndex, const std::string& shapeName);
void ClearSelection(host::DocumentWindow& window);

// Counts the presentation's changes, so that a window can tell when to draw
// its slides again.
std::uint64_t Revision(host::Presentation& presentation);

// What a presentation holds at one moment, for undoing what came after.
// States share the contents they have in common with each other.
class KeptState;
std::shared_ptr<const KeptState> KeepState(host::Presentation& presentation);
// Puts `state` back as a change of the presentation; its window keeps the
// slide shown but loses its selection.
void RestoreState(host::Presentation& presentation, const KeptState& state);
// The bytes `state` holds that `older` does not share with it.
std::size_t KeptBytes(const KeptState& state, const KeptState* older);

}  // namespace velmora::pptx
