#pragma once

#include <memory>
#include <string>

#include "pptx/package/Package.hpp"

// The parts of a new presentation, written by the host itself: one master
// with its theme and the layouts title, obj, titleOnly and blank, 720 x 540
// points, no slides; and the pieces added later (notes, tags).
namespace velmora::pptx::parts::templates {

std::unique_ptr<package::Package> NewPresentation();

std::string Theme();
std::string NotesMaster();
// A notes slide with the slide image and an empty body placeholder.
std::string NotesSlide();
// A slide with an empty shape tree.
std::string Slide();
std::string Tags();

}  // namespace velmora::pptx::parts::templates
