#include "forms/ComboBox.hpp"

#include <algorithm>
#include <stdexcept>

namespace velmora::forms {

void ComboBox::AddItem(std::string item)
{
    items_.push_back(std::move(item));
    if (listIndex_ < 0) {
        listIndex_ = IndexOf(Text());
    }
}

void ComboBox::Clear()
{
    items_.clear();
    listIndex_ = -1;
}

const std::string& ComboBox::List(int index) const
{
    return items_.at(static_cast<std::size_t>(index));
}

int ComboBox::IndexOf(const std::string& text) const
{
    const auto found = std::ranges::find(items_, text);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void ComboBox::SetListIndex(int index)
{
    if (index < -1 || index >= ListCount()) {
        throw std::invalid_argument("combo box " + Name() + " has no item " + std::to_string(index));
    }
    if (index == -1) {
        listIndex_ = -1;
        TextControl::SetText({});
        return;
    }
    listIndex_ = index;
    TextControl::SetText(items_[static_cast<std::size_t>(index)]);
}

void ComboBox::SetText(std::string value)
{
    const int index = IndexOf(value);
    if (style_ == ComboStyle::DropDownList && index < 0 && !value.empty()) {
        throw std::invalid_argument("\"" + value + "\" is not an item of the drop-down list " + Name());
    }
    listIndex_ = index;
    TextControl::SetText(std::move(value));
}

}  // namespace velmora::forms
