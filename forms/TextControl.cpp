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
    TypeKey(key, [this](int keyAscii) { return KeyEdited(keyAscii); });
}

void TextControl::TypeKey(char32_t key, const std::function<std::string(int keyAscii)>& edit)
{
    int keyCode = VirtualKey(key);
    const int shift = (key >= U'A' && key <= U'Z') ? ShiftState::Shift : 0;
    events.FireKeyDown(keyCode, shift);
    int keyAscii = static_cast<int>(key);
    events.FireKeyPress(keyAscii);
    if (keyAscii != 0 && keyAscii != KeyCode::Enter && !locked_) {
        std::string edited = edit(keyAscii);
        selectedAll_ = false;
        SetText(std::move(edited));
    }
    events.FireKeyUp(keyCode, shift);
}

std::string TextControl::KeyEdited(int key)
{
    std::string edited = selectedAll_ ? std::string() : text_;
    if (key == KeyCode::Backspace) {
        if (!selectedAll_) {
            platform::PopLastUtf8(edited);
        }
    } else if (maxLength_ > 0 && platform::Utf8Length(edited) >= static_cast<std::size_t>(maxLength_)) {
        return text_;
    } else {
        platform::AppendUtf8(edited, static_cast<char32_t>(key));
    }
    return edited;
}

}  // namespace velmora::forms
