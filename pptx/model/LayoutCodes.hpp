#pragma once

#include <string>
#include <vector>

// The object model's layout codes and the file format's layout types.
namespace velmora::pptx::model {

// The code of a layout type ("title" -> 1); 32 (custom) for types without one.
int LayoutCode(const std::string& type);
// The layout types that serve a code, best first; empty for unknown codes.
std::vector<std::string> LayoutTypes(int code);

}  // namespace velmora::pptx::model
