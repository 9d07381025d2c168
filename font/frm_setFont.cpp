#include "font/frm_setFont.hpp"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <tuple>

#include "font/NamePattern.hpp"
#include "font/RuntimeConversion.hpp"
#include "forms/ControlLayout.hpp"
#include "forms/FormCatalog.hpp"
#include "host/Preconditions.hpp"
#include "host/Prompts.hpp"
#include "host/SettingsStore.hpp"

namespace velmora::font {

namespace {

using forms::Numbered;
using forms::Place;

constexpr const char* kSection = "SetFont-Settings";
constexpr const char* kNoSlidesInDeck = "此文档中没有包含幻灯片！";
constexpr const char* kDoneText = "字体设置完成！";
constexpr const char* kSelectedSlidesPrefix = "当前选定幻灯片中的";
constexpr const char* kAllSlidesPrefix = "所有幻灯片中的";

constexpr const char* kCaptionFont = "微软雅黑";
constexpr const char* kStyleButtonFont = "Times New Roman";
constexpr const char* kSizeBoxFont = "Consolas";
constexpr const char* kEastAsianListFont = "宋体";
constexpr const char* kLatinListFont = "Arial";

constexpr double kLargestSize = 96;
constexpr double kSmallestSize = 1;
// Below this host version a text box named like a footer is a footer.
constexpr double kFooterTextBoxVersion = 12;

constexpr std::array<std::string_view, 3> kTitleNames = {"*Title*", "标题*", "竖排标题*"};
constexpr std::array<std::string_view, 6> kFooterNames = {"*Footer*",     "*Date*",       "*Slide Number*",
                                                           "*页脚占位符*", "*日期占位符*", "*编号占位符*"};
constexpr std::array<std::string_view, 2> kTableNames = {"*Table*", "*表格*"};
constexpr std::array<std::string_view, 1> kWordArtName = {"*WordArt*"};

void Describe(forms::Control& control, std::string caption, std::string tip)
{
    control.SetCaption(std::move(caption));
    control.SetControlTipText(std::move(tip));
}

int TriStateOf(bool value)
{
    return value ? host::TriState::True : host::TriState::False;
}

// One write of applyfont: a write the host refuses is skipped.
void Attempt(const std::function<void()>& write)
{
    host::Suppressed(write);
}

// The size plus the step, held to 1 to 96; nothing when the step is no
// number, where the host would refuse the sum.
std::optional<float> SteppedSize(float size, const std::string& step)
{
    const auto points = ToNumber(step);
    if (!points) {
        return std::nullopt;
    }
    const double sum = size + *points;
    if (sum >= kLargestSize) {
        return static_cast<float>(kLargestSize);
    }
    if (sum <= kSmallestSize) {
        return static_cast<float>(kSmallestSize);
    }
    return static_cast<float>(sum);
}

// A size as typed; a text that is no number, or none a size could be, is a
// write the host refuses.
void WriteSize(const std::string& text, const std::function<void(float)>& write)
{
    const auto points = ToNumber(text);
    if (points && std::abs(*points) <= std::numeric_limits<float>::max()) {
        Attempt([&] { write(static_cast<float>(*points)); });
    }
}

void WriteSteppedSize(const std::function<float()>& read, const std::string& step,
                      const std::function<void(float)>& write)
{
    Attempt([&] {
        if (const auto size = SteppedSize(read(), step)) {
            write(*size);
        }
    });
}

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    return std::make_unique<frm_setFont>(driver, application, services, SetFontModule());
}

const forms::FormRegistration kRegistration({"frm_setFont", "SetFont_main", &MakeDialog});

}  // namespace

frm_setFont::frm_setFont(forms::FormDriver& driver, host::Application& application, const host::Services& services,
                         md_SetFont& module)
    : UserForm(driver, "frm_setFont"), application_(application), services_(services), module_(module)
{
    SetCaption("设置字体");
    SetWidth(330);
    SetHeight(356);
    for (forms::Control* control : Controls()) {
        control->SetFontName(kCaptionFont);
    }
    DesignScopeAndTarget();
    DesignFontOptions();
    DesignStyles();
    DesignButtons();
    SetHandlers();
}

