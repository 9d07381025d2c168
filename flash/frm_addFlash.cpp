#include "flash/frm_addFlash.hpp"

#include <cmath>
#include <cstdio>
#include <system_error>
#include <utility>

#include "forms/CommandButton.hpp"
#include "forms/FormCatalog.hpp"
#include "forms/FormConstants.hpp"
#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Prompts.hpp"
#include "platform/Moment.hpp"

namespace velmora::flash {

namespace {

constexpr const char* kPlayerClass = "ShockwaveFlash.ShockwaveFlash.10";
// The preview frame's inner area and the largest slide picture inside it.
constexpr float kFrameWidth = 276;
constexpr float kFrameHeight = 202;
constexpr float kPictureWidth = 240;
constexpr float kPictureHeight = 180;
constexpr int kEmbeddingRefusedVersion = 12;

struct Place {
    float left, top, width, height;
};

void Put(forms::Control& control, Place place)
{
    control.SetLeft(place.left);
    control.SetTop(place.top);
    control.SetWidth(place.width);
    control.SetHeight(place.height);
}

// Pixels from points as the host takes a Single for a Long: halves to even.
int Pixels(float points)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(points)));
}

// The first five characters of a number's decimal text, as the runtime writes a double.
std::string FiveCharacters(double number)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", number);
    return std::string(text).substr(0, 5);
}

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    return std::make_unique<frm_addFlash>(driver, application, services, std::string());
}

const forms::FormRegistration kRegistration({"frm_addFlash", "AddFlash_main", &MakeDialog});

}  // namespace

frm_addFlash::frm_addFlash(forms::FormDriver& driver, host::Application& application, host::Services services,
                           std::string flashPath)
    : UserForm(driver, "frm_addFlash"), application_(application), services_(std::move(services)),
      flashPath_(std::move(flashPath))
{
    SetCaption("Flash设置");
    SetWidth(300);
    SetHeight(336);
    AddPreviewFrame();
    AddOptions();
    AddCommandButtons();
}

frm_addFlash::~frm_addFlash()
{
    Unload();
}

void frm_addFlash::AddPreviewFrame()
{
    auto& frame = Add<forms::Frame>("Frame1");
    frame.SetCaption("预览/调整位置和大小");
    Put(frame, {6, 6, kFrameWidth + 6, kFrameHeight + 16});

    auto& picture = frame.Add<forms::Image>("Image1");
    Put(picture, {18, 11, kPictureWidth, kPictureHeight});
    picture.SetPictureSizeMode(forms::PictureSizeMode::Stretch);

    Put(frame.Add<forms::ShockwaveFlash>("ShockwaveFlash1"), {78, 56, 120, 90});
    AddHandles(frame);
}

void frm_addFlash::AddHandles(forms::Frame& frame)
{
    struct Handle {
        const char* name;
        Place place;
        int pointer;
        void (frm_addFlash::*drag)(int, int, float, float);
    };
    const Handle handles[] = {
        {"Imgmove", {66, 44, 12, 12}, forms::MousePointer::SizeAll, &frm_addFlash::Imgmove_MouseMove},
        {"Imgleft", {66, 56, 12, 90}, forms::MousePointer::SizeWE, &frm_addFlash::Imgleft_MouseMove},
        {"Imgright", {198, 56, 12, 90}, forms::MousePointer::SizeWE, &frm_addFlash::Imgright_MouseMove},
        {"Imgup", {78, 44, 120, 12}, forms::MousePointer::SizeNS, &frm_addFlash::Imgup_MouseMove},
        {"Imgdown", {78, 146, 120, 12}, forms::MousePointer::SizeNS, &frm_addFlash::Imgdown_MouseMove},
    };
    for (const Handle& handle : handles) {
        auto& image = frame.Add<forms::Image>(handle.name);
        Put(image, handle.place);
        image.SetMousePointer(handle.pointer);
        image.events.MouseMove = [this, drag = handle.drag](int button, int shift, float x, float y) {
            (this->*drag)(button, shift, x, y);
        };
    }
}

void frm_addFlash::AddOptions()
{
    auto& embed = Add<forms::CheckBox>("CheckBox1");
    embed.SetCaption("是否嵌入Flash");
    embed.SetControlTipText("嵌入后无需Flash文件即可单独播放，2007版不支持嵌入");
    Put(embed, {12, 230, 150, 18});
    embed.events.Click = [this] { CheckBox1_Click(); };

    auto& frame = Add<forms::Frame>("Frame2");
    frame.SetCaption("文件路径");
    Put(frame, {6, 252, kFrameWidth + 6, 42});
    auto& relative = frame.Add<forms::OptionButton>("OptionButton1");
    relative.SetCaption("使用相对路径");
    relative.SetControlTipText("设置后，Flash文件随PPT文件一起存放和移动时可以播放");
    Put(relative, {12, 12, 120, 18});
    auto& absolute = frame.Add<forms::OptionButton>("OptionButton2");
    absolute.SetCaption("使用绝对路径");
    absolute.SetControlTipText("设置后，不可更改Flash文件存放路径，否则无法播放");
    Put(absolute, {144, 12, 120, 18});
    absolute.SetValue(true);
}

