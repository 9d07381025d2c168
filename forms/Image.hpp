#pragma once

#include <filesystem>

#include "forms/Control.hpp"

namespace velmora::forms {

// Shows the picture file at Picture (empty: none); the driver loads and
// scales it by PictureSizeMode.
class Image : public Control {
public:
    using Control::Control;
    std::string_view TypeName() const override { return "Image"; }

    const std::filesystem::path& Picture() const { return picture_; }
    void SetPicture(std::filesystem::path value) { picture_ = std::move(value); }
    int PictureSizeMode() const { return sizeMode_; }
    void SetPictureSizeMode(int value) { sizeMode_ = value; }
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value) { borderStyle_ = value; }

private:
    std::filesystem::path picture_;
    int sizeMode_ = PictureSizeMode::Clip;
    int borderStyle_ = 0;
};

}  // namespace velmora::forms