void frm_setFont::DesignScopeAndTarget()
{
    Frame1.SetCaption("范围");
    Place(Frame1, 6, 6, 312, 42);
    Describe(OptionButton1, "选定幻灯片", "仅限当前选定的幻灯片");
    Place(OptionButton1, 12, 12, 120, 18);
    Describe(OptionButton2, "全部幻灯片", "应用到所有幻灯片");
    Place(OptionButton2, 160, 12, 120, 18);

    Frame2.SetCaption("目标");
    Place(Frame2, 6, 54, 312, 112);
    Place(MultiPage1, 6, 6, 298, 94);
    Page1.SetControlTipText("根据文字对象的类型进行替换");
    Page2.SetControlTipText("根据文字所在的页面位置进行替换");
    Describe(CheckBox1, "标题文字", "替换标题字体");
    Place(CheckBox1, 6, 6, 90, 18);
    Describe(CheckBox2, "正文文字", "替换正文字体");
    Place(CheckBox2, 100, 6, 90, 18);
    Describe(CheckBox6, "页脚文字", "替换页脚中的文字字体（不包括母版中的页脚）");
    Place(CheckBox6, 194, 6, 90, 18);
    Describe(CheckBox3, "图形和艺术字中的文字", "替换图形和艺术字中的文字字体");
    Place(CheckBox3, 6, 28, 184, 18);
    Describe(CheckBox4, "表格文字", "替换表格中的文字字体");
    Place(CheckBox4, 194, 28, 90, 18);
    Describe(CheckBox5, "包括图形组合", "是否深入图形组合进行替换");
    Place(CheckBox5, 6, 50, 120, 18);
    CheckBox5.SetEnabled(false);

    const std::array<std::pair<forms::OptionButton*, std::array<const char*, 2>>, 6> positions{{
        {&OptionButton3, {"最顶端", "替换最顶部文字字体"}},
        {&OptionButton4, {"最底端", "替换最底部文字字体"}},
        {&OptionButton5, {"最左侧", "替换最左侧文字字体"}},
        {&OptionButton6, {"最右侧", "替换最右侧文字字体"}},
        {&OptionButton7, {"左上角", "替换左上角文字字体"}},
        {&OptionButton8, {"右下角", "替换右下角文字字体"}},
    }};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        auto& [button, texts] = positions[i];
        Describe(*button, texts[0], texts[1]);
        Place(*button, 6.0F + static_cast<float>(i / 2) * 96.0F, i % 2 == 0 ? 6.0F : 30.0F, 90, 18);
    }
}

void frm_setFont::DesignFontOptions()
{
    Frame3.SetCaption("字体选项");
    Place(Frame3, 6, 172, 312, 146);

    Frame4.SetCaption("字体");
    Place(Frame4, 6, 6, 298, 50);
    Describe(CheckBox7, "中文字体", "统一中文字体");
    Place(CheckBox7, 6, 4, 76, 18);
    Describe(CheckBox8, "英文字体", "统一英文和数字字体");
    Place(CheckBox8, 6, 26, 76, 18);
    ComboBox1.SetControlTipText("选择中文字体样式");
    Place(ComboBox1, 86, 4, 200, 18);
    ComboBox2.SetControlTipText("选择英文和数字字体样式");
    Place(ComboBox2, 86, 26, 200, 18);

    Frame5.SetCaption("字号");
    Place(Frame5, 6, 60, 298, 30);
    Describe(OptionButton9, "大小不变", "保持原有文字大小不变");
    Place(OptionButton9, 6, 4, 72, 18);
    Describe(OptionButton10, "统一", "将文字大小统一为某个字号");
    Place(OptionButton10, 84, 4, 48, 18);
    Place(ComboBox3, 132, 4, 50, 18);
    Describe(OptionButton11, "缩放", "在原有文字大小上进行缩放");
    Place(OptionButton11, 188, 4, 48, 18);
    Place(ComboBox4, 236, 4, 50, 18);

    for (forms::ComboBox* box : {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4}) {
        box->SetVisible(false);
        box->SetStyle(forms::ComboStyle::DropDownCombo);
        box->SetMatchEntry(forms::MatchEntry::Complete);
        box->SetShowDropButtonWhen(forms::ShowDropButtonWhen::Always);
    }
    ComboBox3.SetFontName(kSizeBoxFont);
    ComboBox4.SetFontName(kSizeBoxFont);
}

