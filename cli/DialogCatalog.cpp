#include "cli/DialogCatalog.hpp"

#include <algorithm>
#include <functional>
#include <sstream>

#include "cli/CommandLine.hpp"
#include "cli/JsonWriter.hpp"
#include "forms/Forms.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/Host.hpp"
#include "host/Screen.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/CloseMatches.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/PrivateFolder.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::cli {

namespace {

// The desktop of a listing: the colour picker's pointer, keys and timer go nowhere.
class QuietScreen : public host::Screen {
public:
    host::ScreenPoint CursorPos() override { return {}; }
    host::Color Pixel(int, int) override { return 0; }
    bool RegisterHotKey(host::WindowHandle, int, int) override { return true; }
    void UnregisterHotKey(host::WindowHandle, int) override {}
    void SetHotKeyHandler(host::WindowHandle, std::function<void(int)>) override {}
    void SetArrowPointer(const host::PointerPicture&) override {}
    void RestorePointers() override {}
    void KeepOnTop(host::WindowHandle) override {}
    int SetTimer(int, std::function<void()>) override { return 1; }
    void KillTimer(int) override {}
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
        Dialogs(), [&](const DialogEntry& entry) { return platform::EqualIgnoringAsciiCase(entry.form, form); });
    if (found != Dialogs().end()) {
        return *found;
    }
    std::vector<std::string> names;
    for (const DialogEntry& entry : Dialogs()) {
        names.emplace_back(entry.form);
    }
    throw UsageError("there is no dialog \"" + std::string(form) + "\"" +
                     platform::DidYouMean(platform::CloseMatches(form, names)) + "; the dialogs are " +
                     DialogNames());
}

}  // namespace

std::span<const DialogEntry> Dialogs()
{
    return forms::RegisteredForms();
}

std::string DialogNames()
{
    std::string names;
    for (const DialogEntry& entry : Dialogs()) {
        names += (names.empty() ? "" : ", ") + std::string(entry.form);
    }
    return names;
}

namespace {

// Makes the dialog as its tool would, over a blank presentation saved in a
// private folder (the Flash dialog draws the slide beside it), and hands it
// to `use`, loaded with the user's settings when `load` is set.
void WithDialog(const DialogEntry& entry, bool load, const std::function<void(forms::UserForm&)>& use)
{
    std::ostringstream silent;
    host::Services services{std::make_shared<ReadOnlySettings>(),
                            std::make_shared<platform::ScriptedPrompts>(silent),
                            nullptr,
                            std::make_shared<platform::SystemClock>(),
                            std::make_shared<platform::RuntimeRandom>(),
                            std::make_shared<host::WrittenFiles>()};
    services.screen = std::make_shared<QuietScreen>();
    const platform::PrivateFolder folder("velmora-dialog");
    auto application = pptx::CreateDocumentHost(services);
    auto presentation = application->Presentations()->Add(true);
    presentation->Slides()->Add(1, host::SlideLayout::Title);
    presentation->SaveAs(folder.Path() / "blank.pptx", host::SaveFormat::Presentation);
    forms::ScriptedDriver driver;
    const std::unique_ptr<forms::UserForm> dialog = entry.make(driver, *application, services);
    if (load) {
        dialog->Load();
    }
    use(*dialog);
}

}  // namespace

std::vector<std::string> ControlNames(const DialogEntry& dialog)
{
    std::vector<std::string> names;
    // The names are there once the form is made.
    WithDialog(dialog, false, [&](forms::UserForm& form) {
        for (const forms::Control* control : form.Controls()) {
            names.push_back(control->Name());
        }
    });
    return names;
}

void PrintDialog(std::string_view form, std::ostream& out, bool json)
{
    WithDialog(FindDialog(form), true, [&](forms::UserForm& dialog) {
        if (json) {
            PrintJson(dialog, out);
        } else {
            PrintRows(dialog, out);
        }
    });
}

}  // namespace velmora::cli
