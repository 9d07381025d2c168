#include "platform/TextEncoding.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include <iconv.h>

#include "platform/Utf8.hpp"

namespace velmora::platform {

namespace {

constexpr const char* kDefaultCodePage = "GB18030";
constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

class Converter {
public:
    Converter(const std::string& from, const std::string& to) : handle_(iconv_open(to.c_str(), from.c_str()))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::invalid_argument("unknown text encoding: " + (from == "UTF-8" ? to : from));
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts text; skip(rest) says how many bytes of an unconvertible
    // sequence to drop, and replacement (in the target encoding) stands in.
    template <typename Skip>
    std::string Convert(std::string_view text, std::string_view replacement, Skip skip)
    {
        std::string out;
        char buffer[4096];
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        bool flushing = false;
        while (true) {
            char* next = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = flushing ? iconv(handle_, nullptr, nullptr, &next, &outLeft)
                                                : iconv(handle_, &in, &inLeft, &next, &outLeft);
            out.append(buffer, static_cast<std::size_t>(next - buffer));
            if (result != static_cast<std::size_t>(-1)) {
                if (flushing) {
                    return out;
                }
                flushing = inLeft == 0;
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            if (flushing || (errno != EILSEQ && errno != EINVAL)) {
                throw std::system_error(errno, std::generic_category(), "text conversion failed");
            }
            const std::size_t dropped = std::min(inLeft, skip(std::string_view(in, inLeft)));
            out += replacement;
            in += dropped;
            inLeft -= dropped;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t handle_;
};

}  // namespace

std::string SystemCodePage()
{
    const char* chosen = std::getenv("VELMORA_CODEPAGE");
    return chosen != nullptr && *chosen != '\0' ? chosen : kDefaultCodePage;
}

std::string ToCodePage(std::string_view utf8, const std::string& codePage)
{
    // Every ANSI code page is ASCII-compatible, so "?" is one byte in all.
    return Converter("UTF-8", codePage).Convert(utf8, "?", [](std::string_view rest) {
        return Utf8SequenceLength(static_cast<unsigned char>(rest.front()));
    });
}

std::string FromCodePage(std::string_view bytes, const std::string& codePage)
{
    return Converter(codePage, "UTF-8").Convert(bytes, kUtf8Replacement, [](std::string_view) {
        return std::size_t{1};
    });
}

std::string ToAnsi(std::string_view utf8)
{
    return ToCodePage(utf8, SystemCodePage());
}

std::string FromAnsi(std::string_view bytes)
{
    return FromCodePage(bytes, SystemCodePage());
}

}  // namespace velmora::platform
