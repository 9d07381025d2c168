#include "tests/cli/VelmoraFixture.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::testing {

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

ProcessResult VelmoraTest::Velmora(std::vector<std::string> arguments, std::map<std::string, std::string> environment)
{
    arguments.insert(arguments.begin(), VELMORA_BINARY);
    environment.emplace("VELMORA_SETTINGS", (dir_ / "settings.ini").string());
    return RunProcess(arguments, std::chrono::seconds(300), environment);
}

ProcessResult VelmoraTest::VelmoraIn(const std::filesystem::path& folder, const std::vector<std::string>& arguments)
{
    std::vector<std::string> command{"/bin/sh", "-c", "cd \"$1\" && shift && exec \"$@\"", "sh", folder.string(),
                                     VELMORA_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunProcess(command, std::chrono::seconds(300), {{"VELMORA_SETTINGS", (dir_ / "settings.ini").string()}});
}

std::filesystem::path VelmoraTest::MakeDeck(const std::string& name)
{
    const std::filesystem::path file = dir_ / name;
    auto application = pptx::CreateDocumentHost(host::Services{});
    auto presentation = application->Presentations()->Add(false);
    presentation->Slides()->Add(1, host::SlideLayout::Title);
    presentation->Slides()->Add(2, host::SlideLayout::Text);
    presentation->SaveAs(file, host::SaveFormat::Presentation);
    presentation->Close();
    return file;
}

std::filesystem::path VelmoraTest::MakeDeckWithNotes(const std::string& name, const std::vector<std::string>& notes)
{
    std::vector<SlideSpec> slides;
    for (const std::string& text : notes) {
        slides.push_back({"Title " + std::to_string(slides.size() + 1), text, 1, false, {}});
    }
    const std::filesystem::path file = dir_ / name;
    decks_.Build(file, slides);
    return file;
}

std::map<std::string, std::string> VelmoraTest::StubOpener()
{
    const std::filesystem::path bin = dir_ / "bin";
    std::filesystem::create_directories(bin);
    WriteBytes(bin / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + (dir_ / "opened.txt").string() + "'\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    return {{"PATH", bin.string() + ":" + std::getenv("PATH")}, {"DISPLAY", ":0"}, {"VELMORA_NO_OPEN", ""}};
}

std::map<std::filesystem::path, std::string> VelmoraTest::Snapshot() const
{
    std::map<std::filesystem::path, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.path())) {
        if (entry.is_regular_file()) {
            files[entry.path()] = ReadBytes(entry.path());
        }
    }
    return files;
}

}  // namespace velmora::testing