void frm_addFlash::AddCommandButtons()
{
    auto& ok = Add<forms::CommandButton>("CommandButton1");
    ok.SetCaption("确定(O)");
    ok.SetAccelerator("O");
    ok.SetDefault(true);
    Put(ok, {132, 300, 72, 24});
    ok.events.Click = [this] { CommandButton1_Click(); };

    auto& cancel = Add<forms::CommandButton>("CommandButton2");
    cancel.SetCaption("取消(C)");
    cancel.SetAccelerator("C");
    cancel.SetCancel(true);
    Put(cancel, {210, 300, 72, 24});
    cancel.events.Click = [this] { CommandButton2_Click(); };
}

std::filesystem::path frm_addFlash::NewSlidePicturePath() const
{
    auto presentation = application_.ActivePresentation();
    const std::string folder = presentation->Path();
    const std::string base = host::BaseName(presentation->Name());
    const std::string stamp = platform::FormatMoment(services_.clock->Now(), "YY-MM-DD_hh-mm-ss");
    const std::string digits = FiveCharacters(static_cast<double>(services_.random->Rnd()) * 1e6);
    return folder + "/" + base + stamp + digits + ".jpg";
}

void frm_addFlash::UserForm_Initialize()
{
    picturePath_ = NewSlidePicturePath();
    auto pageSetup = application_.ActivePresentation()->PageSetup();
    const float slideWidth = pageSetup->SlideWidth();
    const float slideHeight = pageSetup->SlideHeight();
    float pw = kPictureWidth;
    float ph = kPictureHeight;
    if (slideHeight / slideWidth < 0.75F) {
        ph = kPictureWidth * slideHeight / slideWidth;
    } else {
        pw = kPictureHeight * slideWidth / slideHeight;
    }
    // Without the picture there is nothing to place the movie on.
    if (host::Suppressed([&] {
            application_.ActiveWindow()->View()->Slide()->Export(picturePath_, "JPG", Pixels(2 * pw), Pixels(2 * ph));
        })) {
        services_.prompts->MsgBox(kPictureFailedMessage, host::MsgStyle::Critical);
        Unload();
        return;
    }

    auto& preview = ShockwaveFlash1();
    preview.SetMovie(flashPath_);
    preview.SetMenu(false);
    preview.SetEmbedMovie(false);
    preview.SetFrameNum(1);
    ShowSlidePicture(pw, ph);
}

void frm_addFlash::ShowSlidePicture(float pw, float ph)
{
    auto& picture = Image1();
    picture.SetPicture(picturePath_);
    picture.SetPictureSizeMode(forms::PictureSizeMode::Stretch);
    Put(picture, {(kFrameWidth - pw) / 2, (kFrameHeight - ph) / 2, pw, ph});
}

void frm_addFlash::UserForm_Terminate()
{
    std::error_code ignored;
    if (!picturePath_.empty() && std::filesystem::exists(picturePath_, ignored)) {
        std::filesystem::remove(picturePath_, ignored);
    }
}

void frm_addFlash::Imgmove_MouseMove(int button, int, float x, float y)
{
    if (button != forms::MouseButton::Left) {
        return;
    }
    auto& handle = Image("Imgmove");
    const auto& picture = Image1();
    const auto& preview = ShockwaveFlash1();
    const float left = handle.Left() + handle.Width() + x;
    const float top = handle.Top() + handle.Height() + y;
    if (left < picture.Left() || left + preview.Width() > picture.Left() + picture.Width() || top < picture.Top() ||
        top + preview.Height() > picture.Top() + picture.Height()) {
        return;
    }
    for (const char* name : {"Imgmove", "ShockwaveFlash1", "Imgleft", "Imgright", "Imgup", "Imgdown"}) {
        auto& control = Controls(name);
        control.SetLeft(control.Left() + x);
        control.SetTop(control.Top() + y);
    }
}

void frm_addFlash::Imgright_MouseMove(int button, int, float x, float)
{
    if (button != forms::MouseButton::Left) {
        return;
    }
    auto& handle = Image("Imgright");
    const auto& picture = Image1();
    auto& preview = ShockwaveFlash1();
    const float edge = handle.Left() + x;
    if (!(edge > preview.Left()) || edge >= picture.Left() + picture.Width()) {
        return;
    }
    handle.SetLeft(edge);
    preview.SetWidth(handle.Left() - preview.Left());
    Image("Imgup").SetWidth(preview.Width());
    Image("Imgdown").SetWidth(preview.Width());
}

