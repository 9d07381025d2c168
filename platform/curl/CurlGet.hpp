#pragma once

#include "platform/HttpModule.hpp"

namespace velmora::platform {

// One GET on a libcurl handle of its own.
HttpAnswer CurlGet(const HttpRequest& request);

}  // namespace velmora::platform
