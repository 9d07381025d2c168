#include "pptx/compound/GsfStorage.hpp"

#include <memory>
#include <mutex>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include "host/HostError.hpp"

namespace velmora::pptx::compound {

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

std::string WriteGsfStorage(const parts::ClassId& classId, const std::vector<parts::CompoundStream>& streams)
{
    StartGsf();
    Owned<GsfOutput> sink(gsf_output_memory_new());
    {
        Owned<GsfOutfile> storage(gsf_outfile_msole_new(sink.get()));
        if (!storage || !gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(storage.get()), classId.data())) {
            throw host::HostError("the control's storage cannot be made");
        }
        for (const parts::CompoundStream& stream : streams) {
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

std::optional<parts::ClassId> GsfStorageClassId(std::string_view file)
{
    auto storage = OpenStorage(file);
    parts::ClassId id{};
    if (!storage || !gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(storage.get()), id.data())) {
        return std::nullopt;
    }
    return id;
}

std::optional<std::string> ReadGsfStream(std::string_view file, const std::string& name)
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

}  // namespace velmora::pptx::compound
