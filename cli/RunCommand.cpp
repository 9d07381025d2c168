#include "cli/RunCommand.hpp"

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "addin/CommandTable.hpp"
#include "addin/Connect.hpp"
#include "addin/RibbonDefinition.hpp"
#include "cli/DesktopShell.hpp"
#include "cli/DryRun.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/RecordingShell.hpp"
#include "cli/ScriptedScreen.hpp"
#include "cli/TerminalProgress.hpp"
#include "cli/Transcript.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/Host.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/CloseMatches.hpp"
#include "platform/EditLock.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/HostSteps.hpp"
#include "platform/Leftovers.hpp"
#include "platform/PlatformServices.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/XdgShell.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::cli {
namespace {

// How long a run waits for another that is changing the same deck.
constexpr std::chrono::seconds kDeckLockPatience{10};

// A failure that ends the run of one file with an exit status and a message.
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

// Commands that ask for a file and then work on the one slide selected in
// the window: without that slide the question would be asked for nothing.
constexpr std::string_view kOneSlideCommands[] = {"AddFlash_main"};

bool IsRefusal(const platform::PromptRecord& record)
{
    return record.kind == "message" &&
           (record.style == host::MsgStyle::Critical || record.style == host::MsgStyle::Exclamation);
}

// What stands at `file` when it is not a file we can open, in words;
// `what` names the file wanted ("presentation file").
std::string NotAFile(const std::filesystem::path& file, const std::string& what)
{
    std::error_code error;
    switch (std::filesystem::status(file, error).type()) {
    case std::filesystem::file_type::not_found:
        return "no such file";
    case std::filesystem::file_type::directory:
        return "is a directory, not a " + what;
    case std::filesystem::file_type::fifo:
        return "is a pipe, not a " + what;
    case std::filesystem::file_type::socket:
        return "is a socket, not a " + what;
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
        return "is a device, not a " + what;
    case std::filesystem::file_type::regular:
        return "";
    default:
        return error ? error.message() : "is not a " + what;
    }
}

// Why the presentation could not be written to `output`, found before the
// command runs: a name longer than the file system takes, or no folder to
// hold it. Empty when nothing stands in the way.
std::string OutputProblem(const std::filesystem::path& output)
{
    const std::string text = output.string();
    if (text.size() >= PATH_MAX) {
        return "the path is " + std::to_string(text.size()) + " bytes long, at most " +
               std::to_string(PATH_MAX - 1) + " are allowed";
    }
    for (const std::filesystem::path& part : output) {
        if (part.string().size() > NAME_MAX) {
            return "a name in the path is " + std::to_string(part.string().size()) + " bytes long, at most " +
                   std::to_string(NAME_MAX) + " are allowed";
        }
    }
    std::error_code error;
    if (std::filesystem::is_directory(output, error)) {
        return text + " is a directory";
    }
    const std::filesystem::path folder = output.has_parent_path() ? output.parent_path() : ".";
    switch (std::filesystem::status(folder, error).type()) {
    case std::filesystem::file_type::directory:
        return "";
    case std::filesystem::file_type::not_found:
        return "there is no folder " + folder.string();
    default:
        return folder.string() + " is not a folder";
    }
}

// The host names the file it could not open; the message names it once.
std::string OpenProblem(const std::filesystem::path& file, const std::string& hostMessage)
{
    std::error_code ignored;
    for (const std::filesystem::path& spelling :
         {file, std::filesystem::absolute(file, ignored), std::filesystem::weakly_canonical(file, ignored)}) {
        const std::string prefix = "cannot open " + spelling.string() + ": ";
        if (hostMessage.starts_with(prefix)) {
            return hostMessage.substr(prefix.size());
        }
    }
    return hostMessage;
}

// The prompts of the file being run, for the host's own dialogs (the file
// picker), which live as long as the application.
class CurrentPrompts : public host::Prompts {
public:
    void Use(std::shared_ptr<host::Prompts> prompts) { current_ = std::move(prompts); }

