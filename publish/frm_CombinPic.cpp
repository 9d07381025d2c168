#include "publish/frm_CombinPic.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "font/md_SetFont.hpp"
#include "forms/FormCatalog.hpp"
#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "host/SettingsStore.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/FontMetrics.hpp"
#include "platform/PrivateFolder.hpp"
#include "publish/MontageLayout.hpp"
#include "platform/TemporaryName.hpp"
#include "publish/md_CombinPic.hpp"
#include "resources/Pictures.hpp"

namespace velmora::publish {

namespace {

constexpr host::Color kWhite = 0xFFFFFF;
constexpr host::Color kMarkGrey = 0x808080;
constexpr int kSampleBitmap = 105;  // the first of nine resource bitmaps shown as sample slides
constexpr float kMarkImageWidth = 15;
constexpr float kMarkImageHeight = 5;
constexpr int kFormats = 3;
constexpr int kMostPictures = 24;
constexpr std::array<const char*, kFormats> kFormatNames{"JPG", "PNG", "GIF"};

// A whole number stored as text; nothing for other text.
std::optional<int> WholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int StoredChoice(const std::string& text, int lowest, int highest, int fallback)
{
    const auto value = WholeNumber(text);
    return value && *value >= lowest && *value <= highest ? *value : fallback;
}

// A number typed by the user, as the runtime reads one ("50", " 12.5").
std::optional<double> Numeric(const std::string& text)
{
    std::size_t start = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::string trimmed = text.substr(start, end - start + 1);
    double value = 0;
    const auto [stop, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc{} || stop != trimmed.data() + trimmed.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string NumberText(double value)
{
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc{} ? std::string(buffer.data(), end) : "0";
}

std::string ReadWhole(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PlaceControl(forms::Control& control, const Place& place)
{
    control.SetLeft(static_cast<float>(place.left));
    control.SetTop(static_cast<float>(place.top));
    control.SetWidth(static_cast<float>(place.width));
    control.SetHeight(static_cast<float>(place.height));
}

void SetFrame(forms::Frame& frame, const char* caption, float left, float top, float width, float height)
{
    frame.SetCaption(caption);
    frame.SetLeft(left);
    frame.SetTop(top);
    frame.SetWidth(width);
    frame.SetHeight(height);
}

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    return std::make_unique<frm_CombinPic>(driver, application, services, font::SetFontModule());
}

const forms::FormRegistration kRegistration({"frm_CombinPic", "CombinPic_main", &MakeDialog});

}  // namespace

frm_CombinPic::frm_CombinPic(forms::FormDriver& driver, host::Application& application, host::Services services,
                             font::md_SetFont& fontModule)
    : UserForm(driver, "frm_CombinPic"),
      application_(application),
      services_(std::move(services)),
      fontModule_(fontModule)
{
    SetCaption("多页拼图（拼图可用于发布长微博，建议不超过24页幻灯片）");
    SetWidth(432);
    SetHeight(336);
    AddRangeFrame();
    AddArrangementFrame();
    AddBorderFrame();
    AddWatermarkFrame();
    AddPositionFrame();
    AddFormatFrame();
    AddPreviewFrame();
    AddCommandButtons();
}

forms::OptionButton& frm_CombinPic::AddOption(forms::Container& frame, int number, const char* caption,
                                              const char* group, float left, float top)
{
    auto& button = frame.Add<forms::OptionButton>("OptionButton" + std::to_string(number));
    button.SetCaption(caption);
    button.SetGroupName(group);
    button.SetLeft(left);
    button.SetTop(top);
    button.SetWidth(60);
    return button;
}

void frm_CombinPic::WhenChosen(int number, void (frm_CombinPic::*handler)())
{
    OptionButtonNumber(number).events.Change = [this, number, handler] {
        if (ready_ && OptionButtonNumber(number).Value()) {
            (this->*handler)();
        }
    };
}

void frm_CombinPic::AddRangeFrame()
{
    auto& frame = Add<forms::Frame>("Frame1");
    SetFrame(frame, "范围", 6, 6, 204, 40);
    AddOption(frame, 5, "全部幻灯片", "G1", 10, 12);
    AddOption(frame, 6, "选定幻灯片", "G1", 104, 12);
    for (int number : {5, 6}) {
        OptionButtonNumber(number).events.Change = [this, number] {
            if (OptionButtonNumber(number).Value()) {
                slideTarget_ = number == 5 ? "All" : "Select";
            }
        };
    }
}

void frm_CombinPic::AddArrangementFrame()
{
    static constexpr std::array<const char*, 4> kCaptions{"纵向", "横向", "两列", "三列"};
    auto& frame = Add<forms::Frame>("Frame2");
    SetFrame(frame, "拼合方式", 6, 50, 204, 40);
    for (int sort = 1; sort <= 4; ++sort) {
        AddOption(frame, sort, kCaptions[static_cast<std::size_t>(sort - 1)], "G2", 8 + 49 * static_cast<float>(sort - 1), 12)
            .SetWidth(46);
        OptionButtonNumber(sort).events.Change = [this, sort] {
            if (ready_ && OptionButtonNumber(sort).Value()) {
                sortType_ = sort;
                sortshp();
            }
        };
    }
}

void frm_CombinPic::AddBorderFrame()
{
    auto& frame = Add<forms::Frame>("Frame3");
    SetFrame(frame, "边框类型", 6, 94, 204, 64);
    AddOption(frame, 7, "无边框", "G3", 10, 12);
    AddOption(frame, 8, "有边框", "G3", 104, 12);
    WhenChosen(7, &frm_CombinPic::OptionButton7_Change);
    WhenChosen(8, &frm_CombinPic::OptionButton8_Change);

    auto& colourLabel = frame.Add<forms::Label>("Label1");
    colourLabel.SetCaption("边框颜色");
    colourLabel.SetLeft(10);
    colourLabel.SetTop(36);
    colourLabel.SetWidth(40);
    auto& swatch = frame.Add<forms::Frame>("F_BorderColor");
    swatch.SetLeft(52);
    swatch.SetTop(35);
    swatch.SetWidth(24);
    swatch.SetHeight(14);
    swatch.SetBackColor(kWhite);
    swatch.events.Click = [this] { F_BorderColor_Click(); };

    auto& widthLabel = frame.Add<forms::Label>("Label2");
    widthLabel.SetCaption("边框宽度");
    widthLabel.SetLeft(96);
    widthLabel.SetTop(36);
    widthLabel.SetWidth(40);
    auto& spin = frame.Add<forms::SpinButton>("SpinButton1");
    spin.SetMin(0);
    spin.SetMax(20);
    spin.SetValue(5);
    spin.SetLeft(138);
    spin.SetTop(33);
    spin.SetWidth(14);
    spin.events.Change = [this] { SpinButton1_Change(); };
    auto& shown = frame.Add<forms::Label>("L_borderwidth");
    shown.SetCaption("5");
    shown.SetLeft(156);
    shown.SetTop(36);
    shown.SetWidth(24);
}

void frm_CombinPic::AddWatermarkFrame()
{
    auto& frame = Add<forms::Frame>("Frame4");
    SetFrame(frame, "水印", 6, 162, 204, 64);
    AddOption(frame, 9, "无水印", "G4", 8, 12);
    AddOption(frame, 10, "文字水印", "G4", 70, 12).SetControlTipText("点击可更换水印文字");
    AddOption(frame, 11, "图片水印", "G4", 136, 12).SetControlTipText("点击可更换水印图片");
    WhenChosen(9, &frm_CombinPic::OptionButton9_Change);
    WhenChosen(10, &frm_CombinPic::OptionButton10_Change);
    WhenChosen(11, &frm_CombinPic::OptionButton11_Change);
    // A second click on a chosen button asks again.
    OptionButtonNumber(10).events.MouseUp = [this](int, int, float, float) {
        if (ready_ && OptionButtonNumber(10).Value()) {
            AskWatermarkText();
            markflag(2);
            sortshp();
        }
    };
    OptionButtonNumber(11).events.MouseUp = [this](int, int, float, float) {
        if (ready_ && OptionButtonNumber(11).Value()) {
            OptionButton11_Change();
        }
    };

    auto& text = frame.Add<forms::TextBox>("marktxt");
    text.SetControlTipText("在此输入水印文字或图片路径");
    text.SetText("@Quenlar");
    text.SetLeft(10);
    text.SetTop(36);
    text.SetWidth(184);
    auto& image = frame.Add<forms::Image>("MarkImg");
    image.SetLeft(10);
    image.SetTop(34);
    image.SetWidth(60);
    image.SetHeight(20);
    image.SetPictureSizeMode(forms::PictureSizeMode::Stretch);
    image.SetVisible(false);
}

void frm_CombinPic::AddPositionFrame()
{
    auto& frame = Add<forms::Frame>("Frame7");
    SetFrame(frame, "水印位置", 6, 230, 204, 40);
    static constexpr std::array<const char*, 3> kCaptions{"右上", "下居中", "右下"};
    for (int position = 1; position <= 3; ++position) {
        const int number = position + 11;
        AddOption(frame, number, kCaptions[static_cast<std::size_t>(position - 1)], "G5",
                  10 + 64 * static_cast<float>(position - 1), 12);
        OptionButtonNumber(number).events.Change = [this, number, position] {
            if (ready_ && OptionButtonNumber(number).Value()) {
                waterMarkPosition_ = position;
                sortshp();
            }
        };
    }
}

void frm_CombinPic::AddFormatFrame()
{
    auto& frame = Add<forms::Frame>("Frame5");
    SetFrame(frame, "生成图片类型", 6, 274, 204, 40);
    for (int i = 0; i < kFormats; ++i) {
        const int number = 15 + i;
        const char* format = kFormatNames[static_cast<std::size_t>(i)];
        AddOption(frame, number, format, "G6", 10 + 64 * static_cast<float>(i), 12);
        OptionButtonNumber(number).events.Change = [this, number, format] {
            if (OptionButtonNumber(number).Value()) {
                picFormat_ = format;
            }
        };
    }
}

void frm_CombinPic::AddPreviewFrame()
{
    auto& frame = Add<forms::Frame>("Frame6");
    SetFrame(frame, "效果", 216, 6, 210, 270);
    auto& canvas = frame.Add<forms::Frame>("F_bordershp");
    canvas.SetBackColor(kWhite);
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        auto& thumbnail = canvas.Add<forms::Image>("Img" + std::to_string(i));
        thumbnail.SetPictureSizeMode(forms::PictureSizeMode::Stretch);
        if (auto sample = resources::LoadPicture(resources::PictureKind::Bitmap, kSampleBitmap + i - 1)) {
            thumbnail.SetPictureData(std::string(sample->bytes.begin(), sample->bytes.end()));
        }
    }
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        auto& mark = canvas.Add<forms::Image>("WImg" + std::to_string(i));
        mark.SetPictureSizeMode(forms::PictureSizeMode::Stretch);
        mark.SetVisible(false);
    }
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        auto& mark = canvas.Add<forms::Label>("L_Mk" + std::to_string(i));
        mark.SetForeColor(kMarkGrey);
        mark.SetBackStyle(forms::BackStyle::Transparent);
        mark.SetAutoSize(true);
        mark.SetVisible(false);
    }
}

