#pragma once

#include "host/Application.hpp"
#include "host/Services.hpp"

// Removal of the main-sequence animation effects of slides.
namespace velmora::doctools {

void RemoveAnimation_All_Main(host::Application& application, const host::Services& services);
void RemoveAnimation_Select_Main(host::Application& application, const host::Services& services);

}  // namespace velmora::doctools
