#include "publish/ExportPic.hpp"

#include "host/Preconditions.hpp"
#include "publish/frm_ExportPic.hpp"

namespace velmora::publish {

void ExportPic_main(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseNeverSaved(*presentation, *services.prompts) ||
        host::RefuseWithoutSlides(*presentation, *services.prompts)) {
        return;
    }
    frm_ExportPic dialog(driver, application, services);
    dialog.Show();
}

}  // namespace velmora::publish
