#pragma once

#include <string>
#include <vector>

#include "forms/TextControl.hpp"

namespace velmora::forms {

// A text box with a list. Text and ListIndex follow each other: choosing an
// item sets the text, and a text equal to an item selects it (else -1).
// As a drop-down list (Style) only item texts are allowed.
class ComboBox : public TextControl {
public:
    using TextControl::TextControl;
    std::string_view TypeName() const override { return "ComboBox"; }

    void AddItem(std::string item);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for a bad index.
    const std::string& List(int index) const;
    int ListIndex() const { return listIndex_; }
    // -1 clears the text; other indexes outside the list throw
    // std::invalid_argument.
    void SetListIndex(int index);

    // Throws std::invalid_argument for a drop-down list and a text that is
    // not an item.
    void SetText(std::string value) override;

    int Style() const { return style_; }
    void SetStyle(int value) { style_ = value; }
    int MatchEntry() const { return matchEntry_; }
    void SetMatchEntry(int value) { matchEntry_ = value; }
    int ShowDropButtonWhen() const { return showDropButtonWhen_; }
    void SetShowDropButtonWhen(int value) { showDropButtonWhen_ = value; }

private:
    int IndexOf(const std::string& text) const;

    std::vector<std::string> items_;
    int listIndex_ = -1;
    int style_ = ComboStyle::DropDownCombo;
    int matchEntry_ = MatchEntry::Complete;
    int showDropButtonWhen_ = ShowDropButtonWhen::Never;
};

}  // namespace velmora::forms
