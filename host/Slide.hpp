#pragma once

#include <filesystem>
#include <string>

#include "host/Forward.hpp"

namespace velmora::host {

// Names are compared without regard to case; Item of a missing name is "".
class Tags {
public:
    virtual ~Tags() = default;
    virtual int Count() const = 0;
    virtual std::string Name(int index) const = 0;
    virtual std::string Value(int index) const = 0;
    virtual std::string Item(const std::string& name) const = 0;
    virtual void Add(const std::string& name, const std::string& value) = 0;
    virtual void Delete(const std::string& name) = 0;
};

class Effect {
public:
    virtual ~Effect() = default;
    virtual int Index() const = 0;
    virtual void Delete() = 0;
};

namespace EffectType {
inline constexpr int Appear = 1;
inline constexpr int Fade = 10;
inline constexpr int Fly = 2;
}  // namespace EffectType

class Sequence {
public:
    virtual ~Sequence() = default;
    virtual int Count() const = 0;
    virtual Ref<Effect> Item(int index) = 0;
    // A new entrance effect on its own click, at the end of the sequence.
    virtual Ref<Effect> AddEffect(const Ref<Shape>& shape, int effectType) = 0;
};

class TimeLine {
public:
    virtual ~TimeLine() = default;
    virtual Ref<Sequence> MainSequence() = 0;
    // Sequences started by clicking a shape; never touched by MainSequence.
    virtual int InteractiveSequenceCount() const = 0;
};

namespace EntryEffect {
inline constexpr int None = 0;
inline constexpr int Fade = 1793;
inline constexpr int Push = 3852;
}  // namespace EntryEffect

class SlideShowTransition {
public:
    virtual ~SlideShowTransition() = default;
    virtual int EntryEffect() const = 0;
    virtual void SetEntryEffect(int value) = 0;
};

class NotesPage {
public:
    virtual ~NotesPage() = default;
    virtual Ref<host::Shapes> Shapes() = 0;
};

class Slide {
public:
    virtual ~Slide() = default;
    virtual int SlideIndex() const = 0;
    virtual int SlideID() const = 0;
    virtual Ref<host::Shapes> Shapes() = 0;
    virtual Ref<host::NotesPage> NotesPage() = 0;
    virtual Ref<host::TimeLine> TimeLine() = 0;
    virtual Ref<host::SlideShowTransition> SlideShowTransition() = 0;
    virtual Ref<host::Tags> Tags() = 0;
    virtual int Layout() const = 0;
    virtual void Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth,
                        int scaleHeight) = 0;
    virtual void Delete() = 0;
};

// A range acts as its single slide for the slide members; with several
// slides those members raise the host error.
class SlideRange : public Slide {
public:
    virtual int Count() const = 0;
    virtual Ref<Slide> Item(int index) = 0;
};

}  // namespace velmora::host
