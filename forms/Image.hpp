#pragma once

#include <filesystem>
#include <string>

#include "forms/Control.hpp"

namespace velmora::forms {

// Shows a picture; the driver scales it by PictureSizeMode. The picture is
// either a file at Picture or, once loaded, held in memory (PictureData: the
// whole file's bytes), so that it stays after its file is gone.
class Image : public Control {
public:
    using Control::Control;
    std::string_view TypeName() const override { return "Image"; }

    const std::filesystem::path& Picture() const { return picture_; }
    void SetPicture(std::filesystem::path value) { picture_ = std::move(value); }
    const std::string& PictureData() const { return pictureData_; }
    void SetPictureData(std::string bytes) { pictureData_ = std::move(bytes); }
    bool HasPicture() const { return !picture_.empty() || !pictureData_.empty(); }
    int PictureSizeMode() const { return sizeMode_; }
    void SetPictureSizeMode(int value) { sizeMode_ = value; }
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value) { borderStyle_ = value; }

private:
    std::filesystem::path picture_;
    std::string pictureData_;
    int sizeMode_ = PictureSizeMode::Clip;
    int borderStyle_ = 0;
};

}  // namespace velmora::forms
