#include "impress/NoDialogs.hpp"

#include "host/HostError.hpp"

namespace velmora::impress {

void NoDialogs::Run(forms::UserForm&, bool)
{
    throw host::HostError("Velmora 的对话框暂时还不能在 LibreOffice Impress 中显示");
}

}  // namespace velmora::impress
