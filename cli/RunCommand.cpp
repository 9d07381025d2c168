#include "cli/RunCommand.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>

#include "addin/CommandErrors.hpp"
#include "addin/CommandTable.hpp"
#include "addin/Connect.hpp"
#include "addin/RibbonDefinition.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/RecordingShell.hpp"
#include "cli/ScriptedScreen.hpp"
#include "cli/Transcript.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/Host.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/CurlHttpClient.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "platform/XdgShell.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::cli {
namespace {

// A failure that ends the run with an exit status and a message.
struct RunStop {
    int status;
    std::string message;
};

// The press the ribbon would make: the first control carrying the command;
// a gallery press picks its first item.
addin::RibbonPress PressFor(const addin::CommandEntry& command)
{
    addin::RibbonPress press;
    for (const addin::RibbonCommand& ribbon : addin::RibbonCommands()) {
        if (addin::FindCommand(ribbon.onAction) == &command) {
            press.control.Id = ribbon.controlId;
            break;
        }
    }
    if (command.name == "galAction") {
        press.selectedId = "item0";
    }
    return press;
}

bool IsRefusal(const platform::PromptRecord& record)
{
    return record.kind == "message" &&
           (record.style == host::MsgStyle::Critical || record.style == host::MsgStyle::Exclamation);
}

class CommandRun {
public:
    CommandRun(const RunOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err),
          prompts_(std::make_shared<platform::ScriptedPrompts>(options.json ? silent_ : out)),
          startupPrompts_(std::make_shared<platform::ScriptedPrompts>(options.json ? silent_ : out)),
          shell_(std::make_shared<RecordingShell>(std::make_shared<platform::XdgShell>()))
    {
        report_.command = options.command;
        report_.file = options.file;
    }

    int Execute()
    {
        try {
            const addin::CommandEntry& command = Command();
            report_.command = std::string(command.name);
            QueueAnswers();
            forms::ScriptedDriver driver = Driver();
            AttachScreen(driver);
            auto application = pptx::CreateDocumentHost(Services(), options_.hostVersion);
            auto presentation = Open(*application);
            ApplySelection(*application->ActiveWindow());
            addin::AddinContext context{Services(), &driver, options_.startup, startupPrompts_};
            Press(context, application, command);
            report_.filesWritten = services_.written->All();
            SaveChanges(*presentation);
            return Finish(Refused() ? ExitStatus::Refused : ExitStatus::Done, "");
        } catch (const RunStop& stop) {
            return Finish(stop.status, stop.message);
        }
    }

    // The start-up routine alone, in a host with no presentation open.
    int ExecuteStartup()
    {
        QueueAnswers();
        try {
            auto application = pptx::CreateDocumentHost(Services(), options_.hostVersion);
            addin::AddinContext context{Services(), nullptr, true, startupPrompts_};
            addin::Connect connect(context);
            connect.OnConnection(application);
            connect.OnDisconnection();
            return Finish(ExitStatus::Done, "");
        } catch (const host::HostError& failure) {
            return Finish(ExitStatus::HostFailure, std::string("the start-up routine failed: ") + failure.what());
        }
    }

private:
    const addin::CommandEntry& Command() const
    {
        const addin::CommandEntry* command = addin::FindCommand(options_.command);
        if (command == nullptr) {
            throw RunStop{ExitStatus::BadUsage,
                          "unknown command \"" + options_.command + "\" (velmora commands lists them)"};
        }
        return *command;
    }

    void QueueAnswers()
    {
        for (const bool yes : options_.answers) {
            prompts_->AddAnswer(yes);
        }
        for (const bool yes : options_.startupAnswers) {
            startupPrompts_->AddAnswer(yes);
        }
        for (const std::string& text : options_.inputs) {
            prompts_->AddInput(text);
        }
        for (const std::string& path : options_.files) {
            prompts_->AddFile(path);
        }
        for (const host::Color color : options_.colors) {
            prompts_->AddColor(color);
        }
    }

    forms::ScriptedDriver Driver() const
    {
        try {
            forms::ScriptedDriver driver;
            for (const DialogStep& step : options_.dialogSteps) {
                driver.Add(forms::ParseScriptStep(step.option, step.argument));
            }
            return driver;
        } catch (const std::invalid_argument& error) {
            throw RunStop{ExitStatus::BadUsage, error.what()};
        }
    }

    // The picture stands for the screen; time passes and keys are pressed
    // between the dialog's steps.
    void AttachScreen(forms::ScriptedDriver& driver)
    {
        if (!options_.screen) {
            return;
        }
        std::shared_ptr<ScriptedScreen> screen;
        try {
            screen = std::make_shared<ScriptedScreen>(*options_.screen,
                                                      host::ScreenPoint{options_.pointerX, options_.pointerY});
        } catch (const std::invalid_argument& error) {
            throw RunStop{ExitStatus::BadUsage, error.what()};
        }
        Services();
        services_.screen = screen;
        driver.SetTick([screen] { screen->Tick(); });
        driver.SetKeyHandler([screen](const std::string& key) { screen->PressKey(key); });
    }

    host::Services Services()
    {
        if (!services_.prompts) {
            services_ = {std::make_shared<platform::FileSettingsStore>(), prompts_,
                         shell_, std::make_shared<platform::SystemClock>(),
                         std::make_shared<platform::RuntimeRandom>(), std::make_shared<host::WrittenFiles>(),
                         std::make_shared<platform::CurlHttpClient>()};
        }
        return services_;
    }

