#include "impress/host/ImpressApplication.hpp"

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "impress/host/ImpressPresentations.hpp"
#include "impress/host/ImpressWindow.hpp"

namespace velmora::impress {

ImpressApplication::ImpressApplication(std::shared_ptr<LiveDocument> document) : document_(std::move(document)) {}

void ImpressApplication::RequirePresentation() const
{
    if (!IsPresentation(document_->model)) {
        throw host::HostError("当前窗口中没有打开的演示文稿");
    }
}

host::Ref<host::Presentation> ImpressApplication::ActivePresentation()
{
    RequirePresentation();
    return std::make_shared<ImpressPresentation>(document_);
}

host::Ref<host::DocumentWindow> ImpressApplication::ActiveWindow()
{
    RequirePresentation();
    return std::make_shared<ImpressWindow>(document_);
}

host::Ref<host::Presentations> ImpressApplication::Presentations()
{
    return std::make_shared<ImpressPresentations>(document_);
}

// The tools choose their routes by the host's version: Impress takes the
// newer ones.
std::string ImpressApplication::Version() const
{
    return "14.0";
}

host::Ref<host::FileDialog> ImpressApplication::FileDialog(int)
{
    NotInImpress("Application.FileDialog");
}

int ImpressApplication::WindowState() const
{
    return host::WindowState::Normal;
}

void ImpressApplication::SetWindowState(int) {}

bool ImpressApplication::Visible() const
{
    return true;
}

void ImpressApplication::SetVisible(bool) {}

}  // namespace velmora::impress
