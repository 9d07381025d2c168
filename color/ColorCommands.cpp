#include "color/ColorCommands.hpp"

#include <memory>

#include "color/frm_myColor.hpp"

namespace velmora::color {

namespace {

// The palette while it is open, as the host keeps a form's one instance; a
// driver may return while a modeless form is still open.
std::unique_ptr<frm_myColor>& OpenPalette()
{
    static std::unique_ptr<frm_myColor> palette;
    return palette;
}

}  // namespace

void Setcolor_main(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    auto& palette = OpenPalette();
    if (!palette || !palette->IsLoaded()) {
        palette = std::make_unique<frm_myColor>(driver, application, services);
    }
    palette->Show(false);
    if (!palette->IsLoaded()) {
        palette.reset();
    }
}

}  // namespace velmora::color