void frm_setFont::DesignStyles()
{
    Frame6.SetCaption("样式");
    Place(Frame6, 6, 94, 298, 46);

    CheckBox9.SetControlTipText("是否改变文字颜色");
    Place(CheckBox9, 6, 14, 14, 18);
    Describe(Cmd_Color, "A", "设置文字颜色");
    Place(Cmd_Color, 22, 4, 24, 22);
    Cmd_Color.SetEnabled(false);
    Label2.SetControlTipText("设置文字颜色");
    Place(Label2, 22, 28, 24, 8);
    Label2.SetBackColor(0);

    const std::array<std::pair<forms::CheckBox*, const char*>, 4> styleBoxes{{
        {&CheckBox10, "是否改变文字加粗状态"},
        {&CheckBox11, "是否改变文字倾斜状态"},
        {&CheckBox12, "是否改变文字下划线状态"},
        {&CheckBox13, "是否改变文字阴影状态"},
    }};
    const std::array<std::pair<forms::ToggleButton*, std::array<const char*, 2>>, 4> toggles{{
        {&ToggleButton3, {"B", "[加粗]|[不加粗]"}},
        {&ToggleButton4, {"I", "[倾斜]|[不倾斜]"}},
        {&ToggleButton5, {"U", "[下划线]|[无下划线]"}},
        {&ToggleButton6, {"S", "[阴影]|[无阴影]"}},
    }};
    float left = 62;
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        auto& [box, boxTip] = styleBoxes[i];
        box->SetControlTipText(boxTip);
        Place(*box, left, 14, 14, 18);
        auto& [toggle, texts] = toggles[i];
        Describe(*toggle, texts[0], texts[1]);
        Place(*toggle, left + 16, 4, 24, 22);
        toggle->SetFontName(kStyleButtonFont);
        toggle->SetEnabled(false);
        left += 56;
    }
}

void frm_setFont::DesignButtons()
{
    CommandButton1.SetCaption("确定(O)");
    CommandButton1.SetAccelerator("O");
    CommandButton1.SetDefault(true);
    Place(CommandButton1, 160, 324, 72, 24);
    CommandButton2.SetCaption("取消(C)");
    CommandButton2.SetAccelerator("C");
    CommandButton2.SetCancel(true);
    Place(CommandButton2, 242, 324, 72, 24);
}

void frm_setFont::SetHandlers()
{
    CommandButton1.events.Click = [this] { CommandButton1_Click(); };
    CommandButton2.events.Click = [this] { CommandButton2_Click(); };
    Cmd_Color.events.Click = [this] { Cmd_Color_Click(); };
    Label2.events.Click = [this] { Label2_Click(); };
    ComboBox1.events.Change = [this] { ComboBox1_Change(); };
    ComboBox2.events.Change = [this] { ComboBox2_Change(); };
    ComboBox1.events.MouseDown = [this](int, int, float, float) { ComboBox1_MouseDown(); };
    ComboBox2.events.MouseDown = [this](int, int, float, float) { ComboBox2_MouseDown(); };
    ComboBox3.events.Change = [this] { ComboBox3_Change(); };
    ComboBox4.events.Change = [this] { ComboBox4_Change(); };
    CheckBox2.events.Click = [this] { CheckBox2_Click(); };
    CheckBox3.events.Click = [this] { CheckBox3_Click(); };
    CheckBox4.events.Click = [this] { CheckBox4_Click(); };
    CheckBox7.events.Change = [this] { CheckBox7_Change(); };
    CheckBox8.events.Change = [this] { CheckBox8_Change(); };
    CheckBox9.events.Change = [this] { CheckBox9_Change(); };
    CheckBox10.events.Change = [this] { CheckBox10_Change(); };
    CheckBox11.events.Change = [this] { CheckBox11_Change(); };
    CheckBox12.events.Change = [this] { CheckBox12_Change(); };
    CheckBox13.events.Change = [this] { CheckBox13_Change(); };
    OptionButton9.events.Change = [this] { OptionButton9_Change(); };
    OptionButton10.events.Change = [this] { OptionButton10_Change(); };
    OptionButton11.events.Change = [this] { OptionButton11_Change(); };
    ToggleButton3.events.Change = [this] { ToggleButton3_Change(); };
    ToggleButton4.events.Change = [this] { ToggleButton4_Change(); };
    ToggleButton5.events.Change = [this] { ToggleButton5_Change(); };
    ToggleButton6.events.Change = [this] { ToggleButton6_Change(); };
}

