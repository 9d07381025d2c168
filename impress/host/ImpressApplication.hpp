#pragma once

#include <memory>

#include "host/Application.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The application as one Impress frame shows it: its presentation, its
// window and the window's selection.
class ImpressApplication : public host::Application {
public:
    explicit ImpressApplication(std::shared_ptr<LiveDocument> document);

    host::Ref<host::Presentation> ActivePresentation() override;
    host::Ref<host::DocumentWindow> ActiveWindow() override;
    host::Ref<host::Presentations> Presentations() override;
    std::string Version() const override;
    host::Ref<host::FileDialog> FileDialog(int type) override;
    int WindowState() const override;
    void SetWindowState(int windowState) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;

private:
    void RequirePresentation() const;

    std::shared_ptr<LiveDocument> document_;
};

}  // namespace velmora::impress