void frm_CombinPic::AddCommandButtons()
{
    auto& ok = Add<forms::CommandButton>("Cmd_OK");
    ok.SetCaption("确定(O)");
    ok.SetAccelerator("O");
    ok.SetDefault(true);
    ok.SetLeft(270);
    ok.SetTop(286);
    ok.events.Click = [this] { Cmd_OK_Click(); };

    auto& cancel = Add<forms::CommandButton>("Cmd_Cancel");
    cancel.SetCaption("取消(C)");
    cancel.SetAccelerator("C");
    cancel.SetCancel(true);
    cancel.SetLeft(350);
    cancel.SetTop(286);
    cancel.events.Click = [this] { Cmd_Cancel_Click(); };
}

forms::OptionButton& frm_CombinPic::OptionButtonNumber(int number) const
{
    return Numbered<forms::OptionButton>("OptionButton", number);
}

std::string frm_CombinPic::Setting(const char* key, const char* defaultValue) const
{
    return services_.settings->GetSetting(host::kAppName, kCombinPicSection, key, defaultValue);
}

void frm_CombinPic::Save(const char* key, const std::string& value)
{
    services_.settings->SaveSetting(host::kAppName, kCombinPicSection, key, value);
}

host::Color frm_CombinPic::BorderColor() const
{
    return Controls("F_BorderColor").BackColor();
}