void frm_setFont::UserForm_Initialize()
{
    loaded_ = false;
    // Each value that does not fit its control is skipped; the control keeps
    // its designed state.
    for (int i = 3; i <= 6; ++i) {
        RestoreValue(Controls<forms::ToggleButton>(Numbered("ToggleButton", i)), Numbered("ToggleButton", i), false);
    }
    fixedSize_ = Setting("FSize", "16");
    sizeStep_ = Setting("FreSize", "5");
    if (const auto color = ToLong(Setting("FColor", "0"))) {
        Label2.SetBackColor(*color);
    }
    for (int i = 1; i <= 13; ++i) {
        RestoreValue(Controls<forms::CheckBox>(Numbered("CheckBox", i)), Numbered("CheckBox", i), false);
    }
    // After CheckBox2 to CheckBox4, whose clicks already enabled or disabled it.
    if (const auto enabled = ToTruth(Setting("CheckBox5Enabled", "False"))) {
        CheckBox5.SetEnabled(*enabled);
    }
    for (int i = 1; i <= 11; ++i) {
        RestoreValue(Controls<forms::OptionButton>(Numbered("OptionButton", i)), Numbered("Option", i), false);
    }
    RestoreValue(OptionButton2, "Option2", true);
    RestoreValue(OptionButton3, "Option3", true);
    RestoreValue(OptionButton9, "Option9", true);
    if (const auto page = ToLong(Setting("Page", "0")); page && *page >= 0 && *page < MultiPage1.PageCount()) {
        MultiPage1.SetValue(*page);
    }
    const std::vector<std::string>& fonts = module_.FontList();
    for (forms::ComboBox* box : {&ComboBox1, &ComboBox2}) {
        for (const std::string& name : fonts) {
            box->AddItem(name);
        }
    }
    RestoreFontBox(ComboBox1, "ComboBox1", kEastAsianListFont);
    RestoreFontBox(ComboBox2, "ComboBox2", kLatinListFont);
    RestoreSizeLists();
    loaded_ = true;
}

std::string frm_setFont::Setting(const std::string& key, const std::string& defaultValue) const
{
    return services_.settings->GetSetting(host::kAppName, kSection, key, defaultValue);
}

void frm_setFont::RestoreValue(forms::ToggleControl& control, const std::string& key, bool defaultValue)
{
    if (const auto value = ToTruth(Setting(key, TruthText(defaultValue)))) {
        control.SetValue(*value);
    }
}

void frm_setFont::RestoreFontBox(forms::ComboBox& box, const std::string& key, const std::string& defaultFont)
{
    const std::string font = Setting(key, defaultFont);
    box.SetText(font);
    box.SetFontName(font);
}

void frm_setFont::RestoreSizeLists()
{
    for (int i = 1; i <= static_cast<int>(kLargestSize); ++i) {
        ComboBox3.AddItem(std::to_string(i));
        ComboBox4.AddItem(std::to_string(i - static_cast<int>(kLargestSize)));
    }
    for (int i = 1; i < static_cast<int>(kLargestSize); ++i) {
        ComboBox4.AddItem(std::to_string(i));
    }
    ComboBox3.SetText(fixedSize_);
    ComboBox4.SetText(sizeStep_);
}

void frm_setFont::SaveValue(const std::string& key, const std::string& value)
{
    services_.settings->SaveSetting(host::kAppName, kSection, key, value);
}

