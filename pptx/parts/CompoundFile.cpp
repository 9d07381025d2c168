#include "pptx/parts/CompoundFile.hpp"

#include <charconv>
#include <memory>
#include <mutex>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include "host/HostError.hpp"

namespace velmora::pptx::parts {

namespace {

struct Unref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using Owned = std::unique_ptr<T, Unref>;

void StartGsf()
{
    static std::once_flag started;
    std::call_once(started, [] { gsf_init(); });
}

std::optional<std::uint32_t> Hex(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The storage opened over bytes that must outlive it.
Owned<GsfInfile> OpenStorage(std::string_view file)
{
    StartGsf();
    Owned<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()),
                                               static_cast<gsf_off_t>(file.size()), FALSE));
    GError* error = nullptr;
    Owned<GsfInfile> storage(gsf_infile_msole_new(input.get(), &error));
    if (error != nullptr) {
        g_error_free(error);
    }
    return storage;
}

void Write(GsfOutput* output, std::string_view bytes)
{
    if (!gsf_output_write(output, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()))) {
        throw host::HostError("the control's storage cannot be written");
    }
}

}  // namespace

std::optional<ClassId> ParseClassId(std::string_view text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}: the first three fields are
    // stored little-endian, the last eight bytes as they are written.
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    const auto first = Hex(text.substr(1, 8));
    const auto second = Hex(text.substr(10, 4));
    const auto third = Hex(text.substr(15, 4));
    if (!first || !second || !third) {
        return std::nullopt;
    }
    ClassId id{};
    for (int i = 0; i < 4; ++i) {
        id[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(*first >> (8 * i));
    }
    for (int i = 0; i < 2; ++i) {
        id[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(*second >> (8 * i));
        id[static_cast<std::size_t>(6 + i)] = static_cast<std::uint8_t>(*third >> (8 * i));
    }
    const std::string tail = std::string(text.substr(20, 4)) + std::string(text.substr(25, 12));
    for (std::size_t i = 0; i < 8; ++i) {
        const auto byte = Hex(std::string_view(tail).substr(2 * i, 2));
        if (!byte) {
            return std::nullopt;
        }
        id[8 + i] = static_cast<std::uint8_t>(*byte);
    }
    return id;
}

std::string WriteCompoundFile(const ClassId& classId, const std::vector<CompoundStream>& streams)
{
    StartGsf();
    Owned<GsfOutput> sink(gsf_output_memory_new());
    {
        Owned<GsfOutfile> storage(gsf_outfile_msole_new(sink.get()));
        if (!storage || !gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(storage.get()), classId.data())) {
            throw host::HostError("the control's storage cannot be made");
        }
        for (const CompoundStream& stream : streams) {
            Owned<GsfOutput> child(gsf_outfile_new_child(storage.get(), stream.name.c_str(), FALSE));
            Write(child.get(), stream.content);
            gsf_output_close(child.get());
        }
        if (!gsf_output_close(GSF_OUTPUT(storage.get()))) {
            throw host::HostError("the control's storage cannot be completed");
        }
    }
    const auto size = static_cast<std::size_t>(gsf_output_size(sink.get()));
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    return std::string(reinterpret_cast<const char*>(bytes), size);
}

std::optional<ClassId> CompoundClassId(std::string_view file)
{
    auto storage = OpenStorage(file);
    ClassId id{};
    if (!storage || !gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(storage.get()), id.data())) {
        return std::nullopt;
    }
    return id;
}

std::optional<std::string> ReadCompoundStream(std::string_view file, const std::string& name)
{
    auto storage = OpenStorage(file);
    if (!storage) {
        return std::nullopt;
    }
    Owned<GsfInput> stream(gsf_infile_child_by_name(storage.get(), name.c_str()));
    if (!stream) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(gsf_input_size(stream.get()));
    std::string content(size, '\0');
    if (size > 0 && gsf_input_read(stream.get(), size, reinterpret_cast<guint8*>(content.data())) == nullptr) {
        return std::nullopt;
    }
    return content;
}

}  // namespace velmora::pptx::parts
