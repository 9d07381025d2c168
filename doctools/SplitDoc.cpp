#include "doctools/SplitDoc.hpp"

#include <filesystem>
#include <string>
#include <vector>

#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"

namespace velmora::doctools {

namespace {

constexpr const char* kSelectedTag = "selected";

std::string SplitFileName(const host::Presentation& presentation)
{
    const std::string name = presentation.Name();
    return host::BaseName(name) + "-拆分文档" + host::Extension(name);
}

bool KeepInSource(host::Prompts& prompts, const char* question)
{
    return prompts.MsgBox(question, host::MsgStyle::YesNo) == host::MsgAnswer::Yes;
}

void ReportSplit(host::Prompts& prompts, const std::string& fileName)
{
    prompts.MsgBox(std::string("拆分文档已保存在当前路径下的以下文件中：\r") + fileName, host::MsgStyle::Information);
}

host::Ref<host::Presentation> OpenCopy(host::Application& application, const std::filesystem::path& copy)
{
    return application.Presentations()->Open(copy, false, false, false);
}

void TagSelection(host::Application& application, host::Presentation& presentation)
{
    auto slides = presentation.Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        host::Suppressed([&] { slides->Item(i)->Tags()->Add(kSelectedTag, "False"); });
    }
    host::Suppressed([&] {
        auto selected = application.ActiveWindow()->Selection()->SlideRange();
        for (int i = 1; i <= selected->Count(); ++i) {
            host::Suppressed([&] { selected->Item(i)->Tags()->Add(kSelectedTag, "True"); });
        }
    });
}

// Indexes of the copy's slides whose tag does not read as true, at most `limit`.
std::vector<int> UnselectedSlides(host::Presentation& copy, std::size_t limit)
{
    std::vector<int> indexes;
    auto slides = copy.Slides();
    for (int i = 1; i <= slides->Count() && indexes.size() < limit; ++i) {
        host::Suppressed([&] {
            auto slide = slides->Item(i);
            if (slide->Tags()->Item(kSelectedTag) != "True") {
                indexes.push_back(slide->SlideIndex());
            }
        });
    }
    return indexes;
}

}  // namespace

void SplitDoc_fromhere_Main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts) ||
        host::RefuseNeverSaved(*presentation, *services.prompts)) {
        return;
    }
    int current = 0;
    if (host::Suppressed([&] { current = application.ActiveWindow()->View()->Slide()->SlideIndex(); })) {
        services.prompts->MsgBox("没有选定起始幻灯片！", host::MsgStyle::Critical);
        return;
    }

    const std::string fileName = SplitFileName(*presentation);
    const auto copyPath = std::filesystem::path(presentation->Path()) / fileName;
    presentation->SaveCopyAs(copyPath);
    services.FileWritten(copyPath);
    if (current > 1) {
        auto copy = OpenCopy(application, copyPath);
        for (int i = 1; i < current; ++i) {
            copy->Slides()->Item(1)->Delete();
        }
        copy->Save();
        copy->Close();
    }

    if (!KeepInSource(*services.prompts, "拆分后是否在原文档中保留？保留(Yes) 不保留(No):")) {
        const int moved = presentation->Slides()->Count() - current + 1;
        for (int i = 0; i < moved; ++i) {
            presentation->Slides()->Item(current)->Delete();
        }
    }
    ReportSplit(*services.prompts, fileName);
}

void SplitDoc_selection_Main(host::Application& application, const host::Services& services)
{
    const auto count = host::SelectedSlideCount(application, *services.prompts);
    if (!count) {
        return;
    }
    auto presentation = application.ActivePresentation();
    if (host::RefuseNeverSaved(*presentation, *services.prompts)) {
        return;
    }
    TagSelection(application, *presentation);

    const std::string fileName = SplitFileName(*presentation);
    const auto copyPath = std::filesystem::path(presentation->Path()) / fileName;
    presentation->SaveCopyAs(copyPath);
    services.FileWritten(copyPath);
    const int total = presentation->Slides()->Count();
    if (total - *count > 0) {
        auto copy = OpenCopy(application, copyPath);
        host::Suppressed([&] {
            copy->Slides()->Range(UnselectedSlides(*copy, static_cast<std::size_t>(total - *count)))->Delete();
        });
        copy->Save();
        copy->Close();
    }

    if (!KeepInSource(*services.prompts, "提取后是否在原文档中保留？保留(Yes) 不保留(No):")) {
        application.ActiveWindow()->Selection()->SlideRange()->Delete();
    }
    ReportSplit(*services.prompts, fileName);
}

}  // namespace velmora::doctools
