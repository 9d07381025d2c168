#include "forms/Page.hpp"

#include "forms/MultiPage.hpp"

namespace velmora::forms {

Page::Page(MultiPage& owner, std::string name, std::string caption)
    : Container(owner.Form()), owner_(owner), name_(std::move(name)), caption_(std::move(caption))
{
}

int Page::Index() const
{
    for (int i = 0; i < owner_.PageCount(); ++i) {
        if (&owner_.Pages(i) == this) {
            return i;
        }
    }
    return -1;
}

bool Page::ContentOperable() const
{
    return visible_ && enabled_ && owner_.Operable();
}

}  // namespace velmora::forms