std::string frm_CombinPic::WaterMarkTxt() const
{
    return Controls<forms::TextBox>("marktxt").Text();
}

void frm_CombinPic::UserForm_Initialize()
{
    ready_ = false;
    myLoadSettings();
    ready_ = true;
    OptionButtonNumber(OptionButtonNumber(5).Value() ? 5 : 6).SetFocus();
    if (waterMark_ == 3 && !markPic_.empty() && std::filesystem::is_regular_file(markPic_)) {
        // A stored picture that is no picture any more is simply not shown.
        host::Suppressed([&] { LoadMarkPic(); });
    }
    bordflag(OptionButtonNumber(8).Value());
    markflag(waterMark_);
    sortshp();
}

void frm_CombinPic::myLoadSettings()
{
    // Stored numbers outside their range take the default, so that a
    // damaged file never selects a button of another group.
    sortType_ = StoredChoice(Setting("SortType", "1"), 1, 4, 1);
    OptionButtonNumber(sortType_).SetValue(true);

    OptionButtonNumber(Setting("SlideTarget", "All") == "All" ? 5 : 6).SetValue(true);

    auto& spin = Controls<forms::SpinButton>("SpinButton1");
    const bool addBorder = !platform::EqualIgnoringAsciiCase(Setting("AddBorder", "True"), "False");
    if (addBorder) {
        OptionButtonNumber(8).SetValue(true);
        spin.SetValue(StoredChoice(Setting("BorderWidth", "5"), 0, 20, 5));
    } else {
        OptionButtonNumber(7).SetValue(true);
        spin.SetValue(0);
    }
    borderWidth_ = spin.Value();

    waterMark_ = StoredChoice(Setting("WaterMark", "1"), 1, 3, 1);
    OptionButtonNumber(waterMark_ + 8).SetValue(true);
    waterMarkPosition_ = StoredChoice(Setting("WaterMarkPosition", "3"), 1, 3, 3);
    OptionButtonNumber(waterMarkPosition_ + 11).SetValue(true);

    // Any other stored type selects no button but is kept.
    picFormat_ = Setting("PicFormat", "JPG");
    for (int i = 0; i < kFormats; ++i) {
        if (picFormat_ == kFormatNames[static_cast<std::size_t>(i)]) {
            OptionButtonNumber(15 + i).SetValue(true);
        }
    }

    const auto colour = WholeNumber(Setting("BorderColor", std::to_string(kWhite).c_str()));
    Controls("F_BorderColor").SetBackColor(colour && *colour >= 0 && *colour <= kWhite ? *colour : kWhite);
    Controls<forms::TextBox>("marktxt").SetText(Setting("WaterMarkTxt", "@Quenlar"));
    markPic_ = Setting("MarkPic", "");
    const auto transparency = Numeric(Setting("PicTransp", "0"));
    picTransp_ = transparency && *transparency >= 0 && *transparency <= 100 ? *transparency : 0;
}

