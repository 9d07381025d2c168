#include "pptx/package/ZipArchive.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "host/HostError.hpp"
#include "pptx/package/Deflate.hpp"
#include "pptx/package/PartName.hpp"

namespace velmora::pptx::package {

namespace {

std::string ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

[[noreturn]] void Refuse(const std::filesystem::path& file, const std::string& problem)
{
    throw host::HostError("cannot open " + file.string() + ": " + problem);
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// Decks up to this size are read whole: their many small entries then cost
// copies, not seeks and system calls. Larger ones, full of media, are read
// where they lie, so that memory does not hold them beside the saved copy.
constexpr std::uintmax_t kReadWholeUpTo = std::uintmax_t{64} << 20;

// Read straight into memory not cleared first: it is all overwritten.
std::unique_ptr<char[]> ReadWholeFile(const std::filesystem::path& file, std::uintmax_t size)
{
    std::ifstream in(file, std::ios::binary);
    auto bytes = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size));
    if (!in.read(bytes.get(), static_cast<std::streamsize>(size)) || in.peek() != EOF) {
        Refuse(file, "it cannot be read, or it changed while being read");
    }
    return bytes;
}

zip_source_t* Source(const std::filesystem::path& file, const char* bytes, std::uintmax_t size, zip_error_t* error)
{
    return bytes != nullptr ? zip_source_buffer_create(bytes, size, 0, error)
                 : zip_source_file_create(file.c_str(), 0, -1, error);
}

zip_t* OpenSource(zip_source_t* source, zip_error_t* error)
{
    if (source == nullptr) {
        return nullptr;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, error);
    if (archive == nullptr) {
        zip_source_free(source);
    }
    return archive;
}

}  // namespace

std::unique_ptr<ZipArchive> ZipArchive::Open(const std::filesystem::path& file, const UnpackLimits& limits)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        Refuse(file, std::filesystem::exists(file, error) ? "not a file" : "no such file");
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        Refuse(file, error.message());
    }
    const bool whole = size <= kReadWholeUpTo;
    std::unique_ptr<char[]> bytes = whole ? ReadWholeFile(file, size) : nullptr;
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_t* archive = OpenSource(Source(file, bytes.get(), size, &zipError), &zipError);
    const int code = zip_error_code_zip(&zipError);
    zip_error_fini(&zipError);
    if (archive == nullptr) {
        std::string problem = code == ZIP_ER_NOZIP ? "not a zip archive (or a truncated one)"
                                                    : "damaged zip archive (" + ZipErrorText(code) + ")";
        Refuse(file, problem);
    }
    std::unique_ptr<ZipArchive> opened(new ZipArchive(file, size, std::move(bytes), archive));
    opened->LoadEntries(limits);
    return opened;
}

ZipArchive::ZipArchive(std::filesystem::path file, std::uintmax_t size, std::unique_ptr<char[]> bytes,
                       zip_t* archive)
    : file_(std::move(file)), size_(size), bytes_(std::move(bytes)), archive_(archive)
{
}

ZipArchive::~ZipArchive()
{
    zip_discard(archive_);
}

void ZipArchive::LoadEntries(const UnpackLimits& limits)
{
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    std::uint64_t total = 0;
    entries_.reserve(static_cast<std::size_t>(count));
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
            Refuse(file_, "damaged zip entry " + std::to_string(index));
        }
        Entry entry{stat.name, stat.size, stat.comp_size, stat.comp_method, stat.crc, stat.mtime};
        if (!IsSafeEntryName(entry.name)) {
            Refuse(file_, "unsafe entry name \"" + entry.name + "\"");
        }
        if (stat.encryption_method != ZIP_EM_NONE) {
            Refuse(file_, "entry " + entry.name + " is encrypted");
        }
        // A copied entry is sized by its record: a record that claims more
        // than the file holds would have a save reserve gigabytes.
        if (entry.compressedSize > size_) {
            Refuse(file_, "entry " + entry.name + " claims more stored bytes than the file holds");
        }
        if (entry.size > limits.perEntry) {
            Refuse(file_, "entry " + entry.name + " unpacks to " + std::to_string(entry.size) +
                              " bytes, more than allowed");
        }
        if (entry.size > limits.ratioFloor && entry.size / std::max<std::uint64_t>(entry.compressedSize, 1) > limits.maxRatio) {
            Refuse(file_, "entry " + entry.name + " is compressed suspiciously tightly (a zip bomb?)");
        }
        total += entry.size;
        if (total > limits.total) {
            Refuse(file_, "the archive unpacks to more than " + std::to_string(limits.total) + " bytes");
        }
        entries_.push_back(std::move(entry));
    }
}

std::string ZipArchive::Read(std::size_t index) const
{
    const Entry& entry = entries_.at(index);
    std::string content(entry.size, '\0');
    if (entry.method != ZIP_CM_DEFLATE) {
        ReadEntry(index, 0, content.data(), content.size());
        return content;
    }
    // libdeflate unpacks whole buffers several times faster than zlib's stream.
    std::string packed(entry.compressedSize, '\0');
    ReadEntry(index, ZIP_FL_COMPRESSED, packed.data(), packed.size());
    if (!InflateExactly(packed, content)) {
        throw Damaged(entry, "it does not unpack to its declared size");
    }
    if (Checksum(content) != entry.crc) {
        throw Damaged(entry, "its checksum does not match");
    }
    return content;
}

std::string ZipArchive::Head(std::size_t index, std::size_t bytes) const
{
    const Entry& entry = entries_.at(index);
    std::string head(std::min<std::uint64_t>(bytes, entry.size), '\0');
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive_, index, 0));
    if (!file) {
        throw Damaged(entry, zip_strerror(archive_));
    }
    std::size_t filled = 0;
    while (filled < head.size()) {
        const zip_int64_t got = zip_fread(file.get(), head.data() + filled, head.size() - filled);
        if (got < 0) {
            throw Damaged(entry, zip_file_strerror(file.get()));
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    head.resize(filled);
    return head;
}

void ZipArchive::CopyStored(std::size_t index, char* destination, std::uint64_t size) const
{
    if (size != entries_.at(index).compressedSize) {
        throw std::logic_error("stored size mismatch");
    }
    ReadEntry(index, ZIP_FL_COMPRESSED, destination, size);
}

void ZipArchive::ReadEntry(std::size_t index, zip_flags_t flags, char* destination, std::uint64_t size) const
{
    const Entry& entry = entries_.at(index);
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive_, index, flags));
    if (!file) {
        throw Damaged(entry, zip_strerror(archive_));
    }
    std::uint64_t filled = 0;
    while (filled < size) {
        const zip_int64_t got = zip_fread(file.get(), destination + filled, size - filled);
        if (got < 0) {
            throw Damaged(entry, zip_file_strerror(file.get()));
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::uint64_t>(got);
    }
    // One byte more than declared would mean an entry that unpacks to more.
    char beyond = 0;
    if (filled != size || zip_fread(file.get(), &beyond, 1) != 0) {
        throw Damaged(entry, "it does not unpack to its declared size");
    }
}

host::HostError ZipArchive::Damaged(const Entry& entry, const std::string& problem) const
{
    return host::HostError(entry.name + " in " + file_.string() + " is damaged: " + problem);
}

}  // namespace velmora::pptx::package
