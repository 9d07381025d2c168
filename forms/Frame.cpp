#include "forms/Frame.hpp"

namespace velmora::forms {

Frame::Frame(Container& parent, std::string name) : Control(parent, std::move(name)), Container(parent.Form()) {}

}  // namespace velmora::forms
