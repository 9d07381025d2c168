#pragma once

#include "forms/FormDriver.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

// The colour tools' ribbon commands.
namespace velmora::color {

// Opens the palette modeless, creating it unless it is open already.
void Setcolor_main(host::Application& application, const host::Services& services, forms::FormDriver& driver);

}  // namespace velmora::color
