#pragma once

#include <functional>

#include "host/TextRange.hpp"

namespace velmora::pptx::shapes {

// A colour property of a fill, outline or font, read and written through its owner.
class DocumentColor : public host::ColorFormat {
public:
    DocumentColor(std::function<host::Color()> read, std::function<void(host::Color)> write);

    host::Color RGB() const override;
    void SetRGB(host::Color value) override;

private:
    std::function<host::Color()> read_;
    std::function<void(host::Color)> write_;
};

}  // namespace velmora::pptx::shapes
