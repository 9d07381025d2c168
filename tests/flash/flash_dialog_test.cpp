// The Flash dialog worked in-process: the slide picture, the five handles
// at the edges of their rules, and the mapping to the slide.
#include <functional>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "flash/AddFlash.hpp"
#include "flash/frm_addFlash.hpp"
#include "forms/FormConstants.hpp"
#include "forms/FormDriver.hpp"
#include "forms/Image.hpp"
#include "forms/ShockwaveFlash.hpp"
#include "host/Host.hpp"
#include "host/Prompts.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/publish/PublishSupport.hpp"
#include "tests/support/SwfFile.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

using forms::UserForm;

// Hands the shown dialog to the test, which works it as it likes.
class ProbeDriver : public forms::FormDriver {
public:
    std::function<void(UserForm&)> probe;
    void Run(UserForm& form, bool) override
    {
        if (probe) {
            probe(form);
        }
    }
};

struct Place {
    float left, top, width, height;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& place)
{
    return out << "(" << place.left << ", " << place.top << ", " << place.width << ", " << place.height << ")";
}

Place PlaceOf(const forms::Control& control)
{
    return {control.Left(), control.Top(), control.Width(), control.Height()};
}

constexpr const char* kMoving[] = {"ShockwaveFlash1", "Imgmove", "Imgleft", "Imgright", "Imgup", "Imgdown"};

class FlashDialogTest : public ::testing::Test {
protected:
    FlashDialogTest()
    {
        services_.prompts = prompts_;
        services_.clock = std::make_shared<platform::SystemClock>();
        services_.random = std::make_shared<platform::RuntimeRandom>();
        WriteSwf(movie_);
    }

    void NewDeck(float width, float height)
    {
        application_ = pptx::CreateDocumentHost(services_, "14.0");
        auto presentation = application_->Presentations()->Add(true);
        presentation->PageSetup()->SetSlideWidth(width);
        presentation->PageSetup()->SetSlideHeight(height);
        presentation->Slides()->Add(1, host::SlideLayout::Title);
        presentation->SaveAs(dir_ / "talk.v1.pptx", host::SaveFormat::Presentation);
        pptx::SelectSlides(*application_->ActiveWindow(), {1});
    }

    void Run(std::function<void(UserForm&)> probe)
    {
        driver_.probe = std::move(probe);
        prompts_->AddFile(movie_.string());
        flash::AddFlash_main(*application_, services_, driver_);
    }

    host::Ref<host::Shape> LastShape() const
    {
        auto shapes = application_->ActivePresentation()->Slides()->Item(1)->Shapes();
        return shapes->Item(shapes->Count());
    }

    TempDir dir_;
    std::filesystem::path movie_ = dir_ / "intro.swf";
    std::ostringstream shown_;
    std::shared_ptr<platform::ScriptedPrompts> prompts_ = std::make_shared<platform::ScriptedPrompts>(shown_);
    host::Services services_;
    std::shared_ptr<host::Application> application_;
    ProbeDriver driver_;
};

TEST_F(FlashDialogTest, TheSlidePictureIsTwiceThePreviewBoxCentredInTheFrameAndGoesAway)
{
    struct Case {
        float width, height;
        Place image;
        PixelSize pixels;
    };
    const Case cases[] = {{720, 540, {18, 11, 240, 180}, {480, 360}}, {960, 540, {18, 33.5F, 240, 135}, {480, 270}}};
    for (const Case& c : cases) {
        NewDeck(c.width, c.height);
        std::filesystem::path picture;
        Run([&](UserForm& form) {
            auto& dialog = dynamic_cast<flash::frm_addFlash&>(form);
            picture = dialog.SlidePicturePath();
            EXPECT_EQ(PlaceOf(form.Controls("Image1")), c.image);
            EXPECT_EQ(form.Controls<forms::Image>("Image1").PictureSizeMode(), forms::PictureSizeMode::Stretch);
            EXPECT_EQ(SizeOfFile(picture), c.pixels);
            const auto& preview = form.Controls<forms::ShockwaveFlash>("ShockwaveFlash1");
            EXPECT_EQ(preview.Movie(), movie_.string());
            EXPECT_FALSE(preview.Menu());
            EXPECT_FALSE(preview.EmbedMovie());
            EXPECT_EQ(preview.FrameNum(), 1);
            form.Unload();
        });
        EXPECT_EQ(picture.parent_path(), dir_.path());
        EXPECT_TRUE(std::regex_match(picture.filename().string(),
                                     std::regex(R"(talk\.v1\d\d-\d\d-\d\d_\d\d-\d\d-\d\d[0-9.]{1,5}\.jpg)")))
            << picture;
        EXPECT_FALSE(std::filesystem::exists(picture));
    }
}

