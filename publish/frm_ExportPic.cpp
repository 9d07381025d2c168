#include "publish/frm_ExportPic.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <stdexcept>

#include "forms/CommandButton.hpp"
#include "forms/FormCatalog.hpp"
#include "forms/Frame.hpp"
#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "host/SettingsStore.hpp"

namespace velmora::publish {

namespace {

constexpr int kButtonCount = 15;
constexpr const char* kSection = "Settings";

// One group of the dialog and the key that remembers its button by name.
struct Choice {
    const char* group;
    const char* key;
    const char* defaultButton;
};

constexpr std::array<Choice, 3> kChoices{{
    {"G1", "ExportPicOpt1", "OptionButton1"},
    {"G2", "ExportPicOpt2", "OptionButton8"},
    {"G3", "ExportPicOpt3", "OptionButton3"},
}};

std::string ButtonName(int number)
{
    return "OptionButton" + std::to_string(number);
}

struct Option {
    const char* caption;
    const char* tag;
};

void AddOption(forms::Frame& frame, int number, Option option, const char* group, float left, float top, float width)
{
    auto& button = frame.Add<forms::OptionButton>(ButtonName(number));
    button.SetCaption(option.caption);
    button.SetTag(option.tag);
    button.SetGroupName(group);
    button.SetLeft(left);
    button.SetTop(top);
    button.SetWidth(width);
}

// The size tag as a number; a group left without a choice gives no number,
// and the export cannot go on without one.
int LongEdge(const std::string& size)
{
    int value = 0;
    const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), value);
    if (size.empty() || error != std::errc{} || end != size.data() + size.size()) {
        throw std::runtime_error("type mismatch: no picture size was chosen (\"" + size + "\")");
    }
    return value;
}

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    return std::make_unique<frm_ExportPic>(driver, application, services);
}

const forms::FormRegistration kRegistration({"frm_ExportPic", "ExportPic_main", &MakeDialog});

}  // namespace

frm_ExportPic::frm_ExportPic(forms::FormDriver& driver, host::Application& application, host::Services services)
    : UserForm(driver, "frm_ExportPic"), application_(application), services_(std::move(services))
{
    SetCaption("导出图片选项");
    SetWidth(318);
    SetHeight(222);
    AddRangeFrame();
    AddSizeFrame();
    AddFormatFrame();
    AddCommandButtons();
}

void frm_ExportPic::AddRangeFrame()
{
    auto& frame = Add<forms::Frame>("Frame1");
    frame.SetCaption("范围");
    frame.SetLeft(6);
    frame.SetTop(6);
    frame.SetWidth(300);
    frame.SetHeight(42);
    AddOption(frame, 1, {"全部幻灯片", "All"}, "G1", 12, 12, 90);
    AddOption(frame, 2, {"选定幻灯片", "Select"}, "G1", 120, 12, 90);
}

void frm_ExportPic::AddSizeFrame()
{
    static constexpr std::array<const char*, 8> kEdges{"960", "1024", "1280", "1400", "1600", "2048", "2560", "3072"};
    auto& frame = Add<forms::Frame>("Frame2");
    frame.SetCaption("尺寸（长边/像素）");
    frame.SetLeft(6);
    frame.SetTop(54);
    frame.SetWidth(300);
    frame.SetHeight(60);
    for (std::size_t i = 0; i < kEdges.size(); ++i) {
        const auto column = static_cast<float>(i % 4);
        const auto row = static_cast<float>(i / 4);
        AddOption(frame, 8 + static_cast<int>(i), {kEdges[i], kEdges[i]}, "G2", 12 + 72 * column, 12 + 21 * row, 66);
    }
}

void frm_ExportPic::AddFormatFrame()
{
    static constexpr std::array<const char*, 5> kFormats{"JPG", "PNG", "GIF", "BMP", "EMF"};
    auto& frame = Add<forms::Frame>("Frame3");
    frame.SetCaption("类型");
    frame.SetLeft(6);
    frame.SetTop(120);
    frame.SetWidth(300);
    frame.SetHeight(42);
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        const auto column = static_cast<float>(i);
        AddOption(frame, 3 + static_cast<int>(i), {kFormats[i], kFormats[i]}, "G3", 12 + 57 * column, 12, 54);
    }
}

