#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/HelpText.hpp"
#include "cli/Verbs.hpp"

int main(int argc, char** argv)
{
    using namespace velmora;
    try {
        return cli::Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError& error) {
        std::cerr << "velmora: " << error.what() << '\n' << cli::Usage();
        return cli::ExitStatus::BadUsage;
    }
}
