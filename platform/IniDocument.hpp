#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// The settings file's text, line by line. Sections are "[application\section]";
// entries are "key=value". Names and values are percent-escaped where a
// character would break the line structure ("%", control characters such as
// line breaks, blanks at either end, and in names "=", "[", "]", "\", ";", "#"),
// so any text round-trips. Lines that do not parse are kept as they are and
// rewritten unchanged. Names compare without regard to ASCII case, as the
// registry does.
class IniDocument {
public:
    explicit IniDocument(std::string_view text = {});

    // The first entry of that name in that section.
    std::optional<std::string> Find(std::string_view app, std::string_view section, std::string_view key) const;
    // Replaces the first such entry, or adds one at the end of the section's
    // first block, or adds the section at the end.
    void Set(std::string_view app, std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    struct Line {
        std::string text;
        bool header = false;
        bool entry = false;
        // For headers and entries: the section they belong to.
        std::string app;
        std::string section;
        std::string key;
        std::string value;
    };

    static Line Parse(std::string text, const Line& header);
    bool InSection(const Line& line, std::string_view app, std::string_view section) const;
    std::optional<std::size_t> FindEntry(std::string_view app, std::string_view section, std::string_view key) const;
    std::optional<std::size_t> EndOfSection(std::string_view app, std::string_view section) const;

    std::vector<Line> lines_;
    // Editors on Windows start the file with a UTF-8 byte-order mark; it is kept.
    bool byteOrderMark_ = false;
};

}  // namespace velmora::platform
