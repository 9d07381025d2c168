#include "cli/Verbs.hpp"

#include <algorithm>
#include <iostream>

#include "addin/RibbonDefinition.hpp"
#include "cli/CommandCatalog.hpp"
#include "cli/DemoDeck.hpp"
#include "cli/DialogCatalog.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/HelpText.hpp"
#include "cli/RunCommand.hpp"
#include "platform/CloseMatches.hpp"

namespace velmora::cli {

namespace {

std::span<const OptionSpec> NoOptions()
{
    return {};
}

// The descriptions of a table's options, made once.
template <typename Settings, std::span<const Option<Settings>> (*Table)()>
std::span<const OptionSpec> SpecsOf()
{
    static const std::vector<OptionSpec> specs = [] {
        std::vector<OptionSpec> all;
        for (const Option<Settings>& option : Table()) {
            all.push_back(option.spec);
        }
        return all;
    }();
    return specs;
}

// The arguments of a command that takes no options; help asked for is
// answered here and reported as nullopt.
std::optional<std::vector<std::string>> PlainArguments(std::string_view verb,
                                                       const std::vector<std::string>& arguments)
{
    ListOptions none;
    const ParsedArguments parsed = ParseOptions(std::span<const Option<ListOptions>>{}, arguments, none);
    if (parsed.help) {
        std::cout << VerbHelp(*FindVerb(verb));
        return std::nullopt;
    }
    return parsed.arguments;
}

int Ribbon(const std::vector<std::string>& arguments)
{
    const auto rest = PlainArguments("ribbon", arguments);
    if (!rest) {
        return ExitStatus::Done;
    }
    if (!rest->empty()) {
        throw UsageError("ribbon takes no arguments");
    }
    std::cout << addin::RibbonDefinition() << '\n';
    return ExitStatus::Done;
}

// The listing commands: their options, help asked for answered here.
std::optional<std::vector<std::string>> ListArguments(std::string_view verb, const std::vector<std::string>& arguments,
                                                      ListOptions& options)
{
    const ParsedArguments parsed = ParseOptions(ListOptionTable(), arguments, options);
    if (parsed.help) {
        std::cout << VerbHelp(*FindVerb(verb));
        return std::nullopt;
    }
    return parsed.arguments;
}

int Commands(const std::vector<std::string>& arguments)
{
    ListOptions options;
    const auto rest = ListArguments("commands", arguments, options);
    if (!rest) {
        return ExitStatus::Done;
    }
    if (!rest->empty()) {
        throw UsageError("commands takes no arguments");
    }
    PrintCommands(std::cout, options.json);
    return ExitStatus::Done;
}

int Dialog(const std::vector<std::string>& arguments)
{
    ListOptions options;
    const auto rest = ListArguments("dialog", arguments, options);
    if (!rest) {
        return ExitStatus::Done;
    }
    if (rest->size() != 1) {
        throw UsageError("dialog wants one FORM (" + DialogNames() + ")");
    }
    PrintDialog(rest->front(), std::cout, options.json);
    return ExitStatus::Done;
}

int Run(const std::vector<std::string>& arguments)
{
    const RunOptions options = ParseRunOptions(arguments);
    if (options.help) {
        std::cout << VerbHelp(*FindVerb("run"));
        return ExitStatus::Done;
    }
    return RunCommand(options, std::cout, std::cerr);
}

int Startup(const std::vector<std::string>& arguments)
{
    RunOptions options;
    const ParsedArguments parsed = ParseOptions(StartupOptionTable(), arguments, options);
    if (parsed.help) {
        std::cout << VerbHelp(*FindVerb("startup"));
        return ExitStatus::Done;
    }
    if (!parsed.arguments.empty()) {
        throw UsageError("startup takes no arguments");
    }
    options.command = "startup";
    options.startup = true;
    return RunStartup(options, std::cout, std::cerr);
}

int DemoDeck(const std::vector<std::string>& arguments)
{
    const auto rest = PlainArguments("demo-deck", arguments);
    if (!rest) {
        return ExitStatus::Done;
    }
    if (rest->size() != 1) {
        throw UsageError("demo-deck wants one FILE");
    }
    return WriteDemoDeck(rest->front(), std::cerr);
}

int Help(const std::vector<std::string>& arguments)
{
    const auto rest = PlainArguments("help", arguments);
    if (!rest) {
        return ExitStatus::Done;
    }
    if (rest->empty()) {
        std::cout << GeneralHelp();
        return ExitStatus::Done;
    }
    const Verb* verb = rest->size() == 1 ? FindVerb(rest->front()) : nullptr;
    if (verb == nullptr) {
        throw UsageError("help wants one of the commands below");
    }
    std::cout << VerbHelp(*verb);
    return ExitStatus::Done;
}

constexpr std::string_view kRunDetails =
    "Opens each FILE in turn as the active presentation in one document window, connects the add-in, presses "
    "the ribbon command COMMAND (an onAction name, any letter case; 'velmora commands' lists them) and saves a "
    "changed presentation back to FILE by atomic replace. While it runs it holds a lock on FILE: another run "
    "on the same FILE waits up to 10 seconds for it, then gives up with status 3. Message boxes print on "
    "stdout as [TITLE] TEXT, once the presentation is saved. "
    "Answers and dialog scripts apply to every FILE; 'velmora dialog FORM' lists the controls a script can "
    "name. A FILE that fails does not stop the others; the exit status is the worst of them.";

constexpr std::string_view kDialogDetails =
    "Lists the controls of a dialog in the form's own order: name, kind, caption, tip, option group, value "
    "range and initial value (from the settings file), so that --set, --click, --type and --drag scripts "
    "can be written without the source.";

constexpr std::string_view kStartupDetails =
    "Runs the add-in's start-up routine alone, as the presentation program does at every start: it counts the "
    "start and, while the automatic check is on, asks the update server whether a new version is out. "
    "'velmora run' runs it only with --startup.";

constexpr Verb kVerbs[] = {
    {"ribbon", "", "print the ribbon definition", "", &NoOptions, &Ribbon},
    {"commands", "[--json]", "list every command with its group, label and whether it is built", "",
     &SpecsOf<ListOptions, &ListOptionTable>, &Commands},
    {"dialog", "FORM [--json]", "list a dialog's controls", kDialogDetails, &SpecsOf<ListOptions, &ListOptionTable>,
     &Dialog},
    {"run", "COMMAND FILE... [options]", "press a ribbon command on each FILE", kRunDetails,
     &SpecsOf<RunOptions, &RunOptionTable>, &Run},
    {"startup", "[options]", "run the add-in's start-up routine alone", kStartupDetails,
     &SpecsOf<RunOptions, &StartupOptionTable>, &Startup},
    {"demo-deck", "FILE", "write a small sample presentation", "", &NoOptions, &DemoDeck},
    {"help", "[COMMAND]", "this help, or a command's", "", &NoOptions, &Help},
};

}  // namespace

std::span<const Verb> Verbs()
{
    return kVerbs;
}

const Verb* FindVerb(std::string_view name)
{
    const auto found = std::ranges::find(kVerbs, name, &Verb::name);
    return found != std::end(kVerbs) ? &*found : nullptr;
}

int Dispatch(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        throw UsageError("no command given");
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        std::cout << GeneralHelp();
        return ExitStatus::Done;
    }
    if (first == "--version") {
        std::cout << VersionText() << '\n';
        return ExitStatus::Done;
    }
    const Verb* verb = FindVerb(first);
    if (verb == nullptr) {
        std::vector<std::string> names;
        for (const Verb& known : kVerbs) {
            names.emplace_back(known.name);
        }
        throw UsageError("unknown command \"" + first + "\"" + platform::DidYouMean(platform::CloseMatches(first, names)));
    }
    return verb->run(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
}

}  // namespace velmora::cli
