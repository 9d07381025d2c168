#include "impress/host/ImpressPresentations.hpp"

#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// An opened presentation with the change record its host objects write to.
struct OpenedPresentation {
    OpenedPresentation(const LiveDocument& opener, Reference<css::frame::XModel> model)
        : document{opener.office, nullptr, std::move(model), changes, opener.services, true}
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

host::Ref<host::Presentation> ImpressPresentations::Add(bool)
{
    NotInImpress("Presentations.Add");
}

host::Ref<host::Presentation> ImpressPresentations::Open(const std::filesystem::path& file, bool readOnly,
                                                         bool untitled, bool withWindow)
{
    if (untitled || withWindow) {
        NotInImpress("Presentations.Open");
    }
    Reference<css::frame::XModel> model;
    try {
        const Reference<css::frame::XComponentLoader> loader(css::frame::Desktop::create(document_->office),
                                                             css::uno::UNO_QUERY_THROW);
        model.set(
            loader->loadComponentFromURL(FileUrl(file), "_blank", 0,
                                         SequenceOf({Named("Hidden", Any(true)), Named("ReadOnly", Any(readOnly))})),
            UNO_QUERY);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not open " + file.string() + ": " + FromUno(failure.Message));
    }
    if (!IsPresentation(model)) {
        throw host::HostError("Impress could not open " + file.string() + " as a presentation");
    }
    auto opened = std::make_shared<OpenedPresentation>(*document_, model);
    return std::make_shared<ImpressPresentation>(std::shared_ptr<LiveDocument>(opened, &opened->document));
}

}  // namespace velmora::impress
