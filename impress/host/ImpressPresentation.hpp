#pragma once

#include <memory>

#include "host/Presentation.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The presentation open in the frame.
class ImpressPresentation : public host::Presentation {
public:
    explicit ImpressPresentation(std::shared_ptr<LiveDocument> document);

    std::string Path() const override;
    std::string Name() const override;
    std::string FullName() const override;
    bool Saved() const override;
    host::Ref<host::Slides> Slides() override;
    host::Ref<host::PageSetup> PageSetup() override;
    void SaveAs(const std::filesystem::path& file, int format, int embedFonts) override;
    void SaveCopyAs(const std::filesystem::path& file) override;
    void Save() override;
    void Close() override;
    void Export(const std::filesystem::path& path, const std::string& filter, int scaleWidth, int scaleHeight) override;
    void FollowHyperlink(const std::string& address) override;

private:
    std::filesystem::path File() const;

    std::shared_ptr<LiveDocument> document_;
};

// The file address of a path, as storeToURL and loadComponentFromURL take it.
rtl::OUString FileUrl(const std::filesystem::path& file);
// Impress's export filter for a file name's extension.
rtl::OUString FilterFor(const std::filesystem::path& file);

}  // namespace velmora::impress
