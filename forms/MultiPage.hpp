#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Control.hpp"
#include "forms/Page.hpp"

namespace velmora::forms {

// Tabs of pages; Value is the index of the page shown, and changing it fires
// Change.
class MultiPage : public Control {
public:
    using Control::Control;
    std::string_view TypeName() const override { return "MultiPage"; }

    Page& AddPage(std::string name, std::string caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Throws std::out_of_range.
    Page& Pages(int index) const;
    // By name without regard to case; throws std::out_of_range.
    Page& Pages(std::string_view name) const;

    int Value() const { return value_; }
    // Throws std::invalid_argument for an index without a page.
    void SetValue(int index);

private:
    std::vector<std::unique_ptr<Page>> pages_;
    int value_ = 0;
};

}  // namespace velmora::forms
