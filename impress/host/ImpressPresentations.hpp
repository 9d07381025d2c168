#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include <com/sun/star/beans/PropertyValue.hpp>

#include "host/Presentation.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The presentation of the frame, and those a tool opens without a window.
class ImpressPresentations : public host::Presentations {
public:
    explicit ImpressPresentations(std::shared_ptr<LiveDocument> document);

    int Count() const override;
    host::Ref<host::Presentation> Item(int index) override;
    // A new presentation without a window, which alone may be closed.
    host::Ref<host::Presentation> Add(bool withWindow) override;
    // Opens the file hidden; Impress has no untitled copies of a file.
    host::Ref<host::Presentation> Open(const std::filesystem::path& file, bool readOnly, bool untitled,
                                       bool withWindow) override;

private:
    // Loads a hidden document that must be a presentation; `what` names it in errors.
    css::uno::Reference<css::frame::XModel> Load(const rtl::OUString& url,
                                                 std::initializer_list<css::beans::PropertyValue> arguments,
                                                 const std::string& what) const;
    // The host's view of a presentation the tool made or opened, with its own change record.
    std::shared_ptr<LiveDocument> Opened(css::uno::Reference<css::frame::XModel> model) const;

    std::shared_ptr<LiveDocument> document_;
};

}  // namespace velmora::impress
