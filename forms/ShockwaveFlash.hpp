#pragma once

#include <string>

#include "forms/Control.hpp"

namespace velmora::forms {

// The Flash player as a control of a form: the movie it shows and how. It
// plays nothing by itself; a driver that can play movies draws it.
class ShockwaveFlash : public Control {
public:
    using Control::Control;
    std::string_view TypeName() const override { return "ShockwaveFlash"; }

    const std::string& Movie() const { return movie_; }
    void SetMovie(std::string value) { movie_ = std::move(value); }
    bool Menu() const { return menu_; }
    void SetMenu(bool value) { menu_ = value; }
    bool EmbedMovie() const { return embedMovie_; }
    void SetEmbedMovie(bool value) { embedMovie_ = value; }
    int FrameNum() const { return frameNum_; }
    void SetFrameNum(int value) { frameNum_ = value; }

private:
    std::string movie_;
    bool menu_ = true;
    bool embedMovie_ = false;
    int frameNum_ = -1;
};

}  // namespace velmora::forms
