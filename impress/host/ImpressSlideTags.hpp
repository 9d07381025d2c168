#pragma once

#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "host/Slide.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// Impress pages carry no tags. A slide's tags live in the document's custom
// properties as "VelmoraTag.<slide number>.<name>", which Impress writes to
// and reads from a .pptx's custom.xml (and the pptx host mirrors there).
// Names are kept in small letters and compared without regard to case, as
// the object model does. A command's bookkeeping tags stay in memory.
class ImpressSlideTags : public host::Tags {
public:
    ImpressSlideTags(std::shared_ptr<LiveDocument> document, int slideIndex);

    int Count() const override;
    std::string Name(int index) const override;
    std::string Value(int index) const override;
    std::string Item(const std::string& name) const override;
    void Add(const std::string& name, const std::string& value) override;
    void Delete(const std::string& name) override;

    // The tags of removed slides (by their numbers before any went) go with
    // them, and those of the slides after follow them to their new numbers:
    // one pass, however many slides went.
    static void SlidesRemoved(const std::shared_ptr<LiveDocument>& document, std::vector<int> slideIndexes);

private:
    css::uno::Reference<css::beans::XPropertySet> Properties() const;
    std::vector<std::string> Names() const;

    std::shared_ptr<LiveDocument> document_;
    int slideIndex_;
};

}  // namespace velmora::impress
