#include "color/ColorBoxEntry.hpp"

#include <cctype>

namespace velmora::color {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;

// The value of the text's leading digits, as the runtime reads a number
// from text; the key filter lets nothing else in, but pasted text may.
int NumericValue(std::string_view text)
{
    int value = 0;
    for (const char ch : text) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) {
            break;
        }
        value = value * 10 + (ch - '0');
    }
    return value;
}

}  // namespace

// Enter passes the upper test but not the lower one, so of the control
// keys only Backspace gets through.
bool ColorBoxKeyPasses(int keyAscii)
{
    return (keyAscii <= '9' || keyAscii == kEnter) && (keyAscii >= '0' || keyAscii == kBackspace);
}

ColorBoxEntry ColorBoxKeyUp(std::string_view text, int barMax)
{
    if (text.size() == kColorBoxMaxLength && NumericValue(text) > barMax) {
        return {std::to_string(barMax), barMax};
    }
    return {std::string(text), NumericValue(text)};
}

std::string ScrollBarOfBox(std::string_view boxName)
{
    return "ScrollBar" + std::string(boxName.substr(boxName.size() - 1));
}

}  // namespace velmora::color
