#pragma once

#include <charconv>
#include <string>
#include <vector>

#include "host/Forward.hpp"

namespace velmora::host {

class Selection {
public:
    virtual ~Selection() = default;
    virtual int Type() const = 0;
    // Each raises the host error when the selection holds nothing of its kind.
    virtual Ref<host::SlideRange> SlideRange() = 0;
    virtual Ref<host::ShapeRange> ShapeRange() = 0;
    virtual Ref<host::TextRange> TextRange() = 0;
    virtual Ref<host::ShapeRange> ChildShapeRange() = 0;
    virtual bool HasChildShapeRange() const = 0;
    virtual void Unselect() = 0;
};

class View {
public:
    virtual ~View() = default;
    virtual Ref<host::Slide> Slide() = 0;
    virtual void GotoSlide(int index) = 0;
};

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    virtual Ref<host::Selection> Selection() = 0;
    virtual Ref<host::View> View() = 0;
    virtual Ref<host::Presentation> Presentation() = 0;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetAllowMultiSelect(bool allow) = 0;
    virtual void AddFilter(const std::string& description, const std::string& extensions) = 0;
    // -1 when the user confirms, 0 when he cancels.
    virtual int Show() = 0;
    virtual std::vector<std::string> SelectedItems() const = 0;
};

class Application {
public:
    virtual ~Application() = default;
    // Both raise the host error when no presentation or window is open.
    virtual Ref<host::Presentation> ActivePresentation() = 0;
    virtual Ref<DocumentWindow> ActiveWindow() = 0;
    virtual Ref<host::Presentations> Presentations() = 0;
    virtual std::string Version() const = 0;
    virtual Ref<host::FileDialog> FileDialog(int type) = 0;
    virtual int WindowState() const = 0;
    virtual void SetWindowState(int windowState) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

// The host's version text read as its leading number: "14.0" gives 14, text
// that starts with none gives 0.
inline double VersionNumber(const std::string& version)
{
    double value = 0;
    std::from_chars(version.data(), version.data() + version.size(), value);
    return value;
}

}  // namespace velmora::host