void frm_CombinPic::mySaveSettings()
{
    for (int number = 1; number <= 17; ++number) {
        if (!OptionButtonNumber(number).Value()) {
            continue;
        }
        if (number <= 4) {
            Save("SortType", std::to_string(number));
        } else if (number <= 6) {
            Save("SlideTarget", number == 5 ? "All" : "Select");
        } else if (number <= 8) {
            Save("AddBorder", number == 7 ? "False" : "True");
        } else if (number <= 11) {
            Save("WaterMark", std::to_string(number - 8));
        } else if (number <= 14) {
            Save("WaterMarkPosition", std::to_string(number - 11));
        } else {
            Save("PicFormat", kFormatNames[static_cast<std::size_t>(number - 15)]);
        }
    }
    Save("BorderColor", std::to_string(BorderColor()));
    Save("BorderWidth", std::to_string(Controls<forms::SpinButton>("SpinButton1").Value()));
    Save("WaterMarkTxt", WaterMarkTxt());
}

void frm_CombinPic::bordflag(bool shown)
{
    for (const char* name : {"Label1", "Label2", "F_BorderColor", "L_borderwidth", "SpinButton1"}) {
        Controls(name).SetVisible(shown);
    }
}

void frm_CombinPic::markflag(int kind)
{
    waterMark_ = kind;
    Controls("MarkImg").SetVisible(kind == 3);
    Controls("Frame7").SetEnabled(kind != 1);
    for (int number = 12; number <= 14; ++number) {
        OptionButtonNumber(number).SetEnabled(kind != 1);
    }
}

