#pragma once

#include <string>
#include <string_view>

namespace velmora::platform {

// The system's ANSI code page: $VELMORA_CODEPAGE, else GB18030.
std::string SystemCodePage();

// UTF-8 to and from a code page (an iconv name). GB18030 encodes every
// character; for a code page that lacks one, ToCodePage writes "?" in its
// place rather than dropping it. Bytes that are not valid in the source
// encoding become "?" (ToCodePage) or U+FFFD (FromCodePage). An unknown code
// page throws std::invalid_argument.
std::string ToCodePage(std::string_view utf8, const std::string& codePage);
std::string FromCodePage(std::string_view bytes, const std::string& codePage);

// The same with the system code page.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view bytes);

}  // namespace velmora::platform
