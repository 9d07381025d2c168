#pragma once

#include <string>

#include "forms/FormDriver.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

namespace velmora::web {

// The author's account on the microblog service, named in every share link.
inline constexpr const char* kAuthorAccountId = "1850620774";
inline constexpr const char* kShareText = "我正在使用【PPTVelmoraV2.0】，功能很强大哦，你也赶紧来试试吧。";

// The help and resource commands of the ribbon; each opens its page through
// the active presentation, as the host's hyperlinks do.
void PPTBooks_Click(host::Application& application, const host::Services& services);
void OnlineHelp_Click(host::Application& application, const host::Services& services);
void SharetoWeibo_Click(host::Application& application, const host::Services& services);
void About_Click(const host::Services& services);
void Author_Click(host::Application& application, const host::Services& services, forms::FormDriver& driver);

// This product's share picture and page from the remote descriptor. When the
// descriptor cannot be had both keep the values they came with; otherwise an
// empty value, or one that is not a web address, becomes our own.
void GetShareUrl(const host::Services& services, std::string& Piclink, std::string& ShareUrl);

// The share link for the microblog service.
std::string ShareAddress(const host::Services& services, const std::string& picture, const std::string& page);

}  // namespace velmora::web
