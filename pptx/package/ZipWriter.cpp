#include "pptx/package/ZipWriter.hpp"

#include <algorithm>
#include <limits>

#include "host/HostError.hpp"

namespace velmora::pptx::package {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndRecord = 0x06054b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kUtf8Name = 0x0800;

class ByteSink {
public:
    explicit ByteSink(std::string& out) : out_(out) {}

    void U16(std::uint16_t value)
    {
        out_.push_back(static_cast<char>(value & 0xff));
        out_.push_back(static_cast<char>(value >> 8));
    }
    void U32(std::uint32_t value)
    {
        U16(static_cast<std::uint16_t>(value & 0xffff));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void Text(const std::string& text) { out_ += text; }

private:
    std::string& out_;
};

struct DosTime {
    std::uint16_t time = 0;
    std::uint16_t date = (1 << 5) | 1;  // 1980-01-01, the earliest a zip file can say
};

DosTime ToDosTime(std::time_t moment)
{
    std::tm local{};
    DosTime dos;
    if (localtime_r(&moment, &local) == nullptr || local.tm_year < 80 || local.tm_year > 207) {
        return dos;
    }
    dos.time = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    dos.date = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    return dos;
}

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The fields the local and the central header share, from "version needed" to the name's length.
void CommonFields(ByteSink& sink, const StoredEntry& entry)
{
    const DosTime dos = ToDosTime(entry.modified);
    sink.U16(kVersionNeeded);
    sink.U16(IsAscii(entry.name) ? 0 : kUtf8Name);
    sink.U16(static_cast<std::uint16_t>(entry.method));
    sink.U16(dos.time);
    sink.U16(dos.date);
    sink.U32(entry.crc);
    sink.U32(static_cast<std::uint32_t>(entry.storedSize));
    sink.U32(static_cast<std::uint32_t>(entry.size));
    sink.U16(static_cast<std::uint16_t>(entry.name.size()));
}

void RefuseBeyondPlainZip(const std::vector<StoredEntry>& entries, std::uint64_t total)
{
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    if (entries.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw host::HostError("the presentation has " + std::to_string(entries.size()) +
                              " parts, more than a zip file can list");
    }
    if (total >= kLargest) {
        throw host::HostError("the presentation would take 4 GB or more");
    }
    for (const StoredEntry& entry : entries) {
        if (entry.name.size() > std::numeric_limits<std::uint16_t>::max() || entry.size >= kLargest) {
            throw host::HostError("the part " + entry.name.substr(0, 200) + " is too large to save");
        }
    }
}

}  // namespace

std::string AssembleZip(const std::vector<StoredEntry>& entries, const StoredReader& copySource)
{
    std::uint64_t total = kEndRecordSize;
    for (const StoredEntry& entry : entries) {
        total += kLocalHeaderSize + kCentralHeaderSize + 2 * entry.name.size() + entry.storedSize;
    }
    RefuseBeyondPlainZip(entries, total);

    std::string out;
    out.reserve(total);
    ByteSink sink(out);
    std::vector<std::uint32_t> offsets;
    offsets.reserve(entries.size());
    for (const StoredEntry& entry : entries) {
        offsets.push_back(static_cast<std::uint32_t>(out.size()));
        sink.U32(kLocalHeader);
        CommonFields(sink, entry);
        sink.U16(0);  // no extra field
        sink.Text(entry.name);
        if (entry.sourceIndex) {
            const std::size_t start = out.size();
            out.resize(start + entry.storedSize);
            copySource(*entry.sourceIndex, out.data() + start, entry.storedSize);
        } else {
            sink.Text(entry.data);
        }
    }
    const std::size_t directory = out.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        sink.U32(kCentralHeader);
        sink.U16(kVersionNeeded);  // made by: a plain writer, no system's attributes
        CommonFields(sink, entries[i]);
        sink.U16(0);  // extra field
        sink.U16(0);  // comment
        sink.U16(0);  // disk
        sink.U16(0);  // internal attributes
        sink.U32(0);  // external attributes
        sink.U32(offsets[i]);
        sink.Text(entries[i].name);
    }
    const auto count = static_cast<std::uint16_t>(entries.size());
    const auto directorySize = static_cast<std::uint32_t>(out.size() - directory);
    sink.U32(kEndRecord);
    sink.U16(0);
    sink.U16(0);
    sink.U16(count);
    sink.U16(count);
    sink.U32(directorySize);
    sink.U32(static_cast<std::uint32_t>(directory));
    sink.U16(0);
    return out;
}

}  // namespace velmora::pptx::package
