#include "doctools/SplitDoc.hpp"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <numeric>
#include <string>
#include <system_error>
#include <vector>

#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "platform/SlideTagProperties.hpp"
#include "platform/TemporaryName.hpp"

namespace velmora::doctools {

namespace {

using platform::kSelectedTag;

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

// Slide indexes from..to, for one deletion of them all.
std::vector<int> IndexRange(int from, int to)
{
    std::vector<int> indexes(static_cast<std::size_t>(std::max(0, to - from + 1)));
    std::iota(indexes.begin(), indexes.end(), from);
    return indexes;
}

// Writes the copy, trimmed by `trim` when it is given: the full copy waits
// under a temporary name beside it, so that the split name only ever holds
// the trimmed copy, even when the run is cut short.
void WriteSplitCopy(host::Application& application, const host::Services& services,
                    host::Presentation& presentation, const std::filesystem::path& copyPath,
                    const std::function<void(host::Presentation& copy)>& trim)
{
    if (!trim) {
        presentation.SaveCopyAs(copyPath);
        return;
    }
    const std::string extension = host::Extension(presentation.Name());
    const platform::TemporaryName name(*services.random, copyPath.parent_path(), 1000000, {extension});
    const std::filesystem::path temporary = std::filesystem::path(name.Path()) += extension;
    const auto removeTemporary = [&temporary] {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    };
    try {
        presentation.SaveCopyAs(temporary);
        auto copy = application.Presentations()->Open(temporary, false, false, false);
        trim(*copy);
        copy->SaveCopyAs(copyPath);
        copy->Close();
    } catch (...) {
        removeTemporary();
        throw;
    }
    removeTemporary();
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
    std::function<void(host::Presentation&)> trim;
    if (current > 1) {
        // The slides before the current one go together: one by one, each would look over the whole package.
        trim = [current](host::Presentation& copy) { copy.Slides()->Range(IndexRange(1, current - 1))->Delete(); };
    }
    WriteSplitCopy(application, services, *presentation, copyPath, trim);
    services.FileWritten(copyPath);

    if (!KeepInSource(*services.prompts, "拆分后是否在原文档中保留？保留(Yes) 不保留(No):")) {
        presentation->Slides()->Range(IndexRange(current, presentation->Slides()->Count()))->Delete();
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
    const int total = presentation->Slides()->Count();
    std::function<void(host::Presentation&)> trim;
    if (total - *count > 0) {
        trim = [total, count = *count](host::Presentation& copy) {
            host::Suppressed([&] {
                copy.Slides()->Range(UnselectedSlides(copy, static_cast<std::size_t>(total - count)))->Delete();
            });
        };
    }
    WriteSplitCopy(application, services, *presentation, copyPath, trim);
    services.FileWritten(copyPath);

    if (!KeepInSource(*services.prompts, "提取后是否在原文档中保留？保留(Yes) 不保留(No):")) {
        application.ActiveWindow()->Selection()->SlideRange()->Delete();
    }
    ReportSplit(*services.prompts, fileName);
}

}  // namespace velmora::doctools
