#include "doctools/Notes.hpp"

#include <filesystem>
#include <string>
#include <vector>

#include "doctools/TextFile.hpp"
#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "platform/Moment.hpp"

namespace velmora::doctools {

namespace {

host::Ref<host::TextRange> NotesBody(host::Slide& slide)
{
    return slide.NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange();
}

// The notes file beside the presentation, its lines collected before it is
// written in one piece.
class NotesFile {
public:
    NotesFile(host::Presentation& presentation, const host::Clock& clock)
        : name_(host::BaseName(presentation.Name()) + "-导出备注_" +
                platform::FormatMoment(clock.Now(), "YY-MM-DD_hh-mm-ss") + ".txt"),
          path_(std::filesystem::path(presentation.Path()) / name_)
    {
        lines_.push_back("VelmoraV2.0-导出备注，创建于" + platform::FormatMoment(clock.Now(), "YYYY年MM月DD日hh:mm:ss"));
    }

    void AddSlide(host::Slide& slide)
    {
        lines_.emplace_back();
        lines_.push_back("Slide" + std::to_string(slide.SlideIndex()) + ":");
        const std::string notes = NotesBody(slide)->Text();
        if (notes.empty()) {
            return;
        }
        std::string::size_type start = 0;
        for (auto end = notes.find('\r'); end != std::string::npos; end = notes.find('\r', start)) {
            lines_.push_back(notes.substr(start, end - start));
            start = end + 1;
        }
        lines_.push_back(notes.substr(start));
    }

    void Write(const host::Services& services) const
    {
        WriteAnsiLines(path_, lines_);
        services.FileWritten(path_);
    }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::filesystem::path path_;
    std::vector<std::string> lines_;
};

void ReportExport(host::Prompts& prompts, const std::string& headline, const std::string& fileName)
{
    prompts.MsgBox(headline + "\r已保存在当前路径下的以下文件中：\r" + fileName, host::MsgStyle::Information);
}

}  // namespace

void ExportComment_All_Main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts) ||
        host::RefuseNeverSaved(*presentation, *services.prompts)) {
        return;
    }
    NotesFile file(*presentation, *services.clock);
    auto slides = presentation->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        file.AddSlide(*slides->Item(i));
    }
    file.Write(services);
    ReportExport(*services.prompts, "所有备注信息已导出!", file.name());
}

void ExportComment_Select_Main(host::Application& application, const host::Services& services)
{
    const auto count = host::SelectedSlideCount(application, *services.prompts);
    if (!count) {
        return;
    }
    auto presentation = application.ActivePresentation();
    if (host::RefuseNeverSaved(*presentation, *services.prompts)) {
        return;
    }
    NotesFile file(*presentation, *services.clock);
    for (int i = *count; i >= 1; --i) {
        file.AddSlide(*host::SelectedSlide(application, i));
    }
    file.Write(services);
    ReportExport(*services.prompts, "当前选定幻灯片的备注信息已导出!", file.name());
}

void DeleteComment_All_Main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts)) {
        return;
    }
    auto slides = presentation->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        NotesBody(*slides->Item(i))->SetText("");
    }
    services.prompts->MsgBox("所有备注信息已删除!", host::MsgStyle::Information);
}

void DeleteComment_Select_Main(host::Application& application, const host::Services& services)
{
    const auto count = host::SelectedSlideCount(application, *services.prompts);
    if (!count) {
        return;
    }
    for (int i = 1; i <= *count; ++i) {
        NotesBody(*host::SelectedSlide(application, i))->SetText("");
    }
    services.prompts->MsgBox("当前选定幻灯片的备注信息已删除！", host::MsgStyle::Information);
}

}  // namespace velmora::doctools