TEST_F(FlashDialogTest, EachHandleStopsExactlyWhereItsRuleSays)
{
    NewDeck(720, 540);
    Run([&](UserForm& form) {
        std::map<std::string, Place> start;
        for (const char* name : kMoving) {
            start[name] = PlaceOf(form.Controls(name));
        }
        // Drags from the designed places; true when anything moved.
        auto drag = [&](const char* handle, float x, float y, int button = forms::MouseButton::Left) {
            for (const auto& [name, place] : start) {
                auto& control = form.Controls(name);
                control.SetLeft(place.left);
                control.SetTop(place.top);
                control.SetWidth(place.width);
                control.SetHeight(place.height);
            }
            form.Controls(handle).events.FireMouseMove(button, 0, x, y);
            for (const auto& [name, place] : start) {
                if (PlaceOf(form.Controls(name)) != place) {
                    return true;
                }
            }
            return false;
        };
        const Place preview{78, 56, 120, 90};
        ASSERT_EQ(start["ShockwaveFlash1"], preview);

        // The picture spans 18..258 across and 11..191 down.
        EXPECT_TRUE(drag("Imgmove", -60, -45));
        EXPECT_EQ(PlaceOf(form.Controls("ShockwaveFlash1")), (Place{18, 11, 120, 90}));
        EXPECT_EQ(PlaceOf(form.Controls("Imgdown")), (Place{18, 101, 120, 12}));
        EXPECT_TRUE(drag("Imgmove", 60, 45));
        EXPECT_FALSE(drag("Imgmove", -60.5F, 0));
        EXPECT_FALSE(drag("Imgmove", 60.5F, 0));
        EXPECT_FALSE(drag("Imgmove", 0, -45.5F));
        EXPECT_FALSE(drag("Imgmove", 0, 45.5F));
        EXPECT_FALSE(drag("Imgmove", 5, 5, forms::MouseButton::Right));

        EXPECT_FALSE(drag("Imgright", 60, 0));  // at the picture's edge
        EXPECT_TRUE(drag("Imgright", 59.5F, 0));
        EXPECT_EQ(form.Controls("ShockwaveFlash1").Width(), 179.5F);
        EXPECT_EQ(form.Controls("Imgup").Width(), 179.5F);
        EXPECT_EQ(form.Controls("Imgdown").Width(), 179.5F);
        EXPECT_FALSE(drag("Imgright", -120, 0));  // no width left
        EXPECT_TRUE(drag("Imgright", -119.5F, 0));

        EXPECT_FALSE(drag("Imgdown", 0, 45));
        EXPECT_TRUE(drag("Imgdown", 0, 44.5F));
        EXPECT_EQ(form.Controls("Imgleft").Height(), 134.5F);
        EXPECT_FALSE(drag("Imgdown", 0, -90));
        EXPECT_TRUE(drag("Imgdown", 0, -89.5F));

        EXPECT_FALSE(drag("Imgleft", -60, 0));
        EXPECT_TRUE(drag("Imgleft", -59.5F, 0));
        EXPECT_EQ(PlaceOf(form.Controls("ShockwaveFlash1")), (Place{18.5F, 56, 179.5F, 90}));
        EXPECT_EQ(PlaceOf(form.Controls("Imgmove")), (Place{6.5F, 44, 12, 12}));
        EXPECT_EQ(PlaceOf(form.Controls("Imgup")), (Place{18.5F, 44, 179.5F, 12}));
        EXPECT_FALSE(drag("Imgleft", 120, 0));
        EXPECT_TRUE(drag("Imgleft", 119.5F, 0));

        EXPECT_FALSE(drag("Imgup", 0, -45));
        EXPECT_TRUE(drag("Imgup", 0, -44.5F));
        EXPECT_EQ(PlaceOf(form.Controls("ShockwaveFlash1")), (Place{78, 11.5F, 120, 134.5F}));
        EXPECT_EQ(PlaceOf(form.Controls("Imgright")), (Place{198, 11.5F, 12, 134.5F}));
        EXPECT_EQ(form.Controls("Imgmove").Top(), -0.5F);
        EXPECT_FALSE(drag("Imgup", 0, 90));
        EXPECT_TRUE(drag("Imgup", 0, 89.5F));
        form.Unload();
    });
}

TEST_F(FlashDialogTest, ThePreviewMapsProportionallyOntoTheSlide)
{
    struct Case {
        float width, height;
        Place slide;
    };
    for (const Case& c : {Case{720, 540, {180, 135, 360, 270}}, Case{960, 540, {240, 90, 480, 360}}}) {
        NewDeck(c.width, c.height);
        Run([](UserForm& form) { form.Controls("CommandButton1").PerformClick(); });
        const auto player = LastShape();
        ASSERT_EQ(player->Type(), host::ShapeType::OLEControlObject);
        EXPECT_EQ((Place{player->Left(), player->Top(), player->Width(), player->Height()}), c.slide);
        EXPECT_EQ(player->OLEFormat()->Property("Movie"), movie_.string());
        EXPECT_EQ(player->OLEFormat()->Property("EmbedMovie"), "");
    }
    const auto& picker = prompts_->Transcript().front();
    EXPECT_EQ(picker.kind, "file");
    EXPECT_EQ(picker.title, "选择插入的Flash文件");
    EXPECT_EQ(picker.prompt, "swf files (*.swf)");
    EXPECT_EQ(prompts_->Transcript().back().prompt, "Flash已完成插入，播放幻灯片时可见");
    EXPECT_EQ(prompts_->Transcript().back().style, host::MsgStyle::OkOnly);
}

}  // namespace
}  // namespace velmora::testing
