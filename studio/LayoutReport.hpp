#pragma once

#include <filesystem>
#include <string>

#include <QTimer>

namespace velmora::studio {

class SlideView;
class SlideList;

// For scripted desktop sessions (tests driven by xdotool): writes the screen
// rectangle of every named thing the user can click, one "NAME X Y W H" a
// line, whenever it changes: ribbon controls and open menu entries by id,
// "slide/N" for thumbnails, "shape/NAME" (a group's member
// "shape/GROUP/NAME") for shapes of the slide shown, and for each open
// dialog "FORM/CONTROL" and the dialog itself, and a message box's text
// as "MsgBox/text TEXT". Enabled by the environment
// variable VELMORA_STUDIO_LAYOUT naming the file.
class LayoutReport {
public:
    LayoutReport(const SlideList& slides, const SlideView& view);
    // Off unless the environment names a file.
    void Start();
    // The report as it stands now.
    std::string Text() const;

private:
    void Write();

    const SlideList& slides_;
    const SlideView& view_;
    std::filesystem::path file_;
    std::string written_;
    QTimer timer_;
};

}  // namespace velmora::studio
