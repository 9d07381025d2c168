#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "addin/RibbonDefinition.hpp"
#include "cli/CommandLine.hpp"
#include "cli/DemoDeck.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/RunCommand.hpp"

namespace {

using namespace velmora;

// The definition as the host receives it, plus one final newline.
int PrintRibbon()
{
    std::cout << addin::RibbonDefinition() << '\n';
    return cli::ExitStatus::Done;
}

// One command a line: its onAction name, a tab, its label without the
// trailing blanks that only widen the ribbon buttons.
int PrintCommands()
{
    for (const addin::RibbonCommand& command : addin::RibbonCommands()) {
        const std::string label = command.label.substr(0, command.label.find_last_not_of(' ') + 1);
        std::cout << command.onAction << '\t' << label << '\n';
    }
    return cli::ExitStatus::Done;
}

int Dispatch(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        throw cli::UsageError("no command given");
    }
    const std::string& verb = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if ((verb == "ribbon" || verb == "commands") && !rest.empty()) {
        throw cli::UsageError(verb + " takes no arguments");
    }
    if (verb == "ribbon") {
        return PrintRibbon();
    }
    if (verb == "commands") {
        return PrintCommands();
    }
    if (verb == "run") {
        return cli::RunCommand(cli::ParseRunOptions(rest), std::cout, std::cerr);
    }
    if (verb == "startup") {
        return cli::RunStartup(cli::ParseStartupOptions(rest), std::cout, std::cerr);
    }
    if (verb == "demo-deck") {
        if (rest.size() != 1) {
            throw cli::UsageError("demo-deck wants one FILE");
        }
        return cli::WriteDemoDeck(rest.front(), std::cerr);
    }
    throw cli::UsageError("unknown command \"" + verb + "\"");
}

// A reader that goes away (velmora ... | head) must not end a run before its save.
void IgnoreClosedPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv)
{
    IgnoreClosedPipes();
    try {
        return Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError& error) {
        std::cerr << "velmora: " << error.what() << '\n' << cli::kUsage;
        return cli::ExitStatus::BadUsage;
    } catch (const std::exception& error) {
        std::cerr << "velmora: " << error.what() << '\n';
        return cli::ExitStatus::HostFailure;
    } catch (...) {
        std::cerr << "velmora: failed for an unknown reason\n";
        return cli::ExitStatus::HostFailure;
    }
}