    int MsgBox(const std::string& prompt, int style, const std::string& title) override
    {
        return current_->MsgBox(prompt, style, title);
    }
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override
    {
        return current_->InputBox(prompt, title, defaultText);
    }
    std::optional<std::string> PickFile(const std::string& title, const std::vector<host::FileFilter>& filters) override
    {
        return current_->PickFile(title, filters);
    }
    std::optional<host::Color> ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors) override
    {
        return current_->ChooseColor(initial, customColors);
    }

private:
    std::shared_ptr<host::Prompts> current_;
};

// What the files of one batch share: the document host (and with it the
// renderer), the settings, the desktop, the network and the clock.
struct Batch {
    const RunOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::shared_ptr<CurrentPrompts> prompts = std::make_shared<CurrentPrompts>();
    // Addresses skipped by --no-open are recorded as asked for all the same.
    std::shared_ptr<RecordingShell> shell;
    TerminalProgress progress;
    host::Services services;
    std::shared_ptr<host::Application> application;
    // One process is one start of the add-in, however many files it runs.
    bool startupDone = false;

    Batch(const RunOptions& runOptions, std::ostream& output, std::ostream& errors)
        : options(runOptions), out(output), err(errors),
          progress(options.verbosity == Verbosity::Quiet ? nullptr : TerminalProgress::Terminal())
    {
        const bool verbose = options.verbosity == Verbosity::Verbose;
        shell = std::make_shared<RecordingShell>(std::make_shared<DesktopShell>(
            std::make_shared<platform::XdgShell>(), OpeningAllowed(options.noOpen) && !options.dryRun,
            verbose ? &err : nullptr));
        services = platform::PlatformServices({prompts, shell});
        application = pptx::CreateDocumentHost(services, options.hostVersion);
        pptx::SetRenderObserver(*application, &progress);
        if (options.files.size() > 1) {
            pptx::KeepOfficeRunning(*application);
        }
        if (verbose) {
            platform::SetStepSink([&stream = err](const std::string& step) { stream << "velmora: " << step << '\n'; });
        }
    }
    ~Batch() { platform::SetStepSink(nullptr); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
};

class FileRun {
public:
    FileRun(Batch& batch, const std::filesystem::path& file)
        : batch_(batch), options_(batch.options), file_(file), messages_(MessageStream().rdbuf()),
          prompts_(std::make_shared<platform::ScriptedPrompts>(messages_)),
          startupPrompts_(std::make_shared<platform::ScriptedPrompts>(messages_)),
          openedBefore_(batch.shell->Opened().size())
    {
        report_.command = options_.command;
        report_.file = file;
        report_.dryRun = options_.dryRun;
    }

    int Execute()
    {
        try {
            const addin::CommandEntry& command = Command();
            report_.command = std::string(command.name);
            QueueAnswers();
            forms::ScriptedDriver driver = Driver();
            Prepare();
            AttachScreen(driver);
            LockDeck();
            presentation_ = Open();
            ApplySelection(*batch_.application->ActiveWindow());
            RequireOneSelectedSlide(command);
            HoldMessagesUntilSaved();
            addin::AddinContext context{services_, &driver, StartupWanted(), startupPrompts_};
            Press(context, command);
            SaveOrDropMessages();
            report_.filesWritten = FilesWritten();
            return Finish(Refused() ? ExitStatus::Refused : ExitStatus::Done, "");
        } catch (const RunStop& stop) {
            return Finish(stop.status, stop.message);
        }
    }

    // The start-up routine alone, in a host with no presentation open.
    int ExecuteStartup()
    {
        QueueAnswers();
        UseFileServices();
        batch_.startupDone = true;
        try {
            addin::AddinContext context{services_, nullptr, true, startupPrompts_};
            addin::Connect connect(context);
            connect.OnConnection(batch_.application);
            connect.OnDisconnection();
            return Finish(ExitStatus::Done, "");
        } catch (const host::HostError& failure) {
            return Finish(ExitStatus::HostFailure, std::string("the start-up routine failed: ") + failure.what());
        }
    }

private:
    // Message boxes are not printed when the transcript reports them or when
    // asked to be quiet; in a dry run they wait to have their paths put right.
    std::ostream& MessageStream()
    {
        if (options_.json || options_.verbosity == Verbosity::Quiet || options_.dryRun) {
            return held_;
        }
        return batch_.out;
    }