void frm_ExportPic::AddCommandButtons()
{
    auto& ok = Add<forms::CommandButton>("Cmd_OK");
    ok.SetCaption("确定(O)");
    ok.SetAccelerator("O");
    ok.SetDefault(true);
    ok.SetLeft(156);
    ok.SetTop(170);
    ok.events.Click = [this] { Cmd_OK_Click(); };

    auto& cancel = Add<forms::CommandButton>("Cmd_Cancel");
    cancel.SetCaption("取消(C)");
    cancel.SetAccelerator("C");
    cancel.SetCancel(true);
    cancel.SetLeft(234);
    cancel.SetTop(170);
    cancel.events.Click = [this] { Cmd_Cancel_Click(); };
}

forms::OptionButton& frm_ExportPic::OptionButtonNumber(int number) const
{
    return Controls<forms::OptionButton>(ButtonName(number));
}

void frm_ExportPic::UserForm_Initialize()
{
    std::array<std::string, kChoices.size()> stored;
    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        const Choice& choice = kChoices[i];
        stored[i] = services_.settings->GetSetting(host::kAppName, kSection, choice.key, choice.defaultButton);
    }
    // A stored name that is no button selects nothing, leaving its group empty.
    for (int number = 1; number <= kButtonCount; ++number) {
        forms::OptionButton& button = OptionButtonNumber(number);
        if (std::find(stored.begin(), stored.end(), button.Name()) != stored.end()) {
            button.SetValue(true);
            button.SetFocus();
        } else {
            button.SetValue(false);
        }
    }
}

void frm_ExportPic::Cmd_OK_Click()
{
    std::array<std::string, kChoices.size()> tags;
    {
        const host::SettingsBatch batch(*services_.settings);
        for (int number = 1; number <= kButtonCount; ++number) {
            const forms::OptionButton& button = OptionButtonNumber(number);
            for (std::size_t i = 0; i < kChoices.size(); ++i) {
                if (button.GroupName() == kChoices[i].group && button.Value()) {
                    tags[i] = button.Tag();
                    services_.settings->SaveSetting(host::kAppName, kSection, kChoices[i].key, button.Name());
                }
            }
        }
    }
    Hide();
    exportpic(tags[0], tags[1], tags[2]);
    Unload();
}

void frm_ExportPic::Cmd_Cancel_Click()
{
    Unload();
}

void frm_ExportPic::exportpic(const std::string& range, const std::string& size, const std::string& format)
{
    auto presentation = application_.ActivePresentation();
    const std::string baseName = host::BaseName(presentation->Name());
    const std::string folderName = baseName + "-导出图片";
    const std::filesystem::path folder = std::filesystem::path(presentation->Path()) / folderName;
    auto pageSetup = presentation->PageSetup();
    const PixelBox box = LongEdgeBox(pageSetup->SlideWidth(), pageSetup->SlideHeight(), LongEdge(size));

    // A failed export must not leave behind an empty folder it made.
    const bool folderExisted = std::filesystem::exists(folder);
    try {
        if (range == "All") {
            presentation->Export(folder.string() + "." + format, format, box.width, box.height);
            // The host names the pictures itself: the folder is what is known.
            services_.FileWritten(folder);
        } else if (!ExportSelectedSlides(folder, format, box)) {
            return;
        }
    } catch (...) {
        if (!folderExisted) {
            std::error_code ignored;
            std::filesystem::remove(folder, ignored);  // only when empty
        }
        throw;
    }
    services_.prompts->MsgBox("幻灯片已成功导出为图片！\r保存在 [" + folderName + "] 目录中",
                              host::MsgStyle::Information);
    host::Suppressed([&] { services_.shell->ShowFolder(folder); });
}

bool frm_ExportPic::ExportSelectedSlides(const std::filesystem::path& folder, const std::string& format,
                                         PixelBox box)
{
    const auto count = host::SelectedSlideCount(application_, *services_.prompts);
    if (!count) {
        return false;
    }
    std::filesystem::create_directory(folder);
    for (int i = 1; i <= *count; ++i) {
        auto slide = host::SelectedSlide(application_, i);
        const auto file = folder / ("幻灯片" + std::to_string(slide->SlideIndex()) + "." + format);
        slide->Export(file, format, box.width, box.height);
        services_.FileWritten(file);
    }
    return true;
}

}  // namespace velmora::publish
