#include "tests/pptx/document/DeckFiles.hpp"

#include <cstdint>
#include <fstream>

#include "pptx/DocumentHost.hpp"

namespace velmora::testing {

std::shared_ptr<host::Application> NewHost(host::Services services)
{
    return pptx::CreateDocumentHost(std::move(services));
}

std::filesystem::path SaveTitledDeck(const std::filesystem::path& file, int slides)
{
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    for (int i = 1; i <= slides; ++i) {
        auto slide = presentation->Slides()->Add(i, host::SlideLayout::Title);
        slide->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("Slide " + std::to_string(i));
    }
    presentation->SaveAs(file, host::SaveFormat::Presentation);
    presentation->Close();
    return file;
}

std::string NotesText(host::Slide& slide)
{
    return slide.NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->Text();
}

void SetNotesText(host::Slide& slide, const std::string& text)
{
    slide.NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange()->SetText(text);
}

std::string TitleText(host::Slide& slide)
{
    return slide.Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->Text();
}

namespace {

std::uint32_t Crc32(const std::string& data)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void BigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

void Chunk(std::string& out, const char* type, const std::string& data)
{
    BigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type) + data;
    out += body;
    BigEndian(out, Crc32(body));
}

// A zlib stream of one stored block (the picture is small).
std::string StoredZlib(const std::string& raw)
{
    std::string out("\x78\x01\x01", 3);
    const auto length = static_cast<std::uint16_t>(raw.size());
    for (std::uint16_t value : {length, static_cast<std::uint16_t>(~length)}) {
        out.push_back(static_cast<char>(value & 0xFF));
        out.push_back(static_cast<char>(value >> 8));
    }
    out += raw;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    BigEndian(out, (b << 16) | a);
    return out;
}

}  // namespace

void WritePng(const std::filesystem::path& file, int width, int height)
{
    std::string header;
    BigEndian(header, static_cast<std::uint32_t>(width));
    BigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < width; ++x) {
            raw += "\xE0\x40\x20";
        }
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", "");
    std::ofstream(file, std::ios::binary) << png;
}

}  // namespace velmora::testing