void frm_setFont::mySaveSettings()
{
    const host::SettingsBatch batch(*services_.settings);
    for (int i = 3; i <= 6; ++i) {
        const std::string name = Numbered("ToggleButton", i);
        SaveValue(name, TruthText(Controls<forms::ToggleButton>(name).Value()));
    }
    SaveValue("ComboBox1", ComboBox1.Text());
    SaveValue("ComboBox2", ComboBox2.Text());
    SaveValue("FColor", std::to_string(Label2.BackColor()));
    SaveValue("FSize", fixedSize_);
    SaveValue("FreSize", sizeStep_);
    for (int i = 1; i <= 13; ++i) {
        const std::string name = Numbered("CheckBox", i);
        SaveValue(name, TruthText(Controls<forms::CheckBox>(name).Value()));
    }
    SaveValue("CheckBox5Enabled", TruthText(CheckBox5.Enabled()));
    for (int i = 1; i <= 11; ++i) {
        SaveValue(Numbered("Option", i), TruthText(Controls<forms::OptionButton>(Numbered("OptionButton", i)).Value()));
    }
    SaveValue("Page", std::to_string(MultiPage1.Value()));
}

void frm_setFont::GroupTargetClicked(const forms::CheckBox& clicked)
{
    if (clicked.Value()) {
        CheckBox5.SetEnabled(true);
    } else if (!CheckBox2.Value() && !CheckBox3.Value() && !CheckBox4.Value()) {
        CheckBox5.SetEnabled(false);
    }
}

void frm_setFont::ShowToggleState(forms::ToggleButton& toggle, std::string_view pressedTip,
                                  std::string_view releasedTip)
{
    toggle.SetControlTipText(std::string(toggle.Value() ? pressedTip : releasedTip));
}

void frm_setFont::CheckBox2_Click() { GroupTargetClicked(CheckBox2); }
void frm_setFont::CheckBox3_Click() { GroupTargetClicked(CheckBox3); }
void frm_setFont::CheckBox4_Click() { GroupTargetClicked(CheckBox4); }

void frm_setFont::CheckBox7_Change() { ComboBox1.SetVisible(CheckBox7.Value()); }
void frm_setFont::CheckBox8_Change() { ComboBox2.SetVisible(CheckBox8.Value()); }
void frm_setFont::CheckBox9_Change() { Cmd_Color.SetEnabled(CheckBox9.Value()); }
void frm_setFont::CheckBox10_Change() { ToggleButton3.SetEnabled(CheckBox10.Value()); }
void frm_setFont::CheckBox11_Change() { ToggleButton4.SetEnabled(CheckBox11.Value()); }
void frm_setFont::CheckBox12_Change() { ToggleButton5.SetEnabled(CheckBox12.Value()); }
void frm_setFont::CheckBox13_Change() { ToggleButton6.SetEnabled(CheckBox13.Value()); }

void frm_setFont::OptionButton9_Change()
{
    if (OptionButton9.Value()) {
        ComboBox3.SetVisible(false);
        ComboBox4.SetVisible(false);
    }
}

void frm_setFont::OptionButton10_Change() { ComboBox3.SetVisible(OptionButton10.Value()); }
void frm_setFont::OptionButton11_Change() { ComboBox4.SetVisible(OptionButton11.Value()); }

void frm_setFont::ToggleButton3_Change() { ShowToggleState(ToggleButton3, "[◆粗体] | [常规]", "[◆常规] | [粗体]"); }
void frm_setFont::ToggleButton4_Change() { ShowToggleState(ToggleButton4, "[◆斜体] | [常规]", "[◆常规] | [斜体]"); }
void frm_setFont::ToggleButton5_Change()
{
    ShowToggleState(ToggleButton5, "[◆下划线] | [常规]", "[◆常规] | [下划线] ");
}
void frm_setFont::ToggleButton6_Change() { ShowToggleState(ToggleButton6, "[◆阴影] | [常规] ", "[◆常规] | [阴影]"); }

