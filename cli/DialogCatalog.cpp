#include "cli/DialogCatalog.hpp"

#include <algorithm>
#include <functional>
#include <sstream>

#include "cli/CommandLine.hpp"
#include "cli/JsonWriter.hpp"
#include "color/frm_myColor.hpp"
#include "font/frm_setFont.hpp"
#include "forms/Forms.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/Host.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/CloseMatches.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "pptx/DocumentHost.hpp"
#include "publish/frm_ExportPic.hpp"

namespace velmora::cli {

namespace {

template <typename Form>
std::unique_ptr<forms::UserForm> Make(forms::FormDriver& driver, host::Application& application,
                                      const host::Services& services)
{
    return std::make_unique<Form>(driver, application, services);
}

std::unique_ptr<forms::UserForm> MakeFontDialog(forms::FormDriver& driver, host::Application& application,
                                                const host::Services& services)
{
    return std::make_unique<font::frm_setFont>(driver, application, services, font::SetFontModule());
}

// One line a dialog.
constexpr DialogEntry kDialogs[] = {
    {"frm_setFont", "SetFont_main", &MakeFontDialog},
    {"frm_myColor", "SetColor_main", &Make<color::frm_myColor>},
    {"frm_ExportPic", "ExportPic_main", &Make<publish::frm_ExportPic>},
};

// The user's settings, read but never written: listing a dialog changes nothing.
class ReadOnlySettings : public host::SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) const override
    {
        return store_.GetSetting(app, section, key, defaultValue);
    }
    void SaveSetting(const std::string&, const std::string&, const std::string&, const std::string&) override {}

private:
    platform::FileSettingsStore store_;
};

// What a script may give a control, and what it holds.
struct ControlFacts {
    std::string group;
    std::string range;
    std::vector<std::string> items;
    std::string value;
};

std::string ContainerName(const forms::Container& container)
{
    if (const auto* frame = dynamic_cast<const forms::Frame*>(&container)) {
        return frame->Name();
    }
    if (const auto* page = dynamic_cast<const forms::Page*>(&container)) {
        return page->Name();
    }
    return container.Form().Name();
}

std::string Truth(bool value)
{
    return value ? "true" : "false";
}

ControlFacts FactsOf(const forms::Control& control)
{
    ControlFacts facts;
    if (const auto* option = dynamic_cast<const forms::OptionButton*>(&control)) {
        facts.group = option->GroupName().empty() ? ContainerName(option->Parent()) : option->GroupName();
    }
    if (const auto* toggle = dynamic_cast<const forms::ToggleControl*>(&control)) {
        facts.range = "true|false";
        facts.value = Truth(toggle->Value());
    } else if (const auto* range = dynamic_cast<const forms::RangeControl*>(&control)) {
        facts.range = std::to_string(std::min(range->Min(), range->Max())) + ".." +
                      std::to_string(std::max(range->Min(), range->Max()));
        facts.value = std::to_string(range->Value());
    } else if (const auto* pages = dynamic_cast<const forms::MultiPage*>(&control)) {
        facts.range = "0.." + std::to_string(pages->PageCount() - 1);
        facts.value = std::to_string(pages->Value());
    } else if (const auto* combo = dynamic_cast<const forms::ComboBox*>(&control)) {
        for (int i = 0; i < combo->ListCount(); ++i) {
            facts.items.push_back(combo->List(i));
        }
        facts.range = (combo->Style() == forms::ComboStyle::DropDownList ? "one of " : "text or one of ") +
                      std::to_string(facts.items.size()) + " items";
        facts.value = combo->Text();
    } else if (const auto* text = dynamic_cast<const forms::TextControl*>(&control)) {
        facts.range = "text";
        facts.value = text->Text();
    }
    return facts;
}

