#pragma once

#include <string>

#include "host/Application.hpp"
#include "host/Services.hpp"

// The personal mark: a text hidden in every slide's tags, and its detection.
namespace velmora::doctools {

void AddPersonalMark_Main(host::Application& application, const host::Services& services);
void ReadPersonalMark_Main(host::Application& application, const host::Services& services);

// found / total as a whole percentage ("0%" format); an exact half goes up,
// as the runtime's number format rounds (1 of 8 slides gives "13%").
std::string FormatPercent(int found, int total);

}  // namespace velmora::doctools
