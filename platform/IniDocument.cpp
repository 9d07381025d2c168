#include "platform/IniDocument.hpp"

#include "platform/AsciiCase.hpp"

namespace velmora::platform {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNameSpecials = "=[]\\;#";
constexpr char kSectionSeparator = '\\';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsBlank(char c)
{
    return kBlanks.find(c) != std::string_view::npos;
}

std::string Escape(std::string_view text, std::string_view specials)
{
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    const std::size_t firstKept = text.find_first_not_of(kBlanks);
    const std::size_t lastKept = text.find_last_not_of(kBlanks);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool edgeBlank = IsBlank(text[i]) && (firstKept == std::string_view::npos || i < firstKept || i > lastKept);
        if (byte < 0x20 || byte == 0x7F || text[i] == '%' || edgeBlank || specials.find(text[i]) != std::string_view::npos) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += text[i];
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// A "%" not followed by two hex digits is kept as written (hand edits).
std::string Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool StartsSection(std::string_view lineText)
{
    return Trim(lineText).starts_with('[');
}

std::string HeaderText(std::string_view app, std::string_view section)
{
    // Appended piece by piece: GCC 12 misreads a literal + string as overlapping copies.
    std::string header = "[";
    header += Escape(app, kNameSpecials);
    header += kSectionSeparator;
    header += Escape(section, kNameSpecials);
    header += ']';
    return header;
}

std::string EntryText(std::string_view key, std::string_view value)
{
    return Escape(key, kNameSpecials) + "=" + Escape(value, {});
}

}  // namespace

IniDocument::IniDocument(std::string_view text)
{
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    Line header;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (raw.ends_with('\r')) {
            raw.remove_suffix(1);
        }
        lines_.push_back(Parse(std::string(raw), header));
        if (StartsSection(lines_.back().text)) {
            // A broken header ends the section before it too.
            header = lines_.back();
        }
    }
}

IniDocument::Line IniDocument::Parse(std::string text, const Line& header)
{
    Line line;
    const std::string_view trimmed = Trim(text);
    if (trimmed.starts_with('[') && trimmed.ends_with(']') && trimmed.size() >= 2) {
        const std::string_view inner = trimmed.substr(1, trimmed.size() - 2);
        const std::size_t separator = inner.find(kSectionSeparator);
        if (separator != std::string_view::npos && inner.find(kSectionSeparator, separator + 1) == std::string_view::npos) {
            line.header = true;
            line.app = Unescape(Trim(inner.substr(0, separator)));
            line.section = Unescape(Trim(inner.substr(separator + 1)));
        }
    } else if (const std::size_t equals = trimmed.find('=');
               equals != std::string_view::npos && equals > 0 && !trimmed.starts_with(';') && !trimmed.starts_with('#')) {
        if (header.header) {
            line.entry = true;
            line.app = header.app;
            line.section = header.section;
            line.key = Unescape(Trim(trimmed.substr(0, equals)));
            line.value = Unescape(Trim(trimmed.substr(equals + 1)));
        }
    }
    line.text = std::move(text);
    return line;
}

bool IniDocument::InSection(const Line& line, std::string_view app, std::string_view section) const
{
    return (line.header || line.entry) && EqualIgnoringAsciiCase(line.app, app) &&
           EqualIgnoringAsciiCase(line.section, section);
}

std::optional<std::size_t> IniDocument::FindEntry(std::string_view app, std::string_view section,
                                                  std::string_view key) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].entry && InSection(lines_[i], app, section) && EqualIgnoringAsciiCase(lines_[i].key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::EndOfSection(std::string_view app, std::string_view section) const
{
    std::optional<std::size_t> end;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (InSection(lines_[i], app, section)) {
            end = i + 1;
        } else if (end && StartsSection(lines_[i].text)) {
            break;
        }
    }
    return end;
}

std::optional<std::string> IniDocument::Find(std::string_view app, std::string_view section,
                                             std::string_view key) const
{
    if (const auto index = FindEntry(app, section, key)) {
        return lines_[*index].value;
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view app, std::string_view section, std::string_view key, std::string_view value)
{
    Line entry;
    entry.text = EntryText(key, value);
    entry.entry = true;
    entry.app = std::string(app);
    entry.section = std::string(section);
    entry.key = std::string(key);
    entry.value = std::string(value);

    if (const auto index = FindEntry(app, section, key)) {
        lines_[*index] = std::move(entry);
    } else if (const auto end = EndOfSection(app, section)) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*end), std::move(entry));
    } else {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) {
            lines_.push_back(Line{});
        }
        Line header;
        header.text = HeaderText(app, section);
        header.header = true;
        header.app = entry.app;
        header.section = entry.section;
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(entry));
    }
}

std::string IniDocument::Text() const
{
    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view{});
    for (const Line& line : lines_) {
        text += line.text;
        text += '\n';
    }
    return text;
}

}  // namespace velmora::platform
