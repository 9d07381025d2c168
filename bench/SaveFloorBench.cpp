// velmora_bench_save_floor [SLIDES] [RUNS]: the notes export, the notes
// deletion and the animation removal of a large deck through the velmora
// command, each in a process of its own, against a floor measured in the same
// run on the same deck: a small program that reads the file once, inflates
// and parses only the parts the job needs, deflates the changed ones, copies
// the other entries raw and writes the new file once. Medians in
// milliseconds, and velmora's peak memory.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>
#include <zip.h>

#include "bench/BenchDecks.hpp"
#include "bench/BenchProcess.hpp"

namespace {

constexpr const char* kFloorFlag = "--floor";

using velmora::bench::ProcessRun;
using velmora::bench::RunProgram;

// Median times and highest peak memory of several runs.
ProcessRun Summary(const std::vector<ProcessRun>& runs)
{
    auto median = [&](double ProcessRun::*field) {
        std::vector<double> values;
        for (const ProcessRun& run : runs) {
            values.push_back(run.*field);
        }
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    ProcessRun summary{median(&ProcessRun::milliseconds), median(&ProcessRun::cpuMilliseconds), 0};
    for (const ProcessRun& run : runs) {
        summary.peakMiB = std::max(summary.peakMiB, run.peakMiB);
    }
    return summary;
}

void PrintComparison(const char* job, const ProcessRun& ours, const ProcessRun& floor)
{
    std::printf("  %-15s velmora %.1f ms, %.1f ms CPU (peak %.1f MiB); floor %.1f ms, %.1f ms CPU: %.2f x, %.2f x CPU\n",
                job, ours.milliseconds, ours.cpuMilliseconds, ours.peakMiB, floor.milliseconds, floor.cpuMilliseconds,
                ours.milliseconds / floor.milliseconds, ours.cpuMilliseconds / floor.cpuMilliseconds);
}

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsNotesPart(const std::string& name)
{
    return name.starts_with("ppt/notesSlides/notesSlide") && name.ends_with(".xml");
}

bool IsSlidePart(const std::string& name)
{
    return name.starts_with("ppt/slides/slide") && name.ends_with(".xml");
}

// The notes text of one notes part: every run of its body placeholder.
void ClearNotes(pugi::xml_document& notes)
{
    for (const pugi::xpath_node& body : notes.select_nodes("//p:sp[.//p:ph[@type='body']]//a:p")) {
        while (pugi::xml_node run = body.node().child("a:r")) {
            body.node().remove_child(run);
        }
    }
}

// With every effect gone, a slide keeps no timing at all.
void RemoveTiming(pugi::xml_document& slide)
{
    slide.document_element().remove_child("p:timing");
}

// What the floor does to each part it needs; a job without an edit only
// reads, and prints the notes text.
struct FloorJob {
    bool (*needs)(const std::string& name);
    void (*edit)(pugi::xml_document& part);
};

FloorJob JobNamed(const std::string& job)
{
    if (job == "export") {
        return {IsNotesPart, nullptr};
    }
    if (job == "delete") {
        return {IsNotesPart, ClearNotes};
    }
    if (job == "animations") {
        return {IsSlidePart, RemoveTiming};
    }
    std::fprintf(stderr, "unknown floor job %s\n", job.c_str());
    std::exit(2);
}

// The floor itself, run as its own process like velmora is: "export" reads
// the notes text, "delete" clears it and "animations" removes every slide's
// timing, each writing the deck anew.
int RunFloor(const std::string& jobName, const std::filesystem::path& deck)
{
    const FloorJob job = JobNamed(jobName);
    std::string bytes = ReadAll(deck);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* in = source != nullptr ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (in == nullptr) {
        return 1;
    }
    const std::filesystem::path written = deck.string() + ".floor";
    zip_t* out = job.edit != nullptr ? zip_open(written.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr) : nullptr;
    std::vector<std::string> changed;  // kept alive until the archive is written
    changed.reserve(static_cast<std::size_t>(zip_get_num_entries(in, 0)));
    std::string text;
    for (zip_int64_t index = 0; index < zip_get_num_entries(in, 0); ++index) {
        const std::string name = zip_get_name(in, static_cast<zip_uint64_t>(index), 0);
        if (!job.needs(name)) {
            if (out != nullptr) {
                zip_source_t* raw = zip_source_zip(out, in, static_cast<zip_uint64_t>(index), ZIP_FL_COMPRESSED, 0, -1);
                zip_file_add(out, name.c_str(), raw, ZIP_FL_ENC_UTF_8);
            }
            continue;
        }
        zip_stat_t stat;
        zip_stat_index(in, static_cast<zip_uint64_t>(index), 0, &stat);
        std::string xml(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(in, static_cast<zip_uint64_t>(index), 0);
        zip_fread(file, xml.data(), stat.size);
        zip_fclose(file);
        pugi::xml_document part;
        part.load_buffer_inplace(xml.data(), xml.size());
        if (out == nullptr) {
            for (const pugi::xpath_node& t : part.select_nodes("//p:sp[.//p:ph[@type='body']]//a:t")) {
                text += t.node().text().get();
                text += "\r\n";
            }
            continue;
        }
        job.edit(part);
        std::ostringstream serialised;
        part.save(serialised, "", pugi::format_raw);
        changed.push_back(serialised.str());
        zip_source_t* fresh = zip_source_buffer(out, changed.back().data(), changed.back().size(), 0);
        const zip_int64_t added = zip_file_add(out, name.c_str(), fresh, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(out, static_cast<zip_uint64_t>(added), ZIP_CM_DEFLATE, 6);
    }
    const bool ok = out == nullptr ? std::fwrite(text.data(), 1, text.size(), stdout) == text.size()
                                   : zip_close(out) == 0;
    zip_close(in);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == kFloorFlag) {
        // As velmora does: with TZ unset, libzip's time conversion of every
        // entry re-reads /etc/localtime, a cost the floor must not carry alone.
        setenv("TZ", ":/etc/localtime", 0);
        return RunFloor(argv[2], argv[3]);
    }
    const int slideCount = argc > 1 ? std::atoi(argv[1]) : 500;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    const std::filesystem::path folder = velmora::bench::ScratchFolder();
    const std::filesystem::path deck = folder / "deck.pptx";
    const std::filesystem::path work = folder / "work.pptx";
    velmora::bench::BuildDeck(deck, slideCount);
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();

    std::vector<ProcessRun> exports, deletions, removals, floorExports, floorDeletions, floorRemovals;
    for (int run = 0; run < runs; ++run) {
        velmora::bench::CopyDeck(deck, work);
        exports.push_back(RunProgram({VELMORA_BIN, "run", "ExportComment_All_Main", work.string(), "--no-open"}));
        deletions.push_back(RunProgram({VELMORA_BIN, "run", "DeleteComment_All_Main", work.string()}));
        velmora::bench::CopyDeck(deck, work);
        floorExports.push_back(RunProgram({self, kFloorFlag, "export", work.string()}));
        floorDeletions.push_back(RunProgram({self, kFloorFlag, "delete", work.string()}));
        velmora::bench::CopyDeck(deck, work);
        removals.push_back(RunProgram({VELMORA_BIN, "run", "RemoveAnimation_All_Main", work.string()}));
        velmora::bench::CopyDeck(deck, work);
        floorRemovals.push_back(RunProgram({self, kFloorFlag, "animations", work.string()}));
    }
    const ProcessRun exported = Summary(exports), deleted = Summary(deletions);
    const ProcessRun floorExported = Summary(floorExports), floorDeleted = Summary(floorDeletions);
    std::printf("%d slides, medians of %d runs, each a process of its own\n", slideCount, runs);
    PrintComparison("notes export:", exported, floorExported);
    PrintComparison("notes deletion:", deleted, floorDeleted);
    PrintComparison("animations:", Summary(removals), Summary(floorRemovals));
    std::printf("  export and clear as two runs: %.1f ms, %.1f ms CPU\n", exported.milliseconds + deleted.milliseconds,
                exported.cpuMilliseconds + deleted.cpuMilliseconds);
    std::filesystem::remove_all(folder);
    return 0;
}
