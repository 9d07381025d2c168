#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/Forward.hpp"

namespace velmora::host {

class PageSetup {
public:
    virtual ~PageSetup() = default;
    virtual float SlideWidth() const = 0;
    virtual void SetSlideWidth(float points) = 0;
    virtual float SlideHeight() const = 0;
    virtual void SetSlideHeight(float points) = 0;
    virtual int SlideSize() const = 0;
    virtual void SetSlideSize(int value) = 0;
};

class Slides {
public:
    virtual ~Slides() = default;
    virtual int Count() const = 0;
    virtual Ref<Slide> Item(int index) = 0;
    virtual Ref<SlideRange> Range(const std::vector<int>& indexes) = 0;
    virtual Ref<Slide> Add(int index, int layout) = 0;
};

class Presentation {
public:
    virtual ~Presentation() = default;
    // The folder; empty while the presentation was never saved.
    virtual std::string Path() const = 0;
    virtual std::string Name() const = 0;
    virtual std::string FullName() const = 0;
    // False once the presentation holds changes not yet saved.
    virtual bool Saved() const = 0;
    virtual Ref<host::Slides> Slides() = 0;
    virtual Ref<host::PageSetup> PageSetup() = 0;
    virtual void SaveAs(const std::filesystem::path& file, int format, int embedFonts = -2) = 0;
    virtual void SaveCopyAs(const std::filesystem::path& file) = 0;
    virtual void Save() = 0;
    virtual void Close() = 0;
    virtual void Export(const std::filesystem::path& path, const std::string& filter, int scaleWidth,
                        int scaleHeight) = 0;
    virtual void FollowHyperlink(const std::string& address) = 0;
};

class Presentations {
public:
    virtual ~Presentations() = default;
    virtual int Count() const = 0;
    virtual Ref<Presentation> Item(int index) = 0;
    virtual Ref<Presentation> Add(bool withWindow = true) = 0;
    virtual Ref<Presentation> Open(const std::filesystem::path& file, bool readOnly = false, bool untitled = false,
                                   bool withWindow = true) = 0;
};

}  // namespace velmora::host
