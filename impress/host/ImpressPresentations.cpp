#include "impress/host/ImpressPresentations.hpp"

#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// An opened presentation with the change record its host objects write to.
struct OpenedPresentation {
    OpenedPresentation(const LiveDocument& opener, Reference<css::frame::XModel> model)
        : document{opener.office, nullptr, std::move(model), changes, opener.services, true, nullptr, {},
                   opener.savedCopies}
    {
    }

    ChangeLog changes;
    LiveDocument document;
};

}  // namespace

ImpressPresentations::ImpressPresentations(std::shared_ptr<LiveDocument> document) : document_(std::move(document)) {}

int ImpressPresentations::Count() const
{
    return 1;
}

host::Ref<host::Presentation> ImpressPresentations::Item(int index)
{
    if (index != 1) {
        throw host::HostError("only the window's presentation is reachable here");
    }
    return std::make_shared<ImpressPresentation>(document_);
}

// A hidden Impress document: the user's own presentation is left alone.
host::Ref<host::Presentation> ImpressPresentations::Add(bool withWindow)
{
    if (withWindow) {
        NotInImpress("Presentations.Add");
    }
    auto made = Opened(Load("private:factory/simpress", {Named("Hidden", Any(true))}, "a new presentation"));
    const Reference<css::drawing::XDrawPagesSupplier> supplier(made->model, UNO_QUERY_THROW);
    made->spare.set(supplier->getDrawPages()->getByIndex(0), UNO_QUERY_THROW);
    return std::make_shared<ImpressPresentation>(made);
}

host::Ref<host::Presentation> ImpressPresentations::Open(const std::filesystem::path& file, bool readOnly,
                                                         bool untitled, bool withWindow)
{
    if (untitled || withWindow) {
        NotInImpress("Presentations.Open");
    }
    auto opened = Opened(Load(FileUrl(file), {Named("Hidden", Any(true)), Named("ReadOnly", Any(readOnly))},
                              file.string()));
    if (const auto saved = document_->savedCopies->find(std::filesystem::absolute(file));
        saved != document_->savedCopies->end()) {
        opened->bookkeepingTags = saved->second;
    }
    return std::make_shared<ImpressPresentation>(opened);
}

Reference<css::frame::XModel> ImpressPresentations::Load(const rtl::OUString& url,
                                                         std::initializer_list<css::beans::PropertyValue> arguments,
                                                         const std::string& what) const
{
    Reference<css::frame::XModel> model;
    try {
        const Reference<css::frame::XComponentLoader> loader(css::frame::Desktop::create(document_->office),
                                                             css::uno::UNO_QUERY_THROW);
        model.set(loader->loadComponentFromURL(url, "_blank", 0, SequenceOf(arguments)), UNO_QUERY);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not open " + what + ": " + FromUno(failure.Message));
    }
    if (!IsPresentation(model)) {
        throw host::HostError("Impress could not open " + what + " as a presentation");
    }
    return model;
}

std::shared_ptr<LiveDocument> ImpressPresentations::Opened(Reference<css::frame::XModel> model) const
{
    auto opened = std::make_shared<OpenedPresentation>(*document_, std::move(model));
    return std::shared_ptr<LiveDocument>(opened, &opened->document);
}

}  // namespace velmora::impress
