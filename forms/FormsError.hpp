#pragma once

#include <stdexcept>
#include <string>

namespace velmora::forms {

// A control name the form does not have (or not of the kind asked for).
// An std::invalid_argument, so that a script naming it is bad usage.
class UnknownControl : public std::invalid_argument {
public:
    explicit UnknownControl(const std::string& message) : std::invalid_argument(message) {}
};

}  // namespace velmora::forms
