#include "bench/BenchDecks.hpp"

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include <stdlib.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::bench {

namespace {

void WriteDeck(const std::filesystem::path& file, int slideCount)
{
    auto presentation = pptx::CreateDocumentHost({})->Presentations()->Add(false);
    for (int i = 1; i <= slideCount; ++i) {
        auto slide = presentation->Slides()->Add(i, host::SlideLayout::Text);
        auto shapes = slide->Shapes();
        auto title = shapes->Placeholders()->Item(1);
        auto body = shapes->Placeholders()->Item(2);
        title->TextFrame()->TextRange()->SetText("第 " + std::to_string(i) + " 页的标题");
        body->TextFrame()->TextRange()->SetText("要点一\r要点二，稍长一些的说明文字\r要点三");
        slide->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText(
            "这一页的备注，第一段。\r第二段备注，讲者在这里提醒自己要说的话。");
        auto sequence = slide->TimeLine()->MainSequence();
        sequence->AddEffect(title, host::EffectType::Fade);
        sequence->AddEffect(body, host::EffectType::Fly);
        sequence->AddEffect(body, host::EffectType::Appear);
    }
    presentation->SaveAs(file, host::SaveFormat::Presentation);
}

}  // namespace

void BuildInChild(const std::function<void()>& build)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        try {
            build();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "cannot build the deck: %s\n", error.what());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("building the benchmark deck failed");
    }
}

void BuildDeck(const std::filesystem::path& file, int slideCount)
{
    BuildInChild([&] { WriteDeck(file, slideCount); });
}

void CopyDeck(const std::filesystem::path& deck, const std::filesystem::path& work)
{
    std::filesystem::copy_file(deck, work, std::filesystem::copy_options::overwrite_existing);
    const int file = open(work.c_str(), O_RDONLY | O_CLOEXEC);
    const bool flushed = file >= 0 && fsync(file) == 0;
    if (file >= 0) {
        close(file);
    }
    if (!flushed) {
        throw std::runtime_error("cannot flush the copy of the benchmark deck");
    }
}

std::filesystem::path ScratchFolder()
{
    std::string pattern = "/tmp/velmora-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder under /tmp");
    }
    return pattern;
}

}  // namespace velmora::bench