    host::Ref<host::Presentation> Open(host::Application& application) const
    {
        const std::string name = options_.file.string();
        std::error_code error;
        const auto status = std::filesystem::status(options_.file, error);
        if (!std::filesystem::exists(status)) {
            throw RunStop{ExitStatus::BadUsage, name + ": no such file"};
        }
        if (!std::filesystem::is_regular_file(status)) {
            throw RunStop{ExitStatus::BadUsage, name + (std::filesystem::is_directory(status)
                                                            ? ": is a folder, not a presentation"
                                                            : ": is not a regular file")};
        }
        try {
            return application.Presentations()->Open(options_.file, false, options_.unsaved, true);
        } catch (const host::HostError& failure) {
            throw RunStop{ExitStatus::BadUsage, "cannot open " + name + ": " + failure.what()};
        }
    }

    void ApplySelection(host::DocumentWindow& window) const
    {
        try {
            if (options_.slide) {
                pptx::ShowSlide(window, *options_.slide);
            }
            if (!options_.selectedSlides.empty()) {
                pptx::SelectSlides(window, options_.selectedSlides);
            }
            if (options_.selectedShapes) {
                pptx::SelectShapes(window, options_.selectedShapes->slide, options_.selectedShapes->names);
            }
        } catch (const host::HostError& failure) {
            throw RunStop{ExitStatus::BadUsage, std::string("cannot select: ") + failure.what()};
        }
    }

    void Press(addin::AddinContext& context, const host::Ref<host::Application>& application,
               const addin::CommandEntry& command)
    {
        addin::Connect connect(context);
        try {
            connect.OnConnection(application);
            connect.Invoke(command.name, PressFor(command));
        } catch (const host::HostError& failure) {
            throw RunStop{ExitStatus::HostFailure, report_.command + " failed: " + failure.what()};
        } catch (const addin::CommandNotAvailable& failure) {
            throw RunStop{ExitStatus::HostFailure, failure.what()};
        } catch (const std::invalid_argument& failure) {
            // A dialog script step that does not fit the dialog.
            throw RunStop{ExitStatus::BadUsage, failure.what()};
        } catch (const std::exception& failure) {
            throw RunStop{ExitStatus::HostFailure, report_.command + " failed: " + failure.what()};
        }
    }

    void SaveChanges(host::Presentation& presentation)
    {
        if (options_.noSave) {
            return;
        }
        if (presentation.Saved()) {
            CopyUnchanged();
            return;
        }
        if (!options_.output && options_.unsaved) {
            err_ << "velmora: the changed presentation was not saved (it was opened with --unsaved; give -o OUT)\n";
            return;
        }
        try {
            if (options_.output) {
                presentation.SaveAs(*options_.output, host::SaveFormat::Presentation);
            } else {
                presentation.Save();
            }
        } catch (const std::exception& failure) {
            throw RunStop{ExitStatus::HostFailure, std::string("cannot save: ") + failure.what()};
        }
        report_.filesWritten.push_back(options_.output.value_or(options_.file));
    }

    // Scripts chain on OUT, so an unchanged presentation goes there too, as it is.
    void CopyUnchanged()
    {
        std::error_code ignored;
        if (!options_.output || std::filesystem::equivalent(options_.file, *options_.output, ignored)) {
            return;
        }
        try {
            platform::ProduceFileAtomically(*options_.output, [&](const std::filesystem::path& temporary) {
                std::filesystem::copy_file(options_.file, temporary, std::filesystem::copy_options::overwrite_existing);
            });
        } catch (const std::system_error& failure) {
            throw RunStop{ExitStatus::HostFailure, std::string("cannot save: ") + failure.what()};
        }
        report_.filesWritten.push_back(*options_.output);
    }

    bool Refused() const
    {
        const auto& transcript = prompts_->Transcript();
        return std::any_of(transcript.begin(), transcript.end(), IsRefusal);
    }

    // The start-up routine's prompts come first, as they were shown.
    std::vector<platform::PromptRecord> AllPrompts() const
    {
        std::vector<platform::PromptRecord> all = startupPrompts_->Transcript();
        all.insert(all.end(), prompts_->Transcript().begin(), prompts_->Transcript().end());
        return all;
    }

    int Finish(int status, const std::string& error)
    {
        if (!error.empty()) {
            err_ << "velmora: " << error << '\n';
        }
        if (options_.json) {
            report_.prompts = AllPrompts();
            report_.opened = shell_->Opened();
            report_.exitStatus = status;
            report_.error = error;
            out_ << TranscriptJson(report_) << '\n';
        }
        return status;
    }

    const RunOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    // Message boxes are not printed when the transcript reports them.
    std::ostringstream silent_;
    std::shared_ptr<platform::ScriptedPrompts> prompts_;
    std::shared_ptr<platform::ScriptedPrompts> startupPrompts_;
    std::shared_ptr<RecordingShell> shell_;
    host::Services services_;
    RunReport report_;
};

}  // namespace

int RunCommand(const RunOptions& options, std::ostream& out, std::ostream& err)
{
    return CommandRun(options, out, err).Execute();
}

int RunStartup(const RunOptions& options, std::ostream& out, std::ostream& err)
{
    return CommandRun(options, out, err).ExecuteStartup();
}

}  // namespace velmora::cli