void frm_CombinPic::OptionButton7_Change()
{
    borderWidth_ = 0;
    sortshp();
    bordflag(false);
}

void frm_CombinPic::OptionButton8_Change()
{
    borderWidth_ = Controls<forms::SpinButton>("SpinButton1").Value();
    sortshp();
    bordflag(true);
}

void frm_CombinPic::SpinButton1_Change()
{
    const int value = Controls<forms::SpinButton>("SpinButton1").Value();
    Controls("L_borderwidth").SetCaption(std::to_string(value));
    borderWidth_ = value;
    if (ready_) {
        sortshp();
    }
}

void frm_CombinPic::HideWatermarks(const char* prefix)
{
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        Numbered<forms::Control>(prefix, i).SetVisible(false);
    }
}

void frm_CombinPic::OptionButton9_Change()
{
    markflag(1);
    HideWatermarks("WImg");
    HideWatermarks("L_Mk");
}

void frm_CombinPic::OptionButton10_Change()
{
    AskWatermarkText();
    markflag(2);
    HideWatermarks("WImg");
    sortshp();
}

void frm_CombinPic::OptionButton11_Change()
{
    markflag(3);
    picmark_Click();
    HideWatermarks("L_Mk");
}

void frm_CombinPic::AskWatermarkText()
{
    // The stored text is offered, not the one in the box; cancel empties the box.
    const std::string text =
        services_.prompts->InputBox("请输入水印文字内容：", "水印文字", Setting("WaterMarkTxt", "@Quenlar"));
    Controls<forms::TextBox>("marktxt").SetText(text);
}

void frm_CombinPic::F_BorderColor_Click()
{
    host::Suppressed([&] {
        if (const host::Color chosen = fontModule_.ChooseColor(*services_.prompts); chosen != -1) {
            Controls("F_BorderColor").SetBackColor(chosen);
        }
        Controls("F_bordershp").SetBackColor(BorderColor());
    });
}

void frm_CombinPic::picmark_Click()
{
    auto dialog = application_.FileDialog(host::FileDialogType::FilePicker);
    dialog->SetAllowMultiSelect(false);
    dialog->AddFilter("Image Files", "*.JPG,*.PNG,*.BMP,*.GIF");
    dialog->SetTitle("选择水印图片文件");
    if (dialog->Show() != -1 || dialog->SelectedItems().empty()) {
        ShowEarlierMark();
        return;
    }
    ChoosePictureMark(dialog->SelectedItems().front());
}

// The picture chosen earlier stays the watermark; it was not drawn when the
// dialog opened with another kind of watermark.
void frm_CombinPic::ShowEarlierMark()
{
    if (markPic_.empty() || Controls<forms::Image>("MarkImg").HasPicture()) {
        return;
    }
    host::Suppressed([&] { LoadMarkPic(); });
    sortshp();
}

void frm_CombinPic::ChoosePictureMark(const std::string& picture)
{
    const auto transparency =
        Numeric(services_.prompts->InputBox("请输入图片透明度(0-100)%：", "设置图片透明度", "0"));
    double chosenTransparency = 0;
    if (transparency && *transparency >= 0 && *transparency <= 100) {
        chosenTransparency = *transparency;
    } else {
        services_.prompts->MsgBox("输入错误！程序将默认使用无透明图片", host::MsgStyle::Critical);
    }
    // The host reads the picture while drawing it: a file it cannot read is
    // refused here rather than leaving the montage without its watermark.
    const std::string earlierPicture = markPic_;
    const double earlierTransparency = picTransp_;
    markPic_ = picture;
    picTransp_ = chosenTransparency;
    if (host::Suppressed([&] { LoadMarkPic(); })) {
        markPic_ = earlierPicture;
        picTransp_ = earlierTransparency;
        services_.prompts->MsgBox("无法读取水印图片：[" + picture + "]\r请选取 JPG、PNG、BMP 或 GIF 图片文件",
                                  host::MsgStyle::Critical);
        return;
    }
    Save("MarkPic", markPic_);
    Save("PicTransp", NumberText(picTransp_));
    sortshp();
}

