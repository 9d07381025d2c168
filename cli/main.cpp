#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/HelpText.hpp"
#include "cli/Verbs.hpp"
#include "platform/Interruption.hpp"

namespace {

// A reader that goes away (velmora ... | head) must not end a run before its save;
// an interruption takes LibreOffice and our temporary files with it.
void HandleSignals()
{
    std::signal(SIGPIPE, SIG_IGN);
    velmora::platform::ExitCleanlyOnInterruption();
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace velmora;
    HandleSignals();
    try {
        return cli::Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError& error) {
        std::cerr << "velmora: " << error.what() << '\n' << cli::Usage();
        return cli::ExitStatus::BadUsage;
    } catch (const std::exception& error) {
        std::cerr << "velmora: " << error.what() << '\n';
        return cli::ExitStatus::HostFailure;
    } catch (...) {
        std::cerr << "velmora: failed for an unknown reason\n";
        return cli::ExitStatus::HostFailure;
    }
}