    const addin::CommandEntry& Command() const
    {
        const addin::CommandEntry* command = addin::FindCommand(options_.command);
        if (command == nullptr) {
            std::vector<std::string> names;
            for (const addin::RibbonCommand& ribbon : addin::RibbonCommands()) {
                names.push_back(ribbon.onAction);
            }
            const std::string suggestion = platform::DidYouMean(platform::CloseMatches(options_.command, names));
            throw RunStop{ExitStatus::BadUsage, "unknown command \"" + options_.command + "\"" +
                                                    (suggestion.empty() ? " (velmora commands lists them)" : suggestion)};
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
        for (const std::string& path : options_.pickedFiles) {
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

    // The services of this file; a dry run works on copies.
    void Prepare()
    {
        if (const std::string problem = NotAFile(file_, "presentation file"); !problem.empty()) {
            throw RunStop{ExitStatus::BadUsage, file_.string() + ": " + problem};
        }
        if (const std::string problem = options_.output ? OutputProblem(*options_.output) : ""; !problem.empty()) {
            throw RunStop{ExitStatus::BadUsage, "-o: " + problem};
        }
        UseFileServices();
        if (options_.dryRun) {
            try {
                dryRun_ = std::make_unique<DryRun>(file_, platform::FileSettingsStore::DefaultPath());
            } catch (const host::HostError& failure) {
                throw RunStop{ExitStatus::HostFailure, failure.what()};
            }
            services_.settings = std::make_shared<platform::FileSettingsStore>(dryRun_->Settings());
        }
    }

    void UseFileServices()
    {
        services_ = batch_.services;
        services_.prompts = prompts_;
        services_.written = std::make_shared<host::WrittenFiles>();
        batch_.prompts->Use(prompts_);
    }

    bool StartupWanted()
    {
        const bool wanted = options_.startup && !batch_.startupDone;
        batch_.startupDone = batch_.startupDone || wanted;
        return wanted;
    }

    // The picture stands for the screen; time passes and keys are pressed
    // between the dialog's steps.
    void AttachScreen(forms::ScriptedDriver& driver)
    {
        if (!options_.screen) {
            return;
        }
        // A pipe or a device would be read for ever.
        if (const std::string problem = NotAFile(*options_.screen, "picture"); !problem.empty()) {
            throw RunStop{ExitStatus::BadUsage, "--screen " + options_.screen->string() + ": " + problem};
        }
        std::shared_ptr<ScriptedScreen> screen;
        try {
            screen = std::make_shared<ScriptedScreen>(*options_.screen,
                                                      host::ScreenPoint{options_.pointerX, options_.pointerY});
        } catch (const std::invalid_argument& error) {
            throw RunStop{ExitStatus::BadUsage, error.what()};
        }
        services_.screen = screen;
        driver.SetTick([screen] { screen->Tick(); });
        driver.SetKeyHandler([screen](const std::string& key) { screen->PressKey(key); });
    }

    const std::filesystem::path& Target() const { return dryRun_ ? dryRun_->File() : file_; }

    // Whether a changed presentation will be written somewhere at the end.
    bool SavesChanges() const
    {
        return !options_.noSave && !options_.dryRun && (options_.output || !options_.unsaved);
    }

    bool SavesOverFile() const
    {
        std::error_code ignored;
        return SavesChanges() && (!options_.output || std::filesystem::equivalent(file_, *options_.output, ignored));
    }

    // A second run on the same deck waits until this one has saved, then
    // reads what it saved; else its save would undo this one's change.
    void LockDeck()
    {
        if (!SavesOverFile()) {
            return;
        }
        try {
            deckLock_ = std::make_unique<platform::EditLock>(file_, kDeckLockPatience);
        } catch (const std::system_error& busy) {
            throw RunStop{ExitStatus::HostFailure, std::string(busy.what()) + "; nothing was changed"};
        }
    }

    // Messages wait for the save when there is one: a report of success must
    // not be followed by the news that the change could not be kept (the deck
    // open elsewhere, read-only, the disk full). They show once it is saved,
    // or when the command changed nothing; a failed save drops them.
    void HoldMessagesUntilSaved()
    {
        if (SavesChanges() && messages_.rdbuf() != held_.rdbuf()) {
            messages_.rdbuf(held_.rdbuf());
            holding_ = true;
        }
    }

    void SaveOrDropMessages()
    {
        try {
            SaveChanges(*presentation_);
        } catch (const RunStop&) {
            DropHeldMessages();
            throw;
        }
    }

    void ShowHeldMessages()
    {
        if (holding_) {
            batch_.out << held_.str() << std::flush;
            DropHeldMessages();
        }
    }

    void DropHeldMessages()
    {
        held_.str("");
        holding_ = false;
    }

    host::Ref<host::Presentation> Open() const
    {
        try {
            return batch_.application->Presentations()->Open(Target(), false, options_.unsaved, true);
        } catch (const host::HostError& failure) {
            throw RunStop{ExitStatus::BadUsage,
                          "cannot open " + file_.string() + ": " + OpenProblem(Target(), failure.what())};
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

    // A deck without slides is left to the command's own refusal.
    void RequireOneSelectedSlide(const addin::CommandEntry& command) const
    {
        if (std::find(std::begin(kOneSlideCommands), std::end(kOneSlideCommands), command.name) ==
                std::end(kOneSlideCommands) ||
            presentation_->Slides()->Count() == 0) {
            return;
        }
        int selected = 0;
        host::Suppressed([&] { selected = batch_.application->ActiveWindow()->Selection()->SlideRange()->Count(); });
        if (selected != 1) {
            throw RunStop{ExitStatus::BadUsage,
                          report_.command + " 需要正好选中一张幻灯片：请用 --select N 选定要插入的幻灯片"};
        }
    }

    void Press(addin::AddinContext& context, const addin::CommandEntry& command)
    {
        addin::Connect connect(context);
        try {
            connect.OnConnection(batch_.application);
            connect.Invoke(command.name, PressFor(command));
        } catch (const host::HostError& failure) {
            throw RunStop{ExitStatus::HostFailure, report_.command + " failed: " + failure.what()};
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
            batch_.err << "velmora: the changed presentation was not saved (it was opened with --unsaved; give -o OUT)\n";
            return;
        }
        const std::filesystem::path destination = options_.output.value_or(file_);
        if (dryRun_) {
            saved_ = destination;
            return;
        }
        try {
            if (options_.output) {
                presentation.SaveAs(*options_.output, host::SaveFormat::Presentation);
            } else {
                presentation.Save();
            }
        } catch (const std::exception& failure) {
            throw NothingSaved(destination, failure);
        }
        saved_ = destination;
    }

    RunStop NothingSaved(const std::filesystem::path& destination, const std::exception& failure) const
    {
        return RunStop{ExitStatus::HostFailure, report_.command + " ran, but nothing was saved: " +
                                                    destination.string() + " could not be written (" +
                                                    failure.what() + ")"};
    }

    // Scripts chain on OUT, so an unchanged presentation goes there too, as it is.
    void CopyUnchanged()
    {
        std::error_code ignored;
        if (!options_.output || std::filesystem::equivalent(file_, *options_.output, ignored)) {
            return;
        }
        if (!dryRun_) {
            try {
                platform::ProduceFileAtomically(*options_.output, [&](const std::filesystem::path& temporary) {
                    std::filesystem::copy_file(file_, temporary, std::filesystem::copy_options::overwrite_existing);
                });
            } catch (const std::exception& failure) {
                throw NothingSaved(*options_.output, failure);
            }
        }
        saved_ = *options_.output;
    }

    std::vector<std::filesystem::path> FilesWritten() const
    {
        std::vector<std::filesystem::path> files = dryRun_ ? dryRun_->NewFiles() : services_.written->All();
        if (saved_) {
            files.push_back(*saved_);
        }
        return files;
    }

    // A command that stops at a refusal shows nothing after it; a warning
    // the command goes on from (a cut to 24 slides, a value replaced) is
    // followed by the rest of its work.
    bool Refused() const
    {
        const auto& transcript = prompts_->Transcript();
        return !transcript.empty() && IsRefusal(transcript.back());
    }

    // The start-up routine's prompts come first, as they were shown.
    std::vector<platform::PromptRecord> AllPrompts() const
    {
        std::vector<platform::PromptRecord> all = startupPrompts_->Transcript();
        all.insert(all.end(), prompts_->Transcript().begin(), prompts_->Transcript().end());
        return all;
    }

    // Message texts and paths as they would read without the dry run's copy.
    void PutPathsRight()
    {
        if (!dryRun_) {
            return;
        }
        for (platform::PromptRecord& record : report_.prompts) {
            record.prompt = dryRun_->Unsandboxed(record.prompt);
        }
        if (!options_.json && options_.verbosity != Verbosity::Quiet) {
            batch_.out << dryRun_->Unsandboxed(held_.str());
        }
    }

    void ReportDryRun() const
    {
        if (!dryRun_ || options_.json) {
            return;
        }
        for (const std::filesystem::path& file : report_.filesWritten) {
            batch_.out << "would write " << file.string() << '\n';
        }
        if (report_.filesWritten.empty()) {
            batch_.out << "would write nothing\n";
        }
    }

    // The next file takes the window.
    void Close()
    {
        if (!presentation_) {
            return;
        }
        try {
            presentation_->Close();
        } catch (const host::HostError& failure) {
            batch_.err << "velmora: cannot close " << file_.string() << ": " << failure.what() << '\n';
        }
        presentation_.reset();
    }

    int Finish(int status, const std::string& error)
    {
        Close();
        deckLock_.reset();
        ShowHeldMessages();
        report_.prompts = AllPrompts();
        const auto& opened = batch_.shell->Opened();
        report_.opened.assign(opened.begin() + static_cast<std::ptrdiff_t>(openedBefore_), opened.end());
        PutPathsRight();
        const std::string message = dryRun_ ? dryRun_->Unsandboxed(error) : error;
        if (!message.empty()) {
            batch_.err << "velmora: " << message << '\n';
        }
        ReportDryRun();
        if (options_.json) {
            report_.exitStatus = status;
            report_.error = message;
            batch_.out << TranscriptJson(report_) << '\n';
        }
        return status;
    }

    Batch& batch_;
    const RunOptions& options_;
    std::filesystem::path file_;
    std::ostringstream held_;
    std::ostream messages_;  // where message boxes print: the output, or held_
    bool holding_ = false;   // held_ waits for the save
    std::shared_ptr<platform::ScriptedPrompts> prompts_;
    std::shared_ptr<platform::ScriptedPrompts> startupPrompts_;
    std::size_t openedBefore_;  // the batch's addresses before this file's
    host::Services services_;
    std::unique_ptr<DryRun> dryRun_;
    std::unique_ptr<platform::EditLock> deckLock_;
    host::Ref<host::Presentation> presentation_;
    std::optional<std::filesystem::path> saved_;
    RunReport report_;
};

// Copies of decks and pictures that killed runs left in the temporary
// folder and beside these decks go before this run makes its own.
void RemoveLeftoversNear(const std::vector<std::filesystem::path>& files)
{
    std::error_code ignored;
    std::set<std::filesystem::path> folders{std::filesystem::temp_directory_path(ignored)};
    for (const std::filesystem::path& file : files) {
        folders.insert(std::filesystem::absolute(file, ignored).parent_path());
    }
    for (const std::filesystem::path& folder : folders) {
        platform::RemoveLeftoversOfDeadRuns(folder);
    }
}

}  // namespace

int RunCommand(const RunOptions& options, std::ostream& out, std::ostream& err)
{
    if (!options.dryRun) {
        RemoveLeftoversNear(options.files);
    }
    Batch batch(options, out, err);
    int worst = ExitStatus::Done;
    const bool named = options.files.size() > 1 && !options.json && options.verbosity != Verbosity::Quiet;
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        const std::filesystem::path& file = options.files[i];
        // A dry run works on copies of the files, which cannot be foreseen.
        if (i + 1 < options.files.size() && !options.dryRun) {
            pptx::ExpectNextFile(*batch.application, options.files[i + 1]);
        }
        if (named) {
            out << file.string() << ":\n";
        }
        worst = std::max(worst, FileRun(batch, file).Execute());
    }
    return worst;
}

int RunStartup(const RunOptions& options, std::ostream& out, std::ostream& err)
{
    Batch batch(options, out, err);
    return FileRun(batch, {}).ExecuteStartup();
}

}  // namespace velmora::cli