void frm_CombinPic::LoadMarkPic()
{
    // Drawn on a hidden scratch presentation into a private folder: showing
    // the picture must not change the user's deck, nor need a folder beside
    // it that the program may write.
    const platform::PrivateFolder folder("velmora-mark");
    const auto picture = folder.Path() / "mark.JPG";
    auto scratch = application_.Presentations()->Add(false);
    try {
        auto shape = scratch->Slides()->Add(1, host::SlideLayout::Blank)->Shapes()->AddShape(
            host::AutoShapeType::Rectangle, -400, 0, static_cast<float>(OutputScale::kMarkWidth),
            static_cast<float>(OutputScale::kMarkHeight));
        shape->Line()->SetVisible(host::TriState::False);
        shape->Fill()->UserPicture(markPic_);
        shape->Fill()->SetTransparency(static_cast<float>(picTransp_ / 100));
        shape->Export(picture, "JPG");
        Controls<forms::Image>("MarkImg").SetPictureData(ReadWhole(picture));
    } catch (...) {
        host::Suppressed([&] { scratch->Close(); });
        throw;
    }
    scratch->Close();
}

void frm_CombinPic::sortshp()
{
    const double gap = borderWidth_ * PreviewScale::kGapPerBorderPoint;
    auto& canvas = Controls<forms::Frame>("F_bordershp");
    canvas.SetBackColor(BorderColor());

    const int shown = PreviewScale::Thumbnails(sortType_);
    const MontageLayout layout(shown, sortType_, PreviewScale::kWidth, PreviewScale::kHeight, gap);
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        auto& thumbnail = Numbered<forms::Image>("Img", i);
        thumbnail.SetVisible(i <= shown);
        if (i <= shown) {
            PlaceControl(thumbnail, layout.Picture(i));
        }
    }
    PlaceControl(canvas, layout.Canvas());
    const auto& frame = Controls("Frame6");
    canvas.SetLeft((frame.Width() - canvas.Width()) / 2);
    canvas.SetTop((frame.Height() - canvas.Height()) / 2);

    if (waterMark_ == 2) {
        PlaceTextMarks(layout, shown);
    } else if (waterMark_ == 3) {
        PlacePictureMarks(layout, shown);
    }
}

void frm_CombinPic::PlaceTextMarks(const MontageLayout& layout, int shown)
{
    const std::string text = WaterMarkTxt();
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        auto& mark = Numbered<forms::Label>("L_Mk", i);
        mark.SetVisible(i <= shown);
        if (i > shown) {
            continue;
        }
        // The label sizes itself to its text, as a drawn label would.
        mark.SetCaption(text);
        const auto extent = platform::MeasureText(mark.FontName(), mark.FontSize(), text, mark.FontBold());
        PlaceControl(mark, WatermarkPlace(layout.Picture(i), extent.width, extent.height, waterMarkPosition_,
                                   PreviewScale::kMargin));
    }
}

void frm_CombinPic::PlacePictureMarks(const MontageLayout& layout, int shown)
{
    const auto& picture = Controls<forms::Image>("MarkImg").PictureData();
    for (int i = 1; i <= PreviewScale::kMostThumbnails; ++i) {
        auto& mark = Numbered<forms::Image>("WImg", i);
        mark.SetVisible(i <= shown);
        if (i > shown) {
            continue;
        }
        mark.SetPictureData(picture);
        PlaceControl(mark, WatermarkPlace(layout.Picture(i), kMarkImageWidth, kMarkImageHeight, waterMarkPosition_,
                                   PreviewScale::kMargin));
    }
}

