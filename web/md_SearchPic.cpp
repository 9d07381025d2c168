#include "web/md_SearchPic.hpp"

#include <array>
#include <stdexcept>

#include "host/HostError.hpp"
#include "host/Presentation.hpp"
#include "host/Prompts.hpp"
#include "host/XmlHttp.hpp"
#include "platform/Utf8.hpp"
#include "web/Endpoints.hpp"
#include "web/RemoteDescriptor.hpp"

namespace velmora::web {
namespace {

constexpr int kTranslatePolls = 50;

enum class Keywords { Encoded, AsTyped, Translated };

struct SearchSite {
    Endpoint host;
    bool hint;  // the prompt asks for spaces between keywords
    Keywords keywords;
    char space;  // what each space becomes; ' ' keeps it
    const char* before;
    const char* after;
};

constexpr std::array<SearchSite, 9> kSites{{
    {Endpoint::SearchSite1, true, Keywords::Encoded, ' ', "/searchresult.aspx?q=", "||1|60|1|2||||&CEFlag=1"},
    {Endpoint::SearchSite2, true, Keywords::AsTyped, '+', "/act/search.asp?kw=", ""},
    {Endpoint::SearchSite3, true, Keywords::AsTyped, ' ', "/newsr.php?thekeyword=", "&ifphoto=1"},
    {Endpoint::SearchSite4, true, Keywords::Translated, '+', "/search/?q=", ""},
    {Endpoint::SearchSite5, true, Keywords::Translated, '+', "/search/text/", ""},
    {Endpoint::SearchSite6, false, Keywords::AsTyped, ' ', "/search/tag=", ""},
    {Endpoint::SearchSite7, false, Keywords::Translated, '-', "/search/", ""},
    {Endpoint::SearchSite8, false, Keywords::Translated, '-', "/show/", "-icons"},
    {Endpoint::SearchSite9, false, Keywords::Translated, '-', "/search?n=", ""},
}};

void AppendByte(std::string& encoded, unsigned value)
{
    constexpr const char* hex = "0123456789ABCDEF";
    encoded += '%';
    encoded += hex[(value >> 4) & 0xF];
    encoded += hex[value & 0xF];
}

void AppendUnit(std::string& encoded, char32_t unit)
{
    if (unit < 128) {
        encoded += static_cast<char>(unit);
    } else if (unit < 2048) {
        AppendByte(encoded, 192 | (unit / 64));
        AppendByte(encoded, 128 | (unit & 63));
    } else {
        AppendByte(encoded, 224 | (unit / 4096));
        AppendByte(encoded, 128 | ((unit / 64) & 63));
        AppendByte(encoded, 128 | (unit & 63));
    }
}

std::string ReplaceSpaces(std::string text, char space)
{
    for (char& c : text) {
        if (c == ' ') {
            c = space;
        }
    }
    return text;
}

std::string SearchText(const SearchSite& site, const host::Services& services, const std::string& keywords)
{
    switch (site.keywords) {
    case Keywords::Encoded:
        return URLEncode(keywords);
    case Keywords::Translated:
        return ReplaceSpaces(Translate(services, keywords), site.space);
    case Keywords::AsTyped:
        break;
    }
    return ReplaceSpaces(keywords, site.space);
}

}  // namespace

std::string URLEncode(std::string_view text)
{
    std::string encoded;
    for (const char32_t codePoint : platform::DecodeUtf8(text)) {
        if (codePoint > 0xFFFF) {
            const char32_t offset = codePoint - 0x10000;
            AppendUnit(encoded, 0xD800 + (offset >> 10));
            AppendUnit(encoded, 0xDC00 + (offset & 0x3FF));
        } else {
            AppendUnit(encoded, codePoint);
        }
    }
    return encoded;
}

std::string Translate(const host::Services& services, const std::string& text)
{
    if (!services.http) {
        throw host::HostError("no HTTP client to reach the translation service");
    }
    const std::string address = EndpointAddress(services, Endpoint::TranslateServer) +
                                "/v2/Http.svc/Translate?appId=" + kTranslatorAppId + "&text=" + URLEncode(text) +
                                "&from=zh-CHS&to=en";
    const host::HttpResponse response = services.http->Get(address, kXmlRequestHeader, kPollInterval * kTranslatePolls);
    if (response.Status != 200) {
        return "";
    }
    // A 200 answer that holds no translation searches for nothing too.
    const std::vector<std::string> translation = response.responseXML->SelectNodes("/string");
    return translation.empty() ? std::string() : translation.front();
}

void SearchPic(int site, host::Application& application, const host::Services& services)
{
    if (site < 1 || site > static_cast<int>(kSites.size())) {
        throw std::out_of_range("there is no search site " + std::to_string(site));
    }
    const SearchSite& search = kSites[static_cast<std::size_t>(site - 1)];
    const std::string prompt =
        search.hint ? "请输入搜索关键词：\r(多个关键词之间请用空格间隔)" : "请输入搜索关键词：";
    const std::string keywords = services.prompts->InputBox(prompt, "图片搜索", "");
    if (keywords.empty()) {
        return;
    }
    const std::string text = SearchText(search, services, keywords);
    application.ActivePresentation()->FollowHyperlink(EndpointAddress(services, search.host) + search.before + text +
                                                      search.after);
}

}  // namespace velmora::web
