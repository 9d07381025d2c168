#pragma once

#include <filesystem>
#include <string>

#include "forms/CheckBox.hpp"
#include "forms/Frame.hpp"
#include "forms/Image.hpp"
#include "forms/OptionButton.hpp"
#include "forms/ShockwaveFlash.hpp"
#include "forms/UserForm.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

namespace velmora::flash {

inline constexpr const char* kPictureFailedMessage = "无法生成当前幻灯片的预览图片，未能插入Flash！";

// Places a Flash movie on the current slide: a picture of the slide with a
// preview of the movie on top, moved and sized with five handles, the path
// mode or embedding, then the player object where the preview stands.
// Positions are points inside the preview frame.
class frm_addFlash : public forms::UserForm {
public:
    frm_addFlash(forms::FormDriver& driver, host::Application& application, host::Services services,
                 std::string flashPath);
    // Whatever ended the dialog, the temporary slide picture goes with it.
    ~frm_addFlash() override;

    // The chosen movie, replaced by its relative path when that mode applies.
    const std::string& FlashPath() const { return flashPath_; }
    const std::filesystem::path& SlidePicturePath() const { return picturePath_; }

protected:
    void UserForm_Initialize() override;
    void UserForm_Terminate() override;

private:
    void AddPreviewFrame();
    void AddHandles(forms::Frame& frame);
    void AddOptions();
    void AddCommandButtons();

    void Imgmove_MouseMove(int button, int shift, float x, float y);
    void Imgleft_MouseMove(int button, int shift, float x, float y);
    void Imgright_MouseMove(int button, int shift, float x, float y);
    void Imgup_MouseMove(int button, int shift, float x, float y);
    void Imgdown_MouseMove(int button, int shift, float x, float y);
    void CheckBox1_Click();
    void CommandButton1_Click();
    void CommandButton2_Click();

    std::filesystem::path NewSlidePicturePath() const;
    void ShowSlidePicture(float pw, float ph);
    void UseRelativePathIfInside();

    forms::Image& Image(const char* name) const { return Controls<forms::Image>(name); }
    forms::Image& Image1() const { return Image("Image1"); }
    forms::ShockwaveFlash& ShockwaveFlash1() const { return Controls<forms::ShockwaveFlash>("ShockwaveFlash1"); }
    forms::CheckBox& CheckBox1() const { return Controls<forms::CheckBox>("CheckBox1"); }

    host::Application& application_;
    host::Services services_;
    std::string flashPath_;
    std::filesystem::path picturePath_;
};

}  // namespace velmora::flash