void frm_CombinPic::Cmd_OK_Click()
{
    if (waterMark_ == 3 && markPic_.empty()) {
        services_.prompts->MsgBox("请先选取水印图片！", host::MsgStyle::Critical);
        return;
    }
    if (waterMark_ == 3 && !Controls<forms::Image>("MarkImg").HasPicture()) {
        services_.prompts->MsgBox("无法读取水印图片：[" + markPic_ + "]\r请重新选取水印图片！",
                                  host::MsgStyle::Critical);
        return;
    }
    Hide();
    auto presentation = application_.ActivePresentation();
    const std::filesystem::path folder = presentation->Path();
    const std::string baseName = host::BaseName(presentation->Name());
    const auto count = PictureCount();
    if (!count) {
        return;
    }
    const auto output = MontagePath(folder, baseName, picFormat_);
    if (MakeMontage(baseName, folder, *count)) {
        mySaveSettings();
        services_.FileWritten(output);
        services_.prompts->MsgBox("幻灯片已成功拼合！\r生成图片：[" + output.filename().string() + "] ",
                                  host::MsgStyle::Information);
        host::Suppressed([&] { services_.shell->ShowFolder(output); });
    } else {
        services_.prompts->MsgBox("拼合失败！\r请检查您的设置，尝试减少拼合页面数量或更换输出图片格式",
                                  host::MsgStyle::Exclamation);
    }
    Unload();
}

std::optional<int> frm_CombinPic::PictureCount()
{
    auto count = slideTarget_ == "All" ? std::optional<int>(application_.ActivePresentation()->Slides()->Count())
                                       : host::SelectedSlideCount(application_, *services_.prompts);
    if (count && *count > kMostPictures) {
        services_.prompts->MsgBox("包含太多的幻灯片，程序自动选取前24页生成拼图", host::MsgStyle::Exclamation);
        count = kMostPictures;
    }
    return count;
}

bool frm_CombinPic::MakeMontage(const std::string& baseName, const std::filesystem::path& folder, int n)
{
    // The slide pictures and the scratch web page never outlive the run,
    // and never take the name of something already there.
    const platform::TemporaryName name(*services_.random, folder, 1000000, {"", ".jpg", ".html", ".files"});
    const std::filesystem::path& tmp = name.Path();
    auto removeTemporaries = [&] {
        std::error_code ignored;
        for (const char* suffix : {"", ".jpg", ".html", ".files"}) {
            std::filesystem::remove_all(std::filesystem::path(tmp) += suffix, ignored);
        }
    };
    bool made = false;
    try {
        // A slide export the host refuses ends in the failure message.
        if (!host::Suppressed([&] { SaveTempPic(slideTarget_, n, tmp); })) {
            made = CombinSlidePics(application_, *this,
                                   {n, tmp, folder, baseName, sortType_, picFormat_, borderWidth_, waterMark_,
                                    waterMarkPosition_, markPic_, picTransp_});
        }
    } catch (...) {
        removeTemporaries();
        throw;
    }
    removeTemporaries();
    return made;
}

void frm_CombinPic::SaveTempPic(const std::string& slideTarget, int n, const std::filesystem::path& tmp)
{
    auto presentation = application_.ActivePresentation();
    if (slideTarget == "All" && n < kMostPictures) {
        // The host writes every slide's picture into the folder tmp.
        presentation->SaveAs(std::filesystem::path(tmp) += ".jpg", host::SaveFormat::JPG, host::TriState::Mixed);
        return;
    }
    auto pageSetup = presentation->PageSetup();
    const int width = static_cast<int>(std::lround(pageSetup->SlideWidth()));
    const int height = static_cast<int>(std::lround(pageSetup->SlideHeight()));
    std::filesystem::create_directory(tmp);
    for (int i = 1; i <= n; ++i) {
        auto slide = slideTarget == "All" ? presentation->Slides()->Item(i) : host::SelectedSlide(application_, i);
        slide->Export(tmp / ("幻灯片" + std::to_string(i) + ".JPG"), "JPG", width, height);
    }
}

void frm_CombinPic::Cmd_Cancel_Click()
{
    Unload();
}

}  // namespace velmora::publish
