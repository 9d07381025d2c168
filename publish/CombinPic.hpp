#pragma once

#include "forms/FormDriver.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

// Several slides joined into one picture.
namespace velmora::publish {

void CombinPic_main(host::Application& application, const host::Services& services, forms::FormDriver& driver);

}  // namespace velmora::publish
