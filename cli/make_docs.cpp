// Writes the manual page and the bash completion of velmora at build time.
#include <iostream>
#include <string>

#include "cli/BashCompletion.hpp"
#include "cli/ManPage.hpp"
#include "platform/AtomicFile.hpp"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: velmora-make-docs MANPAGE COMPLETION\n";
        return 2;
    }
    velmora::platform::WriteFileAtomically(argv[1], velmora::cli::ManPage());
    velmora::platform::WriteFileAtomically(argv[2], velmora::cli::BashCompletion());
    return 0;
}
