#pragma once

#include <functional>
#include <string>

#include "forms/Control.hpp"

namespace velmora::forms {

// A control with editable text (text box, combo box). Setting Text fires
// Change only when the text really changes. Typing goes key by key: KeyDown,
// KeyPress (a handler may discard the key by setting it to 0 or replace it),
// the edit (Backspace deletes a character, Enter is ignored, MaxLength
// characters at most, nothing while Locked) with its Change, then KeyUp.
// Receiving the focus selects all the text, as the runtime does when a user
// tabs into a box, so the first typed key replaces it.
class TextControl : public Control {
public:
    using Control::Control;

    const std::string& Text() const { return text_; }
    virtual void SetText(std::string value);
    const std::string& Value() const { return text_; }
    void SetValue(std::string value) { SetText(std::move(value)); }

    // Characters, not bytes; 0 means no limit. Only typing is limited.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }

    void TypeKey(char32_t key);
    // A key typed into a widget that edits the text itself (over its
    // selection, at its cursor): the same events, with `edit` making the
    // edit of a key that passed KeyPress and returning the text it made.
    void TypeKey(char32_t key, const std::function<std::string(int keyAscii)>& edit);

protected:
    void GotFocus() override { selectedAll_ = true; }

private:
    std::string KeyEdited(int key);

    std::string text_;
    int maxLength_ = 0;
    bool locked_ = false;
    bool selectedAll_ = false;
};

}  // namespace velmora::forms