// The font boxes preview the chosen font, and show their list in a plain one.
void frm_setFont::ComboBox1_Change() { ComboBox1.SetFontName(ComboBox1.Text()); }
void frm_setFont::ComboBox2_Change() { ComboBox2.SetFontName(ComboBox2.Text()); }
void frm_setFont::ComboBox1_MouseDown() { ComboBox1.SetFontName(kEastAsianListFont); }
void frm_setFont::ComboBox2_MouseDown() { ComboBox2.SetFontName(kLatinListFont); }

void frm_setFont::ComboBox3_Change() { fixedSize_ = ComboBox3.Text(); }
void frm_setFont::ComboBox4_Change() { sizeStep_ = ComboBox4.Text(); }

void frm_setFont::Cmd_Color_Click() { getfontcolor(); }
void frm_setFont::Label2_Click() { getfontcolor(); }

// The chooser is modal through the prompts service, so no chooser of an
// earlier click can still be open here.
void frm_setFont::getfontcolor()
{
    if (!loaded_) {
        return;
    }
    if (const host::Color chosen = module_.ChooseColor(*services_.prompts); chosen != -1) {
        Label2.SetBackColor(chosen);
    }
}

void frm_setFont::CommandButton2_Click() { Unload(); }

void frm_setFont::CommandButton1_Click()
{
    host::Prompts& prompts = *services_.prompts;
    if (OptionButton1.Value()) {
        const auto count = host::SelectedSlideCount(application_, prompts);
        if (!count) {
            return;
        }
        Hide();
        for (int i = 1; i <= *count; ++i) {
            HandleSlide(*host::SelectedSlide(application_, i));
        }
    } else {
        const auto slides = application_.ActivePresentation()->Slides();
        if (slides->Count() == 0) {
            prompts.MsgBox(kNoSlidesInDeck, host::MsgStyle::Critical);
            return;
        }
        Hide();
        for (int i = 1; i <= slides->Count(); ++i) {
            HandleSlide(*slides->Item(i));
        }
    }
    mySaveSettings();
    prompts.MsgBox(std::string(OptionButton1.Value() ? kSelectedSlidesPrefix : kAllSlidesPrefix) + kDoneText,
                   host::MsgStyle::OkOnly);
    Unload();
}

void frm_setFont::HandleSlide(host::Slide& slide)
{
    if (MultiPage1.Value() != 0) {
        position(slide);
        return;
    }
    const auto shapes = slide.Shapes();
    for (int i = 1; i <= shapes->Count(); ++i) {
        const auto shape = shapes->Item(i);
        if (shape->Type() == host::ShapeType::Group && CheckBox5.Value()) {
            ingroup(*shape);
        } else {
            nongroup(*shape);
        }
    }
}

double frm_setFont::HostVersion() const
{
    return LeadingNumber(application_.Version());
}

namespace {

// What a placeholder's name says it holds.
struct PlaceholderRole {
    bool title = false;
    bool footer = false;
    bool table = false;
};

PlaceholderRole RoleByName(const std::string& name)
{
    return {MatchesAnyPattern(name, kTitleNames), MatchesAnyPattern(name, kFooterNames),
            MatchesAnyPattern(name, kTableNames)};
}

PlaceholderRole RoleByKind(int kind)
{
    using namespace host::PlaceholderType;
    return {kind == Title || kind == CenterTitle || kind == VerticalTitle,
            kind == Footer || kind == Date || kind == SlideNumber, kind == host::PlaceholderType::Table};
}

// The name tells first, as the add-in has always read it. Writers that name
// placeholders otherwise (Impress calls each one "PlaceHolder N") give names
// that match no pattern; such a placeholder is known by its kind.
PlaceholderRole RoleOf(host::Shape& shape, int type, const std::string& name)
{
    const PlaceholderRole byName = RoleByName(name);
    if (type != host::ShapeType::Placeholder || byName.title || byName.footer || byName.table) {
        return byName;
    }
    return RoleByKind(shape.PlaceholderFormat()->Type());
}

}  // namespace

