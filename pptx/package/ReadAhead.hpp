#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "pptx/package/Relationships.hpp"
#include "pptx/package/XmlText.hpp"
#include "pptx/package/ZipArchive.hpp"

namespace velmora::pptx::package {

// What to read ahead: the relationships of `parts`, in the order the caller
// will ask for them, and the parts they relate to by one of `followTypes`,
// unpacked and parsed.
struct ReadAheadPlan {
    std::vector<std::string> parts;
    std::vector<std::string> followTypes;
};

// Parts read and parsed on a thread of its own, ahead of the caller: going
// through every slide's notes reads a thousand small parts, and another core
// can unpack and parse them meanwhile. Reads the archive as it was opened,
// so the caller takes a result only for an entry it has not changed. What
// fails here is left to the caller, who reads it again and reports it.
class ReadAhead {
public:
    ReadAhead(const ZipArchive& source, ReadAheadPlan plan);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The relationships of `part` as read ahead, waiting if they are being
    // read; null when they were not, and then they never will be.
    std::unique_ptr<Relationships> TakeRelationships(const std::string& part);
    // Likewise the parsed XML of `part`.
    std::unique_ptr<XmlDocument> TakeXml(const std::string& part);

private:
    enum class State { Reading, Ready, Failed, Taken };
    struct Slot {
        State state = State::Reading;
        std::unique_ptr<Relationships> relationships;
        std::unique_ptr<XmlDocument> xml;
    };

    void Run();
    void ReadPart(const std::string& part);
    bool Begin(const std::string& entry);
    void Finish(const std::string& entry, Slot result);
    Slot Take(const std::string& entry);
    std::string Unpack(const std::string& entry) const;

    const ZipArchive& source_;
    const ReadAheadPlan plan_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::unordered_map<std::string, Slot> slots_;  // by entry name
    std::size_t waiting_ = 0;                      // results ready and not yet taken
    bool stopping_ = false;
    std::jthread reader_;
};

}  // namespace velmora::pptx::package
