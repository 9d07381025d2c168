#pragma once

#include <string>
#include <string_view>

#include "host/Application.hpp"
#include "host/Services.hpp"

namespace velmora::web {

// The fixed application id the translation service knows the add-in by.
inline constexpr const char* kTranslatorAppId = "7D2A91C4E05B38F6A1C94D07E2B5F8316CA09E4B";

// Each UTF-16 code unit of the text in UTF-8 form, every byte of 128 and
// above as "%XX"; units below 128 (spaces and punctuation too) pass through,
// and the halves of a surrogate pair are encoded one by one.
std::string URLEncode(std::string_view text);

// The keywords from simplified Chinese to English; empty unless the service
// answers with status 200. Raises the host error when no answer came.
std::string Translate(const host::Services& services, const std::string& text);

// The search on site 1 to 9 (SearchUrl1_Click ... SearchUrl9_Click): asks
// for keywords and opens the site's search for them.
void SearchPic(int site, host::Application& application, const host::Services& services);

}  // namespace velmora::web