// Body text is every placeholder that is no title, footer or table, and every
// text box; a text box is never a title. A text box named like a footer is a
// footer in hosts before version 12.
void frm_setFont::nongroup(host::Shape& shape)
{
    using namespace host::ShapeType;
    const int type = shape.Type();
    const PlaceholderRole role = RoleOf(shape, type, shape.Name());

    const bool title = CheckBox1.Value() && type == Placeholder && role.title;
    const bool footer = CheckBox6.Value() && role.footer &&
                        (type == Placeholder || (type == TextBox && HostVersion() < kFooterTextBoxVersion));
    const bool body = CheckBox2.Value() && type == Placeholder && !role.title && !role.footer && !role.table;
    const bool drawn = CheckBox3.Value() && (type == AutoShape || type == TextEffect || type == Callout);
    const bool textBox = CheckBox2.Value() && type == TextBox;
    if (title || footer || body || drawn || textBox) {
        applyfont(shape);
        return;
    }
    if (CheckBox4.Value() && shape.HasTable() == host::TriState::True && (type == Table || role.table)) {
        ApplyToTable(shape);
    }
}

// Each member is handled exactly once. The add-in this replaces handed the
// last member of a nested group to nongroup a second time, which added a
// size step to it twice.
void frm_setFont::ingroup(host::Shape& group)
{
    const auto members = group.GroupItems();
    for (int i = 1; i <= members->Count(); ++i) {
        const auto member = members->Item(i);
        if (member->Type() == host::ShapeType::Group) {
            ingroup(*member);
        } else {
            nongroup(*member);
        }
    }
}

void frm_setFont::ApplyToTable(host::Shape& shape)
{
    inTable_ = 1;
    const auto rows = shape.Table()->Rows();
    for (int r = 1; r <= rows->Count(); ++r) {
        const auto cells = rows->Item(r)->Cells();
        for (int c = 1; c <= cells->Count(); ++c) {
            applyfont(*cells->Item(c)->Shape());
        }
    }
    inTable_ = 0;
}

// Strict comparisons let the first of equal extremes win; for the corners the
// last qualifying shape wins. Any shape counts, with text or without.
void frm_setFont::position(host::Slide& slide)
{
    const auto setup = application_.ActivePresentation()->PageSetup();
    const float width = setup->SlideWidth();
    const float height = setup->SlideHeight();
    float top = height;
    float bottom = 0;
    float left = width;
    float right = 0;
    int chosen = 0;
    const auto shapes = slide.Shapes();
    for (int k = 1; k <= shapes->Count(); ++k) {
        const auto shape = shapes->Item(k);
        if (OptionButton3.Value() && shape->Top() < top) {
            top = shape->Top();
            chosen = k;
        }
        if (OptionButton4.Value() && shape->Top() + shape->Height() > bottom) {
            bottom = shape->Top() + shape->Height();
            chosen = k;
        }
        if (OptionButton5.Value() && shape->Left() < left) {
            left = shape->Left();
            chosen = k;
        }
        if (OptionButton6.Value() && shape->Left() + shape->Width() > right) {
            right = shape->Left() + shape->Width();
            chosen = k;
        }
        if (OptionButton7.Value() && shape->Left() <= 0.3 * width && shape->Top() <= 0.1 * height) {
            chosen = k;
        }
        if (OptionButton8.Value() && shape->Left() >= 0.6 * width && shape->Top() >= 0.9 * height) {
            chosen = k;
        }
    }
    if (chosen > 0) {
        applyfont(*shapes->Item(chosen));
    }
}

void frm_setFont::applyfont(host::Shape& shape)
{
    host::Ref<host::TextRange> text;
    host::Ref<host::Font> font;
    Attempt([&] {
        text = shape.TextFrame()->TextRange();
        font = text->Font();
    });
    if (font) {
        ApplyToFont(*text, *font);
    }
    if (IsWordArtOutsideTable(shape)) {
        ApplyToTextEffect(shape);
    }
}

bool frm_setFont::IsWordArtOutsideTable(const host::Shape& shape) const
{
    bool wordArt = false;
    Attempt([&] {
        wordArt = inTable_ == 0 && shape.Type() == host::ShapeType::TextEffect &&
                  MatchesAnyPattern(shape.Name(), kWordArtName);
    });
    return wordArt;
}

