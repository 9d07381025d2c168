#include "forms/TextControl.hpp"

#include "platform/Utf8.hpp"

namespace velmora::forms {

namespace {

// The virtual key of a typed character: letters by their capital.
int VirtualKey(char32_t key)
{
    if (key >= U'a' && key <= U'z') {
        return static_cast<int>(key - U'a' + U'A');
    }
    return static_cast<int>(key);
}

}  // namespace

void TextControl::SetText(std::string value)
{
    if (value != text_) {
        text_ = std::move(value);
        events.FireChange();
    }
}

void TextControl::TypeKey(char32_t key)
{
    int keyCode = VirtualKey(key);
    const int shift = (key >= U'A' && key <= U'Z') ? ShiftState::Shift : 0;
    events.FireKeyDown(keyCode, shift);
    int keyAscii = static_cast<int>(key);
    events.FireKeyPress(keyAscii);
    if (keyAscii != 0) {
        ApplyKey(keyAscii);
    }
    events.FireKeyUp(keyCode, shift);
}

void TextControl::ApplyKey(int key)
{
    if (locked_ || key == KeyCode::Enter) {
        return;
    }
    std::string edited = selectedAll_ ? std::string() : text_;
    if (key == KeyCode::Backspace) {
        if (!selectedAll_) {
            platform::PopLastUtf8(edited);
        }
    } else {
        if (maxLength_ > 0 && platform::Utf8Length(edited) >= static_cast<std::size_t>(maxLength_)) {
            return;
        }
        platform::AppendUtf8(edited, static_cast<char32_t>(key));
    }
    selectedAll_ = false;
    SetText(std::move(edited));
}

}  // namespace velmora::forms
