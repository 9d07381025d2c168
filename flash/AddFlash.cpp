#include "flash/AddFlash.hpp"

#include <fstream>

#include "flash/frm_addFlash.hpp"
#include "host/FlashMovie.hpp"
#include "host/Preconditions.hpp"

namespace velmora::flash {

namespace {

// Whether the chosen file can be read and starts like a movie; the dialog
// and the player would otherwise work on something that can never play.
bool IsReadableMovie(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char signature[3] = {};
    in.read(signature, sizeof signature);
    return in.gcount() == sizeof signature && host::IsFlashMovie(std::string_view(signature, sizeof signature));
}

}  // namespace

void AddFlash_main(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts) ||
        host::RefuseNeverSaved(*presentation, *services.prompts)) {
        return;
    }
    auto picker = application.FileDialog(host::FileDialogType::FilePicker);
    picker->SetAllowMultiSelect(false);
    picker->AddFilter("swf files", "*.swf");
    picker->SetTitle("选择插入的Flash文件");
    if (picker->Show() != -1) {
        services.prompts->MsgBox("没有选择文件!", host::MsgStyle::Critical);
        return;
    }
    const std::string flashPath = picker->SelectedItems().at(0);
    if (!IsReadableMovie(flashPath)) {
        services.prompts->MsgBox(kNotAMovieMessage, host::MsgStyle::Critical);
        return;
    }
    frm_addFlash dialog(driver, application, services, flashPath);
    dialog.Show();
}

}  // namespace velmora::flash
