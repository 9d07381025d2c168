#pragma once

#include <vector>

#include <pugixml.hpp>

// The animations of a slide (<p:timing>). The main sequence is the <p:cTn>
// with nodeType "mainSeq"; its effects are the <p:cTn> elements that carry a
// presetClass, in document order. Interactive sequences are left alone.
namespace velmora::pptx::parts::timing {

enum class Entrance { Appear, Fade, Fly };

// The main sequence's <p:cTn>; an empty node when the slide has none.
pugi::xml_node MainSequence(pugi::xml_node slide);
// The effects' <p:cTn> elements under `sequence`.
std::vector<pugi::xml_node> Effects(pugi::xml_node sequence);
int InteractiveSequenceCount(pugi::xml_node slide);

// Removes one effect, then whatever that leaves empty or unused: its click
// and with groups, build entries of shapes no effect animates any more, the
// main sequence when it has no effect left and the timing when nothing remains.
void DeleteEffect(pugi::xml_node slide, pugi::xml_node effect);
// Removes every effect on the shape, in every sequence.
void DeleteEffectsOn(pugi::xml_node slide, unsigned shapeId);
// Appends an entrance effect on its own click to the main sequence, making
// the timing when the slide has none; returns the effect's <p:cTn>.
// `buildsText` adds the build entry the presentation program keeps for shapes with text.
pugi::xml_node AddEntrance(pugi::xml_node slide, unsigned shapeId, Entrance kind, bool buildsText);

}  // namespace velmora::pptx::parts::timing
