#pragma once

#include "forms/FormDriver.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

// Insertion of a Flash movie on the current slide.
namespace velmora::flash {

inline constexpr const char* kNotAMovieMessage = "所选文件不是有效的Flash动画(.swf)文件，无法插入！";

void AddFlash_main(host::Application& application, const host::Services& services, forms::FormDriver& driver);

}  // namespace velmora::flash