void frm_addFlash::Imgdown_MouseMove(int button, int, float, float y)
{
    if (button != forms::MouseButton::Left) {
        return;
    }
    auto& handle = Image("Imgdown");
    const auto& picture = Image1();
    auto& preview = ShockwaveFlash1();
    const float edge = handle.Top() + y;
    if (!(edge > preview.Top() && edge < picture.Top() + picture.Height())) {
        return;
    }
    handle.SetTop(edge);
    preview.SetHeight(handle.Top() - preview.Top());
    Image("Imgleft").SetHeight(preview.Height());
    Image("Imgright").SetHeight(preview.Height());
}

void frm_addFlash::Imgleft_MouseMove(int button, int, float x, float)
{
    if (button != forms::MouseButton::Left) {
        return;
    }
    auto& handle = Image("Imgleft");
    const auto& picture = Image1();
    auto& preview = ShockwaveFlash1();
    const auto& right = Image("Imgright");
    const float edge = handle.Left() + x + handle.Width();
    if (!(edge > picture.Left() && edge < right.Left())) {
        return;
    }
    handle.SetLeft(handle.Left() + x);
    preview.SetLeft(handle.Left() + handle.Width());
    preview.SetWidth(right.Left() - preview.Left());
    auto& move = Image("Imgmove");
    move.SetLeft(preview.Left() - move.Width());
    for (const char* name : {"Imgup", "Imgdown"}) {
        Image(name).SetLeft(preview.Left());
        Image(name).SetWidth(preview.Width());
    }
}

void frm_addFlash::Imgup_MouseMove(int button, int, float, float y)
{
    if (button != forms::MouseButton::Left) {
        return;
    }
    auto& handle = Image("Imgup");
    const auto& picture = Image1();
    auto& preview = ShockwaveFlash1();
    const auto& bottom = Image("Imgdown");
    const float edge = handle.Top() + y + handle.Height();
    if (!(edge > picture.Top() && edge < bottom.Top())) {
        return;
    }
    handle.SetTop(handle.Top() + y);
    preview.SetTop(handle.Top() + handle.Height());
    preview.SetHeight(bottom.Top() - preview.Top());
    auto& move = Image("Imgmove");
    move.SetTop(preview.Top() - move.Height());
    for (const char* name : {"Imgleft", "Imgright"}) {
        Image(name).SetTop(preview.Top());
        Image(name).SetHeight(preview.Height());
    }
}

void frm_addFlash::CheckBox1_Click()
{
    const bool ticked = CheckBox1().Value();
    if (ticked && host::VersionNumber(application_.Version()) == kEmbeddingRefusedVersion) {
        services_.prompts->MsgBox("2007版不支持Flash真正嵌入！", host::MsgStyle::OkOnly);
        CheckBox1().SetValue(false);
        return;
    }
    for (const char* name : {"Frame2", "OptionButton1", "OptionButton2"}) {
        Controls(name).SetEnabled(!ticked);
    }
}

void frm_addFlash::CommandButton1_Click()
{
    auto pageSetup = application_.ActivePresentation()->PageSetup();
    const float slideWidth = pageSetup->SlideWidth();
    const float slideHeight = pageSetup->SlideHeight();
    const auto& picture = Image1();
    const auto& preview = ShockwaveFlash1();
    const float left = slideWidth * (preview.Left() - picture.Left()) / picture.Width();
    const float top = slideHeight * (preview.Top() - picture.Top()) / picture.Height();
    const float width = slideWidth * preview.Width() / picture.Width();
    const float height = slideHeight * preview.Height() / picture.Height();

    auto shapes = application_.ActiveWindow()->Selection()->SlideRange()->Shapes();
    auto player = shapes->AddOLEObject(left, top, width, height, kPlayerClass, "", host::TriState::False, "", 0, "",
                                       host::TriState::False);
    if (Controls<forms::OptionButton>("OptionButton1").Value()) {
        UseRelativePathIfInside();
    }
    player->OLEFormat()->SetProperty("Movie", flashPath_);
    if (CheckBox1().Value()) {
        player->OLEFormat()->SetProperty("EmbedMovie", "true");
    }
    services_.prompts->MsgBox("Flash已完成插入，播放幻灯片时可见", host::MsgStyle::OkOnly);
    Unload();
}

// Our paths use "/", where the host's folders end before "\".
void frm_addFlash::UseRelativePathIfInside()
{
    const std::string folder = application_.ActivePresentation()->Path() + "/";
    if (flashPath_.compare(0, folder.size(), folder) == 0) {
        flashPath_ = flashPath_.substr(folder.size());
        return;
    }
    services_.prompts->MsgBox("Flash文件不在当前路径下，无法使用相对路径！\r本程序将自动使用绝对路径模式!",
                              host::MsgStyle::OkOnly, "错误");
    Controls<forms::OptionButton>("OptionButton2").SetValue(true);
}

void frm_addFlash::CommandButton2_Click()
{
    Unload();
}

}  // namespace velmora::flash
