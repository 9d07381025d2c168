#pragma once

#include "host/Application.hpp"
#include "host/Services.hpp"

// Export and deletion of speaker notes.
namespace velmora::doctools {

void ExportComment_All_Main(host::Application& application, const host::Services& services);
void ExportComment_Select_Main(host::Application& application, const host::Services& services);
void DeleteComment_All_Main(host::Application& application, const host::Services& services);
void DeleteComment_Select_Main(host::Application& application, const host::Services& services);

}  // namespace velmora::doctools
