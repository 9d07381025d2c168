#include "doctools/Notes.hpp"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "doctools/TextFile.hpp"
#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/MsoConstants.hpp"
#include "host/Preconditions.hpp"
#include "platform/Moment.hpp"

namespace velmora::doctools {

namespace {

// The text of the notes page's body placeholder; empty when the page has
// none. Found by type: other writers put the body before the slide picture.
host::Ref<host::TextRange> NotesBody(host::Slide& slide)
{
    auto placeholders = slide.NotesPage()->Shapes()->Placeholders();
    const int count = placeholders->Count();
    for (int i = 1; i <= count; ++i) {
        auto placeholder = placeholders->Item(i);
        if (placeholder->PlaceholderFormat()->Type() == host::PlaceholderType::Body) {
            return placeholder->TextFrame()->TextRange();
        }
    }
    return nullptr;
}

// A line break inside a run ends a line as a paragraph break does, so that
// every line of the file ends in CR LF.
std::vector<std::string> NotesLines(const std::string& notes)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] == '\r' || notes[i] == '\n') {
            i += notes.compare(i, 2, "\r\n") == 0 ? 1 : 0;
            lines.emplace_back();
        } else {
            lines.back() += notes[i];
        }
    }
    return lines;
}

void ClearNotes(host::Slide& slide)
{
    if (const auto body = NotesBody(slide)) {
        body->SetText("");
    }
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
        const auto body = NotesBody(slide);
        const std::string notes = body ? body->Text() : std::string();
        if (notes.empty()) {
            return;
        }
        for (std::string& line : NotesLines(notes)) {
            lines_.push_back(std::move(line));
        }
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
        ClearNotes(*slides->Item(i));
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
        ClearNotes(*host::SelectedSlide(application, i));
    }
    services.prompts->MsgBox("当前选定幻灯片的备注信息已删除！", host::MsgStyle::Information);
}

}  // namespace velmora::doctools