void frm_setFont::ApplyToFont(host::TextRange& text, host::Font& font)
{
    if (CheckBox7.Value()) {
        Attempt([&] { font.SetNameComplexScript(ComboBox1.Text()); });
        Attempt([&] { font.SetNameFarEast(ComboBox1.Text()); });
    }
    if (CheckBox8.Value()) {
        Attempt([&] { font.SetNameAscii(ComboBox2.Text()); });
        Attempt([&] { font.SetNameOther(ComboBox2.Text()); });
    }
    if (OptionButton10.Value()) {
        WriteSize(fixedSize_, [&](float points) { font.SetSize(points); });
    }
    if (OptionButton11.Value()) {
        StepSize(text, font);
    }
    if (CheckBox9.Value()) {
        Attempt([&] { font.Color()->SetRGB(Label2.BackColor()); });
    }
    const std::array<std::tuple<const forms::CheckBox*, const forms::ToggleButton*, void (host::Font::*)(int)>, 4>
        styles{{
            {&CheckBox10, &ToggleButton3, &host::Font::SetBold},
            {&CheckBox11, &ToggleButton4, &host::Font::SetItalic},
            {&CheckBox12, &ToggleButton5, &host::Font::SetUnderline},
            {&CheckBox13, &ToggleButton6, &host::Font::SetShadow},
        }};
    for (const auto& [change, pressed, set] : styles) {
        if (change->Value()) {
            Attempt([&] { (font.*set)(TriStateOf(pressed->Value())); });
        }
    }
}

// Text of several sizes takes the step run by run, each from its own size.
void frm_setFont::StepSize(host::TextRange& text, host::Font& font)
{
    bool mixed = false;
    Attempt([&] { mixed = font.Size() == host::FontSize::Mixed; });
    if (!mixed) {
        WriteSteppedSize([&] { return font.Size(); }, sizeStep_, [&](float points) { font.SetSize(points); });
        return;
    }
    int runs = 0;
    Attempt([&] { runs = text.RunCount(); });
    for (int i = 1; i <= runs; ++i) {
        host::Ref<host::Font> run;
        Attempt([&] { run = text.Runs(i)->Font(); });
        if (run) {
            WriteSteppedSize([&] { return run->Size(); }, sizeStep_, [&](float points) { run->SetSize(points); });
        }
    }
}

// WordArt keeps its own font name, size and styles besides its text's; the
// East Asian name wins when both names are chosen. Underline and shadow have
// no text-effect counterpart.
void frm_setFont::ApplyToTextEffect(host::Shape& shape)
{
    host::Ref<host::TextEffectFormat> effect;
    Attempt([&] { effect = shape.TextEffect(); });
    const auto onEffect = [&](const std::function<void(host::TextEffectFormat&)>& write) {
        if (effect) {
            Attempt([&] { write(*effect); });
        }
    };
    if (CheckBox8.Value()) {
        onEffect([&](host::TextEffectFormat& e) { e.SetFontName(ComboBox2.Text()); });
    }
    if (CheckBox7.Value()) {
        onEffect([&](host::TextEffectFormat& e) { e.SetFontName(ComboBox1.Text()); });
    }
    if (OptionButton10.Value() && effect) {
        WriteSize(fixedSize_, [&](float points) { effect->SetFontSize(points); });
    }
    if (CheckBox9.Value()) {
        Attempt([&] { shape.Fill()->ForeColor()->SetRGB(Label2.BackColor()); });
    }
    if (OptionButton11.Value() && effect) {
        WriteSteppedSize([&] { return effect->FontSize(); }, sizeStep_,
                         [&](float points) { effect->SetFontSize(points); });
    }
    if (CheckBox10.Value()) {
        onEffect([&](host::TextEffectFormat& e) { e.SetFontBold(TriStateOf(ToggleButton3.Value())); });
    }
    if (CheckBox11.Value()) {
        onEffect([&](host::TextEffectFormat& e) { e.SetFontItalic(TriStateOf(ToggleButton4.Value())); });
    }
}

void setFont_main(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    frm_setFont dialog(driver, application, services, SetFontModule());
    dialog.Show();
}

}  // namespace velmora::font
