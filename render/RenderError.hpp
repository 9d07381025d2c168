#pragma once

#include <stdexcept>
#include <string>

namespace velmora::render {

// Every failure of the rendering layer; the document host turns it into its
// host error, so the message must tell a user what went wrong.
class RenderError : public std::runtime_error {
public:
    explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace velmora::render
