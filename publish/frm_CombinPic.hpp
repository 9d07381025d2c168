#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "forms/Forms.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

namespace velmora::font {
class md_SetFont;
}

namespace velmora::publish {

class MontageLayout;

inline constexpr const char* kCombinPicSection = "Settings-CombinPic";

// The montage options: range, arrangement, border, watermark and output
// type, with a live preview. The seventeen option buttons are
// OptionButton1 to OptionButton17 without gaps, addressed by number.
class frm_CombinPic : public forms::UserForm {
public:
    frm_CombinPic(forms::FormDriver& driver, host::Application& application, host::Services services,
                  font::md_SetFont& fontModule);

    void myLoadSettings();
    // Every option as it stands; called only after a montage was written.
    void mySaveSettings();
    void bordflag(bool shown);
    void markflag(int kind);
    void picmark_Click();
    void LoadMarkPic();
    void sortshp();

    // The values the montage reads from the dialog.
    int SortType() const { return sortType_; }
    const std::string& SlideTarget() const { return slideTarget_; }
    int BorderWidth() const { return borderWidth_; }
    host::Color BorderColor() const;
    int WaterMark() const { return waterMark_; }
    int WaterMarkPosition() const { return waterMarkPosition_; }
    const std::string& PicFormat() const { return picFormat_; }
    std::string WaterMarkTxt() const;
    const std::string& MarkPic() const { return markPic_; }
    double PicTransp() const { return picTransp_; }

protected:
    void UserForm_Initialize() override;

private:
    void AddRangeFrame();
    void AddArrangementFrame();
    void AddBorderFrame();
    void AddWatermarkFrame();
    void AddPositionFrame();
    void AddFormatFrame();
    void AddPreviewFrame();
    void AddCommandButtons();
    forms::OptionButton& AddOption(forms::Container& frame, int number, const char* caption, const char* group,
                                   float left, float top);

    forms::OptionButton& OptionButtonNumber(int number) const;
    template <typename T>
    T& Numbered(const char* prefix, int number) const
    {
        return Controls<T>(prefix + std::to_string(number));
    }
    // Runs the handler only when the button has just been selected and the dialog is ready.
    void WhenChosen(int number, void (frm_CombinPic::*handler)());
    std::string Setting(const char* key, const char* defaultValue) const;
    void Save(const char* key, const std::string& value);

    void OptionButton7_Change();
    void OptionButton8_Change();
    void SpinButton1_Change();
    void OptionButton9_Change();
    void OptionButton10_Change();
    void OptionButton11_Change();
    void AskWatermarkText();
    void ChoosePictureMark(const std::string& picture);
    void ShowEarlierMark();
    void F_BorderColor_Click();
    void Cmd_OK_Click();
    void Cmd_Cancel_Click();
    void HideWatermarks(const char* prefix);
    void PlaceTextMarks(const MontageLayout& layout, int shown);
    void PlacePictureMarks(const MontageLayout& layout, int shown);
    void SaveTempPic(const std::string& slideTarget, int n, const std::filesystem::path& tmp);
    // Nothing (after the message) when the selected slides cannot be read.
    std::optional<int> PictureCount();
    bool MakeMontage(const std::string& baseName, const std::filesystem::path& folder, int n);

    host::Application& application_;
    host::Services services_;
    font::md_SetFont& fontModule_;

    int sortType_ = 1;
    std::string slideTarget_ = "All";
    int borderWidth_ = 5;
    int waterMark_ = 1;
    int waterMarkPosition_ = 3;
    std::string picFormat_ = "JPG";
    std::string markPic_;
    double picTransp_ = 0;
    bool ready_ = false;
};

}  // namespace velmora::publish
