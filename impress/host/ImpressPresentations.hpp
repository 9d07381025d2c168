#pragma once

#include <memory>

#include "host/Presentation.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The presentation of the frame, and those a tool opens without a window.
class ImpressPresentations : public host::Presentations {
public:
    explicit ImpressPresentations(std::shared_ptr<LiveDocument> document);

    int Count() const override;
    host::Ref<host::Presentation> Item(int index) override;
    host::Ref<host::Presentation> Add(bool withWindow) override;
    // Opens the file hidden; Impress has no untitled copies of a file.
    host::Ref<host::Presentation> Open(const std::filesystem::path& file, bool readOnly, bool untitled,
                                       bool withWindow) override;

private:
    std::shared_ptr<LiveDocument> document_;
};

}  // namespace velmora::impress
