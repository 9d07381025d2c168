#pragma once

#include "platform/PrivateFolder.hpp"

namespace velmora::render {

// The renderer's scratch folders are the platform's.
using platform::PrivateFolder;

}  // namespace velmora::render
