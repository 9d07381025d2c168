#pragma once

#include "host/Application.hpp"
#include "host/Services.hpp"

// Splitting a presentation: the slides from the current one on, or the
// selected slides, go to a copy beside it.
namespace velmora::doctools {

void SplitDoc_fromhere_Main(host::Application& application, const host::Services& services);
void SplitDoc_selection_Main(host::Application& application, const host::Services& services);

}  // namespace velmora::doctools
