#include "platform/Utf8.hpp"

namespace velmora::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 1;
}

std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::vector<char32_t> points;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(lead);
        if (length == 1) {
            points.push_back(lead < 0x80 ? lead : kReplacement);
            ++i;
            continue;
        }
        char32_t point = lead & (0xFF >> (length + 1));
        std::size_t taken = 1;
        while (taken < length && i + taken < text.size() && IsContinuation(static_cast<unsigned char>(text[i + taken]))) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + taken]) & 0x3F);
            ++taken;
        }
        points.push_back(taken == length ? point : kReplacement);
        i += taken;
    }
    return points;
}

void AppendUtf8(std::string& text, char32_t codePoint)
{
    auto put = [&text](char32_t bits) { text += static_cast<char>(bits); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

std::size_t Utf8Length(std::string_view text)
{
    return DecodeUtf8(text).size();
}

void PopLastUtf8(std::string& text)
{
    std::size_t cut = text.size();
    while (cut > 0) {
        --cut;
        if (!IsContinuation(static_cast<unsigned char>(text[cut]))) {
            break;
        }
    }
    text.resize(cut);
}

}  // namespace velmora::platform
