#include "tests/publish/RecordingHost.hpp"

#include <ostream>

namespace velmora::testing {

namespace {

using host::Ref;

[[noreturn]] void Unused(const char* member)
{
    throw host::HostError(std::string("the recording host has no ") + member);
}

class RecordedSlide : public host::Slide {
public:
    RecordedSlide(std::shared_ptr<RecordedDeck> deck, int index) : deck_(std::move(deck)), index_(index) {}

    int SlideIndex() const override { return index_; }
    int SlideID() const override { return 255 + index_; }
    Ref<host::Shapes> Shapes() override { Unused("Shapes"); }
    Ref<host::NotesPage> NotesPage() override { Unused("NotesPage"); }
    Ref<host::TimeLine> TimeLine() override { Unused("TimeLine"); }
    Ref<host::SlideShowTransition> SlideShowTransition() override { Unused("SlideShowTransition"); }
    Ref<host::Tags> Tags() override { Unused("Tags"); }
    int Layout() const override { Unused("Layout"); }
    void Export(const std::filesystem::path& file, const std::string& filter, int width, int height) override
    {
        deck_->exports.push_back({index_, file, filter, width, height});
    }
    void Delete() override { Unused("Delete"); }

private:
    std::shared_ptr<RecordedDeck> deck_;
    int index_;
};

class RecordedSlideRange : public host::SlideRange {
public:
    explicit RecordedSlideRange(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    int Count() const override { return static_cast<int>(deck_->selectedSlides->size()); }
    Ref<host::Slide> Item(int index) override
    {
        return std::make_shared<RecordedSlide>(deck_, deck_->selectedSlides->at(index - 1));
    }
    int SlideIndex() const override { Unused("SlideRange.SlideIndex"); }
    int SlideID() const override { Unused("SlideRange.SlideID"); }
    Ref<host::Shapes> Shapes() override { Unused("SlideRange.Shapes"); }
    Ref<host::NotesPage> NotesPage() override { Unused("SlideRange.NotesPage"); }
    Ref<host::TimeLine> TimeLine() override { Unused("SlideRange.TimeLine"); }
    Ref<host::SlideShowTransition> SlideShowTransition() override { Unused("SlideRange.SlideShowTransition"); }
    Ref<host::Tags> Tags() override { Unused("SlideRange.Tags"); }
    int Layout() const override { Unused("SlideRange.Layout"); }
    void Export(const std::filesystem::path&, const std::string&, int, int) override { Unused("SlideRange.Export"); }
    void Delete() override { Unused("SlideRange.Delete"); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

class RecordedSelection : public host::Selection {
public:
    explicit RecordedSelection(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    int Type() const override
    {
        return deck_->selectedSlides ? host::SelectionType::Slides : host::SelectionType::None;
    }
    Ref<host::SlideRange> SlideRange() override
    {
        if (!deck_->selectedSlides) {
            throw host::HostError("nothing is selected");
        }
        return std::make_shared<RecordedSlideRange>(deck_);
    }
    Ref<host::ShapeRange> ShapeRange() override { Unused("ShapeRange"); }
    Ref<host::TextRange> TextRange() override { Unused("TextRange"); }
    Ref<host::ShapeRange> ChildShapeRange() override { Unused("ChildShapeRange"); }
    bool HasChildShapeRange() const override { return false; }
    void Unselect() override { deck_->selectedSlides.reset(); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

class RecordedPageSetup : public host::PageSetup {
public:
    explicit RecordedPageSetup(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    float SlideWidth() const override { return deck_->slideWidth; }
    void SetSlideWidth(float points) override { deck_->slideWidth = points; }
    float SlideHeight() const override { return deck_->slideHeight; }
    void SetSlideHeight(float points) override { deck_->slideHeight = points; }
    int SlideSize() const override { return host::SlideSize::Custom; }
    void SetSlideSize(int) override { Unused("SetSlideSize"); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

class RecordedSlides : public host::Slides {
public:
    explicit RecordedSlides(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    int Count() const override { return deck_->slideCount; }
    Ref<host::Slide> Item(int index) override { return std::make_shared<RecordedSlide>(deck_, index); }
    Ref<host::SlideRange> Range(const std::vector<int>&) override { Unused("Slides.Range"); }
    Ref<host::Slide> Add(int, int) override { Unused("Slides.Add"); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

class RecordedPresentation : public host::Presentation {
public:
    explicit RecordedPresentation(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    std::string Path() const override { return deck_->path; }
    std::string Name() const override { return deck_->name; }
    std::string FullName() const override { return deck_->path + "/" + deck_->name; }
    bool Saved() const override { return true; }
    Ref<host::Slides> Slides() override { return std::make_shared<RecordedSlides>(deck_); }
    Ref<host::PageSetup> PageSetup() override { return std::make_shared<RecordedPageSetup>(deck_); }
    void SaveAs(const std::filesystem::path&, int, int) override { Unused("SaveAs"); }
    void SaveCopyAs(const std::filesystem::path&) override { Unused("SaveCopyAs"); }
    void Save() override { Unused("Save"); }
    void Close() override { Unused("Close"); }
    void Export(const std::filesystem::path& path, const std::string& filter, int width, int height) override
    {
        deck_->exports.push_back({0, path, filter, width, height});
    }
    void FollowHyperlink(const std::string&) override { Unused("FollowHyperlink"); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

class RecordedWindow : public host::DocumentWindow {
public:
    explicit RecordedWindow(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    Ref<host::Selection> Selection() override { return std::make_shared<RecordedSelection>(deck_); }
    Ref<host::View> View() override { Unused("View"); }
    Ref<host::Presentation> Presentation() override { return std::make_shared<RecordedPresentation>(deck_); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

class RecordedApplication : public host::Application {
public:
    explicit RecordedApplication(std::shared_ptr<RecordedDeck> deck) : deck_(std::move(deck)) {}

    Ref<host::Presentation> ActivePresentation() override { return std::make_shared<RecordedPresentation>(deck_); }
    Ref<host::DocumentWindow> ActiveWindow() override { return std::make_shared<RecordedWindow>(deck_); }
    Ref<host::Presentations> Presentations() override { Unused("Presentations"); }
    std::string Version() const override { return "14.0"; }
    Ref<host::FileDialog> FileDialog(int) override { Unused("FileDialog"); }

private:
    std::shared_ptr<RecordedDeck> deck_;
};

}  // namespace

std::ostream& operator<<(std::ostream& out, const ExportCall& call)
{
    return out << (call.slide == 0 ? std::string("presentation") : "slide " + std::to_string(call.slide)) << " -> "
               << call.path << " " << call.filter << " " << call.width << "x" << call.height;
}

std::shared_ptr<host::Application> CreateRecordingHost(std::shared_ptr<RecordedDeck> deck)
{
    return std::make_shared<RecordedApplication>(std::move(deck));
}

void RecordingShell::OpenAddress(const std::string&)
{
    Unused("OpenAddress");
}

void RecordingShell::ShowFolder(const std::filesystem::path& folder)
{
    if (fails_) {
        throw host::HostError("no desktop to show " + folder.string() + " in");
    }
    shown.push_back(folder);
}

}  // namespace velmora::testing
