#pragma once

#include <span>
#include <string>
#include <string_view>

#include "host/Services.hpp"

namespace velmora::web {

// Every outside address the add-in reaches, each a base address (scheme and
// host, sometimes a path) that the commands extend.
enum class Endpoint {
    UpdateServer,
    ProductPage,
    ResourcesPage,
    SharePicture,
    ShareService,
    TranslateServer,
    SearchSite1,
    SearchSite2,
    SearchSite3,
    SearchSite4,
    SearchSite5,
    SearchSite6,
    SearchSite7,
    SearchSite8,
    SearchSite9,
    AuthorFollowPage,
    AuthorHomePage,
    AuthorBlog,
    CommunitySite1,
    CommunitySite2,
    AuthorMail,
    DonationPage,
    BookSite,
};

struct EndpointEntry {
    Endpoint endpoint;
    std::string_view key;          // in the settings section "Endpoints"
    std::string_view environment;  // the variable that overrides both
    std::string_view address;      // the built-in value
};

inline constexpr const char* kEndpointsSection = "Endpoints";

std::span<const EndpointEntry> EndpointTable();

// The environment variable when set and not empty, else the settings key when
// present and not empty, else the built-in value; so tests and mirrors can
// point any of them elsewhere.
std::string EndpointAddress(const host::Services& services, Endpoint endpoint);

// http or https: the only addresses from the network that the add-in opens or
// embeds.
bool IsWebAddress(std::string_view address);

}  // namespace velmora::web
