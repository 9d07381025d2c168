// velmora-office INSTALL_FOLDER PROFILE_URL
//
// One LibreOffice kept running in this process, converting documents on
// request, so that long-lived callers pay its start once. Requests come on
// stdin, five lines each: "convert", the input's file URL, the output's file
// URL, the format (a file extension) and the filter options (may be empty).
// Each gets one line on stdout: "ok" or "error " + a message. "ready" (or
// "error ...") is told once LibreOffice has started. LibreOffice's own
// output goes to stderr, so that stdout carries only answers.

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include <unistd.h>

#include <LibreOfficeKit/LibreOfficeKit.hxx>

namespace {

struct Request {
    std::string input;
    std::string output;
    std::string format;
    std::string options;
};

// A line per answer, so a message must not break it.
std::string OneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

class Answers {
public:
    // Keeps the real stdout for answers and sends everything else there to stderr.
    Answers() : stream_(fdopen(dup(STDOUT_FILENO), "w")) { dup2(STDERR_FILENO, STDOUT_FILENO); }
    ~Answers()
    {
        if (stream_ != nullptr) {
            std::fclose(stream_);
        }
    }
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;

    bool Usable() const { return stream_ != nullptr; }
    void Tell(const std::string& line)
    {
        std::fputs((OneLine(line) + "\n").c_str(), stream_);
        std::fflush(stream_);
    }

private:
    std::FILE* stream_;
};

std::string TakeError(lok::Office& office, const std::string& fallback)
{
    char* error = office.getError();
    std::string message = error != nullptr && error[0] != '\0' ? error : fallback;
    std::free(error);
    return message;
}

bool ReadRequest(Request& request)
{
    std::string verb;
    return std::getline(std::cin, verb) && verb == "convert" && std::getline(std::cin, request.input) &&
           std::getline(std::cin, request.output) && std::getline(std::cin, request.format) &&
           std::getline(std::cin, request.options);
}

std::string Convert(lok::Office& office, const Request& request)
{
    const std::unique_ptr<lok::Document> document(office.documentLoad(request.input.c_str()));
    if (!document) {
        return "error " + TakeError(office, "the document could not be loaded");
    }
    const char* options = request.options.empty() ? nullptr : request.options.c_str();
    if (!document->saveAs(request.output.c_str(), request.format.c_str(), options)) {
        return "error " + TakeError(office, "the document could not be saved as " + request.format);
    }
    return "ok";
}

}  // namespace

int main(int argc, char** argv)
{
    Answers answers;
    if (argc != 3 || !answers.Usable()) {
        std::fputs("usage: velmora-office INSTALL_FOLDER PROFILE_URL\n", stderr);
        return 2;
    }
    // Never deleted: LibreOffice cannot start twice in one process, and its
    // shutdown is slow; the caller ends this process with its group.
    lok::Office* office = lok::lok_cpp_init(argv[1], argv[2]);
    if (office == nullptr) {
        answers.Tell(std::string("error LibreOffice could not be started from ") + argv[1]);
        return 1;
    }
    answers.Tell("ready");
    Request request;
    while (ReadRequest(request)) {
        answers.Tell(Convert(*office, request));
    }
    // The caller closed its end: leave at once, without LibreOffice's shutdown.
    _exit(0);
}
