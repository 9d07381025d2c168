#include "tests/publish/PublishSupport.hpp"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <regex>
#include <thread>

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <vips/vips8>

#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

namespace {

bool StartVips()
{
    static const bool started = VIPS_INIT("velmora_publish_tests") == 0;
    return started;
}

vips::VImage FromBytes(const std::string& picture)
{
    EXPECT_TRUE(StartVips());
    return vips::VImage::new_from_buffer(picture.data(), picture.size(), "");
}

PixelSize SizeOf(const vips::VImage& image)
{
    return {image.width(), image.height()};
}

}  // namespace

void BuildDeck(DeckHost& decks, const std::filesystem::path& file, int count, float width, float height)
{
    decks.BuildNumbered(file, count);
    auto presentation = decks.app().Presentations()->Open(file, false, false, false);
    auto pageSetup = presentation->PageSetup();
    if (pageSetup->SlideWidth() != width || pageSetup->SlideHeight() != height) {
        pageSetup->SetSlideWidth(width);
        pageSetup->SetSlideHeight(height);
        presentation->Save();
    }
    presentation->Close();
}

FolderOpener::FolderOpener(const std::filesystem::path& folder, const std::string& name)
    : program_(folder / name), log_(folder / (name + ".log"))
{
    std::ofstream(program_) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << log_.string() << "'\n";
    std::filesystem::permissions(program_, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
}

std::vector<std::filesystem::path> FolderOpener::Shown(std::size_t expected) const
{
    using namespace std::chrono_literals;
    std::vector<std::filesystem::path> shown;
    for (auto waited = 0ms; waited < 5s; waited += 20ms) {
        shown.clear();
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
            shown.emplace_back(line);
        }
        if (shown.size() >= expected) {
            break;
        }
        std::this_thread::sleep_for(20ms);
    }
    return shown;
}

FolderWatch::FolderWatch(const std::filesystem::path& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (fd_ < 0 || inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO) < 0) {
        ADD_FAILURE() << "cannot watch " << folder;
    }
}

FolderWatch::~FolderWatch()
{
    if (fd_ >= 0) {
        close(fd_);
    }
}

std::vector<std::string> FolderWatch::Created()
{
    std::vector<std::string> names;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t length; (length = read(fd_, buffer, sizeof buffer)) > 0;) {
        for (const char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->len > 0) {
                names.emplace_back(event->name);
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    return names;
}

std::ostream& operator<<(std::ostream& out, const PixelSize& size)
{
    return out << size.width << " x " << size.height;
}

PixelSize SizeOfFile(const std::filesystem::path& picture)
{
    EXPECT_TRUE(StartVips());
    return SizeOf(vips::VImage::new_from_file(picture.c_str()));
}

PixelSize SizeOfBytes(const std::string& picture)
{
    return SizeOf(FromBytes(picture));
}

double PictureDistance(const std::string& picture, const std::string& other)
{
    return (FromBytes(picture) - FromBytes(other)).abs().avg();
}

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::filesystem::path> TemporaryFolders(const std::filesystem::path& folder)
{
    static const std::regex kTemporary("tmp[0-9]+(\\.jpg)?");
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (std::regex_match(entry.path().filename().string(), kTemporary)) {
            found.push_back(entry.path());
        }
    }
    return found;
}

std::string SlidePicture(const std::filesystem::path& presentation, int slide)
{
    const std::string slideName = "slide" + std::to_string(slide) + ".xml";
    const auto relationships = ReadEntry(presentation, "ppt/slides/_rels/" + slideName + ".rels");
    static const std::regex kMedia("Target=\"\\.\\./media/([^\"]+)\"");
    std::smatch media;
    if (!relationships || !std::regex_search(*relationships, media, kMedia)) {
        ADD_FAILURE() << "no picture on " << slideName << " of " << presentation;
        return {};
    }
    return ReadEntry(presentation, "ppt/media/" + media[1].str()).value_or("");
}

std::vector<host::Ref<host::Shape>> PictureShapes(host::Slide& slide)
{
    std::vector<host::Ref<host::Shape>> pictures;
    auto shapes = slide.Shapes();
    for (int i = 1; i <= shapes->Count(); ++i) {
        if (auto shape = shapes->Item(i); shape->Type() == host::ShapeType::Picture) {
            pictures.push_back(shape);
        }
    }
    return pictures;
}

}  // namespace velmora::testing
