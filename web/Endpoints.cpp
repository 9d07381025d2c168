#include "web/Endpoints.hpp"

#include <algorithm>
#include <cstdlib>

#include "host/SettingsStore.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::web {

std::span<const EndpointEntry> EndpointTable()
{
    static constexpr EndpointEntry entries[] = {
        {Endpoint::UpdateServer, "UpdateServer", "VELMORA_UPDATE_SERVER", "http://velmora.orvaldi.net"},
        {Endpoint::ProductPage, "ProductPage", "VELMORA_PRODUCT_PAGE", "http://velmora.orvaldi.net/"},
        {Endpoint::ResourcesPage, "ResourcesPage", "VELMORA_RESOURCES_PAGE", "http://velmora.orvaldi.net/resources/"},
        {Endpoint::SharePicture, "SharePicture", "VELMORA_SHARE_PICTURE",
         "http://velmora.orvaldi.net/images/velmora-share.png"},
        {Endpoint::ShareService, "ShareService", "VELMORA_SHARE_SERVICE", "http://service.weibo.com"},
        {Endpoint::TranslateServer, "TranslateServer", "VELMORA_TRANSLATE_SERVER",
         "http://api.microsofttranslator.com"},
        {Endpoint::SearchSite1, "SearchSite1", "VELMORA_SEARCH_SITE1", "http://www.quanjing.com"},
        {Endpoint::SearchSite2, "SearchSite2", "VELMORA_SEARCH_SITE2", "http://www.nipic.com"},
        {Endpoint::SearchSite3, "SearchSite3", "VELMORA_SEARCH_SITE3", "http://www.gettyimages.cn"},
        {Endpoint::SearchSite4, "SearchSite4", "VELMORA_SEARCH_SITE4", "http://www.flickr.com"},
        {Endpoint::SearchSite5, "SearchSite5", "VELMORA_SEARCH_SITE5", "http://www.istockphoto.com"},
        {Endpoint::SearchSite6, "SearchSite6", "VELMORA_SEARCH_SITE6", "http://www.iconpng.com"},
        {Endpoint::SearchSite7, "SearchSite7", "VELMORA_SEARCH_SITE7", "http://findicons.com"},
        {Endpoint::SearchSite8, "SearchSite8", "VELMORA_SEARCH_SITE8", "http://www.mricons.com"},
        {Endpoint::SearchSite9, "SearchSite9", "VELMORA_SEARCH_SITE9", "http://iconlet.com"},
        {Endpoint::AuthorFollowPage, "AuthorFollowPage", "VELMORA_AUTHOR_FOLLOW_PAGE",
         "http://weibo.com/u/1850620774"},
        {Endpoint::AuthorHomePage, "AuthorHomePage", "VELMORA_AUTHOR_HOME_PAGE", "http://weibo.com/orvaldi"},
        {Endpoint::AuthorBlog, "AuthorBlog", "VELMORA_AUTHOR_BLOG", "http://blog.orvaldi.net/"},
        {Endpoint::CommunitySite1, "CommunitySite1", "VELMORA_COMMUNITY_SITE1",
         "http://bbs.orvaldi.net/?fromuid=62077"},
        {Endpoint::CommunitySite2, "CommunitySite2", "VELMORA_COMMUNITY_SITE2",
         "http://club.orvaldi.net/register.php?ref=62077"},
        {Endpoint::AuthorMail, "AuthorMail", "VELMORA_AUTHOR_MAIL", "orvaldi@velmora.orvaldi.net"},
        {Endpoint::DonationPage, "DonationPage", "VELMORA_DONATION_PAGE", "http://velmora.orvaldi.net/donate/"},
        {Endpoint::BookSite, "BookSite", "VELMORA_BOOK_SITE", "https://search.douban.com"},
    };
    return entries;
}

std::string EndpointAddress(const host::Services& services, Endpoint endpoint)
{
    const auto table = EndpointTable();
    const auto entry = std::ranges::find(table, endpoint, &EndpointEntry::endpoint);
    const std::string environment(entry->environment);
    if (const char* value = std::getenv(environment.c_str()); value != nullptr && *value != '\0') {
        return value;
    }
    if (services.settings) {
        std::string value = services.settings->GetSetting(host::kAppName, kEndpointsSection, std::string(entry->key));
        if (!value.empty()) {
            return value;
        }
    }
    return std::string(entry->address);
}

bool IsWebAddress(std::string_view address)
{
    const std::string lower = platform::AsciiLower(address.substr(0, 8));
    return lower.starts_with("http://") || lower.starts_with("https://");
}

}  // namespace velmora::web
