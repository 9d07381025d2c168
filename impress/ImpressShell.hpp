#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>

#include "host/Services.hpp"

namespace velmora::impress {

inline constexpr const char* kOpenedVariable = "VELMORA_IMPRESS_OPENED";

// Web and mail addresses and folders go to the desktop through LibreOffice's
// SystemShellExecute; any other address is refused before it gets there.
class ImpressShell : public host::Shell {
public:
    explicit ImpressShell(css::uno::Reference<css::uno::XComponentContext> office);

    // Throws std::invalid_argument for an address that is not http, https or mailto.
    void OpenAddress(const std::string& address) override;
    void ShowFolder(const std::filesystem::path& folder) override;

private:
    void Execute(const rtl::OUString& address) const;

    css::uno::Reference<css::uno::XComponentContext> office_;
};

}  // namespace velmora::impress
