#pragma once

#include <string>

#include "forms/Container.hpp"

namespace velmora::forms {

class MultiPage;

// One tab of a multi-page; holds controls.
class Page : public Container {
public:
    Page(MultiPage& owner, std::string name, std::string caption);

    MultiPage& Owner() const { return owner_; }
    int Index() const;
    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }
    const std::string& ControlTipText() const { return tipText_; }
    void SetControlTipText(std::string value) { tipText_ = std::move(value); }
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string value) { tag_ = std::move(value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }

    // Whether the page is not the one shown does not matter here: a user
    // reaches it with one click on its tab.
    bool ContentOperable() const override;

private:
    MultiPage& owner_;
    std::string name_;
    std::string caption_;
    std::string tipText_;
    std::string tag_;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace velmora::forms
