#include "cli/DemoDeck.hpp"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

#include "cli/ExitStatus.hpp"
#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"
#include "render/RasterModule.hpp"

namespace velmora::cli {
namespace {

using host::Ref;

constexpr const char* kGroupName = "Demo Group";
constexpr int kPictureWidth = 160;
constexpr int kPictureHeight = 100;

// A landscape: sky, sun and a hill.
std::vector<std::uint8_t> LandscapePixels()
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t{kPictureWidth} * std::size_t{kPictureHeight} * 3);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const double hill = 70.0 - 18.0 * std::sin(x / 30.0);
            const double sun = std::hypot(x - 118.0, y - 28.0);
            std::uint8_t r = static_cast<std::uint8_t>(110 + y);
            std::uint8_t g = static_cast<std::uint8_t>(170 + y / 2);
            std::uint8_t b = 235;
            if (y > hill) {
                r = 70;
                g = static_cast<std::uint8_t>(150 - (y - static_cast<int>(hill)));
                b = 60;
            } else if (sun < 14) {
                r = 255;
                g = 210;
                b = 70;
            }
            rgb.insert(rgb.end(), {r, g, b});
        }
    }
    return rgb;
}

// A PNG file in the temporary folder, removed when this goes.
class TemporaryPicture {
public:
    TemporaryPicture()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-demo-XXXXXX.png").string();
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) {
            throw host::HostError("cannot create a temporary picture file");
        }
        close(fd);
        path_ = pattern;
        const render::Raster landscape{{kPictureWidth, kPictureHeight}, LandscapePixels()};
        render::RasterModule().writePicture(landscape, render::PictureFormat::Png, path_);
    }
    ~TemporaryPicture()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TemporaryPicture(const TemporaryPicture&) = delete;
    TemporaryPicture& operator=(const TemporaryPicture&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

Ref<host::TextRange> PlaceholderText(host::Slide& slide, int index)
{
    return slide.Shapes()->Placeholders()->Item(index)->TextFrame()->TextRange();
}

void SetNotes(host::Slide& slide, const std::string& text)
{
    slide.NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText(text);
}

class DemoBuilder {
public:
    DemoBuilder(host::Presentation& presentation, std::ostream& err) : presentation_(presentation), err_(err) {}

    // One part of the deck; a host error leaves that part out.
    void Part(const std::string& name, const std::function<void()>& build)
    {
        try {
            build();
        } catch (const host::HostError& error) {
            err_ << "velmora demo-deck: " << name << " left out: " << error.what() << '\n';
        }
    }

    Ref<host::Slide> Slide(int index) { return presentation_.Slides()->Item(index); }

private:
    host::Presentation& presentation_;
    std::ostream& err_;
};

void AddSlides(host::Presentation& presentation)
{
    auto slides = presentation.Slides();
    slides->Add(1, host::SlideLayout::Title);
    slides->Add(2, host::SlideLayout::Text);
    slides->Add(3, host::SlideLayout::TitleOnly);
    slides->Add(4, host::SlideLayout::TitleOnly);
    slides->Add(5, host::SlideLayout::TitleOnly);
}

void BuildParts(DemoBuilder& deck)
{
    deck.Part("title slide", [&] {
        PlaceholderText(*deck.Slide(1), 1)->SetText("Velmora 示例演示文稿");
        PlaceholderText(*deck.Slide(1), 2)->SetText("velmora demo-deck");
    });
    deck.Part("slide titles", [&] {
        PlaceholderText(*deck.Slide(2), 1)->SetText("正文");
        PlaceholderText(*deck.Slide(3), 1)->SetText("表格");
        PlaceholderText(*deck.Slide(4), 1)->SetText("组合");
        PlaceholderText(*deck.Slide(5), 1)->SetText("图片");
    });
    deck.Part("body text", [&] {
        PlaceholderText(*deck.Slide(2), 2)->SetText("第一段正文\r第二段正文，带一个\v换行\r第三段正文");
    });
    deck.Part("notes", [&] {
        SetNotes(*deck.Slide(1), "标题页的备注只有一段。");
        SetNotes(*deck.Slide(2), "正文页备注的第一段。\r正文页备注的第二段。");
        SetNotes(*deck.Slide(4), "Notes in English, one paragraph.");
    });
    deck.Part("table", [&] {
        auto table = deck.Slide(3)->Shapes()->AddTable(3, 3, 60, 140, 600, 180)->Table();
        for (int row = 1; row <= 3; ++row) {
            for (int column = 1; column <= 3; ++column) {
                table->Cell(row, column)->Shape()->TextFrame()->TextRange()->SetText(
                    "R" + std::to_string(row) + "C" + std::to_string(column));
            }
        }
    });
    deck.Part("group", [&] {
        auto shapes = deck.Slide(4)->Shapes();
        const int first = shapes->Count() + 1;
        shapes->AddShape(host::AutoShapeType::Rectangle, 80, 160, 220, 140)->Fill()->ForeColor()->SetRGB(0xB4702E);
        shapes->AddShape(host::AutoShapeType::Oval, 340, 160, 140, 140)->Fill()->ForeColor()->SetRGB(0x3D55D2);
        shapes->AddTextbox(host::TextOrientation::Horizontal, 80, 320, 400, 40)->TextFrame()->TextRange()->SetText(
            "矩形和椭圆组合在一起");
        shapes->Range({first, first + 1})->Group()->SetName(kGroupName);
    });
    deck.Part("picture", [&] {
        const TemporaryPicture picture;
        deck.Slide(5)->Shapes()->AddPicture(picture.Path(), 0, -1, 200, 150, 320, 200);
    });
    deck.Part("animations", [&] {
        auto body = deck.Slide(2)->Shapes()->Placeholders()->Item(2);
        deck.Slide(2)->TimeLine()->MainSequence()->AddEffect(body, host::EffectType::Fade);
        auto group = deck.Slide(4)->Shapes()->Item(kGroupName);
        deck.Slide(4)->TimeLine()->MainSequence()->AddEffect(group, host::EffectType::Fly);
    });
    deck.Part("transitions", [&] {
        deck.Slide(2)->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Fade);
        deck.Slide(3)->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Push);
    });
}

}  // namespace

int WriteDemoDeck(const std::filesystem::path& file, std::ostream& err)
{
    try {
        auto application = pptx::CreateDocumentHost(host::Services{});
        auto presentation = application->Presentations()->Add(false);
        AddSlides(*presentation);
        DemoBuilder deck(*presentation, err);
        BuildParts(deck);
        presentation->SaveAs(file, host::SaveFormat::Presentation);
        presentation->Close();
    } catch (const host::HostError& error) {
        err << "velmora demo-deck: " << error.what() << '\n';
        return ExitStatus::HostFailure;
    } catch (const std::system_error& error) {
        err << "velmora demo-deck: " << error.what() << '\n';
        return ExitStatus::HostFailure;
    }
    return ExitStatus::Done;
}

}  // namespace velmora::cli
