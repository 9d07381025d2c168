#include "forms/MultiPage.hpp"

#include <stdexcept>

#include "platform/AsciiCase.hpp"

namespace velmora::forms {

Page& MultiPage::AddPage(std::string name, std::string caption)
{
    pages_.push_back(std::make_unique<Page>(*this, std::move(name), std::move(caption)));
    return *pages_.back();
}

Page& MultiPage::Pages(int index) const
{
    return *pages_.at(static_cast<std::size_t>(index));
}

Page& MultiPage::Pages(std::string_view name) const
{
    for (const auto& page : pages_) {
        if (platform::EqualIgnoringAsciiCase(page->Name(), name)) {
            return *page;
        }
    }
    throw std::out_of_range(Name() + " has no page named \"" + std::string(name) + "\"");
}

void MultiPage::SetValue(int index)
{
    if (index < 0 || index >= PageCount()) {
        throw std::invalid_argument(Name() + " has no page " + std::to_string(index));
    }
    if (index != value_) {
        value_ = index;
        events.FireChange();
    }
}

}  // namespace velmora::forms
