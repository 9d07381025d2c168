#pragma once

#include "forms/FormDriver.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

// High-resolution slide pictures of the active presentation.
namespace velmora::publish {

void ExportPic_main(host::Application& application, const host::Services& services, forms::FormDriver& driver);

}  // namespace velmora::publish
