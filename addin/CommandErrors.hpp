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

// A ribbon command whose tool is not built yet: it refuses instead of
// pretending to work.
class CommandNotAvailable : public std::runtime_error {
public:
    explicit CommandNotAvailable(const std::string& name)
        : std::runtime_error(name + ": this command is not available yet")
    {
    }
};

}  // namespace velmora::addin
