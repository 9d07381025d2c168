#pragma once

#include <string>

#include "forms/OptionButton.hpp"
#include "forms/UserForm.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"
#include "publish/PixelBox.hpp"

namespace velmora::publish {

// The picture export options. Three groups of option buttons (GroupName G1
// range, G2 long edge in pixels, G3 format), each button carrying its value
// in its Tag; the buttons are OptionButton1 to OptionButton15 without gaps.
class frm_ExportPic : public forms::UserForm {
public:
    frm_ExportPic(forms::FormDriver& driver, host::Application& application, host::Services services);

    // range "All" or "Select", size "960" to "3072", format "JPG" to "EMF".
    void exportpic(const std::string& range, const std::string& size, const std::string& format);

protected:
    void UserForm_Initialize() override;

private:
    void AddRangeFrame();
    void AddSizeFrame();
    void AddFormatFrame();
    void AddCommandButtons();

    void Cmd_OK_Click();
    void Cmd_Cancel_Click();

    forms::OptionButton& OptionButtonNumber(int number) const;
    // False, after the message, when no slide is selected.
    bool ExportSelectedSlides(const std::filesystem::path& folder, const std::string& format, PixelBox box);

    host::Application& application_;
    host::Services services_;
};

}  // namespace velmora::publish
