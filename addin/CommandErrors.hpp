#pragma once

#include <stdexcept>
#include <string>

namespace velmora::addin {

// A command name that no ribbon control carries.
class UnknownCommand : public std::invalid_argument {
public:
    explicit UnknownCommand(const std::string& name)
        : std::invalid_argument("unknown command \"" + name + "\"")
    {
    }
};

}  // namespace velmora::addin