// Line breaks and tabs would split a row of the listing.
std::string OneLine(std::string text)
{
    std::ranges::replace_if(text, [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

void PrintRows(const forms::UserForm& form, std::ostream& out)
{
    out << "name\tkind\tcaption\ttip\tgroup\trange\tvalue\toperable\n";
    for (const forms::Control* control : form.Controls()) {
        const ControlFacts facts = FactsOf(*control);
        out << control->Name() << '\t' << control->TypeName() << '\t' << OneLine(control->Caption()) << '\t'
            << OneLine(control->ControlTipText()) << '\t' << facts.group << '\t' << facts.range << '\t'
            << OneLine(facts.value) << '\t' << (control->Operable() ? "yes" : "no") << '\n';
    }
}

void PrintJson(const forms::UserForm& form, std::ostream& out)
{
    JsonWriter json;
    json.BeginObject().Key("form").String(form.Name()).Key("caption").String(form.Caption());
    json.Key("controls").BeginArray();
    for (const forms::Control* control : form.Controls()) {
        const ControlFacts facts = FactsOf(*control);
        json.BeginObject()
            .Key("name").String(control->Name())
            .Key("kind").String(control->TypeName())
            .Key("caption").String(control->Caption())
            .Key("tip").String(control->ControlTipText())
            .Key("group").String(facts.group)
            .Key("range").String(facts.range)
            .Key("value").String(facts.value)
            .Key("operable").Bool(control->Operable());
        if (!facts.items.empty()) {
            json.Key("items").BeginArray();
            for (const std::string& item : facts.items) {
                json.String(item);
            }
            json.EndArray();
        }
        json.EndObject();
    }
    json.EndArray().EndObject();
    out << json.Text() << '\n';
}

const DialogEntry& FindDialog(std::string_view form)
{
    const auto found = std::ranges::find_if(
        kDialogs, [&](const DialogEntry& entry) { return platform::EqualIgnoringAsciiCase(entry.form, form); });
    if (found != std::end(kDialogs)) {
        return *found;
    }
    std::vector<std::string> names;
    for (const DialogEntry& entry : kDialogs) {
        names.emplace_back(entry.form);
    }
    throw UsageError("there is no dialog \"" + std::string(form) + "\"" +
                     platform::DidYouMean(platform::CloseMatches(form, names)) + "; the dialogs are " +
                     DialogNames());
}

}  // namespace

std::span<const DialogEntry> Dialogs()
{
    return kDialogs;
}

std::string DialogNames()
{
    std::string names;
    for (const DialogEntry& entry : kDialogs) {
        names += (names.empty() ? "" : ", ") + std::string(entry.form);
    }
    return names;
}

namespace {

// Makes the dialog as its tool would, over a blank presentation, and hands
// it to `use` loaded with the user's settings.
void WithDialog(const DialogEntry& entry, const std::function<void(forms::UserForm&)>& use)
{
    std::ostringstream silent;
    const host::Services services{std::make_shared<ReadOnlySettings>(),
                                  std::make_shared<platform::ScriptedPrompts>(silent),
                                  nullptr,
                                  std::make_shared<platform::SystemClock>(),
                                  std::make_shared<platform::RuntimeRandom>(),
                                  std::make_shared<host::WrittenFiles>()};
    // Some dialogs look at the active presentation while they load.
    auto application = pptx::CreateDocumentHost(services);
    application->Presentations()->Add(true)->Slides()->Add(1, host::SlideLayout::Title);
    forms::ScriptedDriver driver;
    const std::unique_ptr<forms::UserForm> dialog = entry.make(driver, *application, services);
    dialog->Load();
    use(*dialog);
}

}  // namespace

std::vector<std::string> ControlNames(const DialogEntry& dialog)
{
    std::vector<std::string> names;
    WithDialog(dialog, [&](forms::UserForm& form) {
        for (const forms::Control* control : form.Controls()) {
            names.push_back(control->Name());
        }
    });
    return names;
}

void PrintDialog(std::string_view form, std::ostream& out, bool json)
{
    WithDialog(FindDialog(form), [&](forms::UserForm& dialog) {
        if (json) {
            PrintJson(dialog, out);
        } else {
            PrintRows(dialog, out);
        }
    });
}

}  // namespace velmora::cli
