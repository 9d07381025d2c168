#include "impress/ImpressShell.hpp"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include <com/sun/star/system/SystemShellExecute.hpp>
#include <com/sun/star/system/SystemShellExecuteFlags.hpp>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "platform/XdgShell.hpp"

namespace velmora::impress {

ImpressShell::ImpressShell(css::uno::Reference<css::uno::XComponentContext> office) : office_(std::move(office)) {}

void ImpressShell::OpenAddress(const std::string& address)
{
    if (!platform::IsOpenableAddress(address)) {
        throw std::invalid_argument("refusing to open " + address + ": only http, https and mailto addresses");
    }
    Execute(ToUno(address));
}

void ImpressShell::ShowFolder(const std::filesystem::path& folder)
{
    Execute(FileUrl(folder));
}

// VELMORA_NO_OPEN=1 keeps everything closed, as on the command line.
// VELMORA_IMPRESS_OPENED names a file that lists, one a line, what was given
// to the desktop, as the command line's transcript does.
void ImpressShell::Execute(const rtl::OUString& address) const
{
    if (const char* list = std::getenv(kOpenedVariable); list != nullptr && *list != '\0') {
        std::ofstream(list, std::ios::app) << FromUno(address) << '\n';
    }
    if (const char* refused = std::getenv("VELMORA_NO_OPEN"); refused != nullptr && std::string_view(refused) == "1") {
        return;
    }
    try {
        css::system::SystemShellExecute::create(office_)->execute(address, "",
                                                                  css::system::SystemShellExecuteFlags::URIS_ONLY);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("cannot open " + FromUno(address) + ": " + FromUno(failure.Message));
    }
}

}  // namespace velmora::impress
