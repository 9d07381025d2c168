#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.hpp"
#include "cli/ExitStatus.hpp"
#include "cli/HelpText.hpp"
#include "cli/Verbs.hpp"
#include "platform/HeapReservation.hpp"
#include "platform/Interruption.hpp"

namespace {

// A reader that goes away (velmora ... | head) must not end a run before its save,
// nor a write past the file-size limit, which fails as on a full disk instead;
// an interruption takes LibreOffice and our temporary files with it.
void HandleSignals()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    velmora::platform::ExitCleanlyOnInterruption();
}

// While TZ is unset the C library reads /etc/localtime again for every time
// it converts, and the zip library converts one per entry of a deck: naming
// the same zone once spares thousands of reads.
void NameTheTimeZone()
{
    setenv("TZ", ":/etc/localtime", 0);
}

// A large deck's parts and their parsed trees take megabytes in small
// blocks; growing the heap for them at once, in huge pages, spares a
// thousand page faults. Untouched, the room costs nothing.
constexpr std::size_t kJobHeap = 32 << 20;

}  // namespace

int main(int argc, char** argv)
{
    using namespace velmora;
    HandleSignals();
    NameTheTimeZone();
    platform::ReserveHeap(kJobHeap);
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
