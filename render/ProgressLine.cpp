#include "render/ProgressLine.hpp"

#include <cstdio>

#include <unistd.h>

namespace velmora::render {

ProgressLine::ProgressLine(int total) : total_(total), shown_(total > 1 && isatty(STDERR_FILENO) != 0) {}

ProgressLine::~ProgressLine()
{
    if (shown_) {
        std::fputc('\n', stderr);
    }
}

void ProgressLine::Show(int done) const
{
    if (shown_) {
        std::fprintf(stderr, "\rrendering slide %d/%d", done, total_);
    }
}

}  // namespace velmora::render
