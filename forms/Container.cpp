#include "forms/Container.hpp"

#include "forms/UserForm.hpp"

namespace velmora::forms {

void Container::Adopt(std::unique_ptr<Control> control)
{
    Control* added = control.get();
    form_.Register(std::move(control));
    children_.push_back(added);
}

}  // namespace velmora::forms
