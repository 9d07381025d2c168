#include "publish/CombinPic.hpp"

#include "font/md_SetFont.hpp"
#include "host/Preconditions.hpp"
#include "publish/frm_CombinPic.hpp"

namespace velmora::publish {

void CombinPic_main(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    // The slide count comes first here, unlike the picture export.
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts) ||
        host::RefuseNeverSaved(*presentation, *services.prompts)) {
        return;
    }
    frm_CombinPic dialog(driver, application, services, font::SetFontModule());
    dialog.Show();
}

}  // namespace velmora::publish
