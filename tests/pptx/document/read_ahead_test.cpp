// Parts read on another thread ahead of the caller must read exactly as the
// caller's own reads would, changed parts and damaged ones included.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "host/HostError.hpp"
#include "pptx/package/Package.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::pptx::package {
namespace {

using testing::TempDir;
using testing::WriteZip;
using testing::ZipEntry;
using testing::ZipItem;

constexpr int kParts = 100;  // more than the reader keeps waiting
constexpr const char* kNotes = "urn:notes";
constexpr const char* kOther = "urn:other";

std::string Xml(const std::string& body)
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" + body;
}

std::string PartName(int number)
{
    return "/p/part" + std::to_string(number) + ".xml";
}

std::string NotesName(int number)
{
    return "/n/notes" + std::to_string(number) + ".xml";
}

// Parts that each relate to their notes and to one other part, as other
// writers lay them out: whitespace between elements, targets absolute or
// relative, and the notes numbered against the parts' order.
std::vector<ZipItem> Items()
{
    std::vector<ZipItem> items{
        {"[Content_Types].xml",
         Xml(R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
             R"(<Default Extension="xml" ContentType="application/xml"/>)"
             R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
             R"(</Types>)")}};
    for (int i = 1; i <= kParts; ++i) {
        const int notes = kParts + 1 - i;
        const std::string target = i % 2 == 0 ? NotesName(notes) : "../n/notes" + std::to_string(notes) + ".xml";
        items.push_back({PartName(i).substr(1), Xml("<part n=\"" + std::to_string(i) + "\"/>")});
        items.push_back(
            {"p/_rels/part" + std::to_string(i) + ".xml.rels",
             Xml("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">\n  "
                 "<Relationship Id=\"rId1\" Type=\"" +
                 std::string(kOther) + "\" Target=\"part" + std::to_string(i % kParts + 1) +
                 ".xml\"/>\n  <Relationship Id=\"rId2\" Type=\"" + kNotes + "\" Target=\"" + target +
                 "\"/>\n</Relationships>")});
        items.push_back({NotesName(notes).substr(1), Xml("<notes>\n  <t>text " + std::to_string(notes) + "</t>\n</notes>")});
    }
    return items;
}

class ReadAheadTest : public ::testing::Test {
protected:
    ReadAheadTest() { WriteZip(file_, Items()); }

    static ReadAheadPlan Plan()
    {
        ReadAheadPlan plan{.parts = {}, .followTypes = {kNotes}};
        for (int i = 1; i <= kParts; ++i) {
            plan.parts.push_back(PartName(i));
        }
        return plan;
    }

    std::unique_ptr<Package> ReadingAhead()
    {
        auto package = Package::Open(file_);
        package->ReadAheadOf(Plan());
        return package;
    }

    TempDir dir_;
    std::filesystem::path file_ = dir_ / "parts.zip";
};

// What a part's relationships and its notes read as, through `package`.
std::string ReadThrough(Package& package, int number)
{
    std::string read;
    const Relationships& relationships = package.RelationshipsOf(PartName(number));
    for (const Relationship& relationship : relationships.All()) {
        read += relationship.id + " " + relationship.type + " " + relationships.TargetPart(relationship) + "\n";
    }
    const std::string notes = relationships.TargetPart(*relationships.ById("rId2"));
    return read + SerialiseXml(package.ReadXml(notes, package.Describe(notes))->document);
}

TEST_F(ReadAheadTest, EveryPartReadsAsAPlainReadGivesIt)
{
    auto plain = Package::Open(file_);
    auto ahead = ReadingAhead();
    for (int i = 1; i <= kParts; ++i) {
        ASSERT_EQ(ReadThrough(*ahead, i), ReadThrough(*plain, i)) << PartName(i);
    }
    EXPECT_NE(ReadThrough(*ahead, 7).find("<t>text 94</t>"), std::string::npos) << ReadThrough(*ahead, 7);
}

TEST_F(ReadAheadTest, APartChangedSinceReadsAsChanged)
{
    auto package = ReadingAhead();
    ReadThrough(*package, 1);
    // Time for the reader to get ahead, so that the parts changed below were
    // read before the change; the reads must pass either way.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    package->Write(NotesName(kParts - 1), Xml("<notes><t>changed</t></notes>"));
    package->Write("/p/_rels/part3.xml.rels",
                   Xml(R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                       R"(<Relationship Id="rId2" Type="urn:notes" Target="/n/notes1.xml"/></Relationships>)"));
    EXPECT_NE(ReadThrough(*package, 2).find("<t>changed</t>"), std::string::npos);
    EXPECT_NE(ReadThrough(*package, 3).find("<t>text 1</t>"), std::string::npos);
    EXPECT_EQ(package->RelationshipsOf(PartName(3)).All().size(), 1u);
}

TEST_F(ReadAheadTest, DamagedPartsAreReportedByTheCallersOwnRead)
{
    std::vector<ZipItem> items = Items();
    for (ZipItem& item : items) {
        if (item.name == "n/notes90.xml") {
            item.content = Xml("<notes><t>unclosed</notes>");
        }
        if (item.name == "p/_rels/part20.xml.rels") {
            item.content = "<Relationships";
        }
    }
    WriteZip(file_, items);
    auto package = ReadingAhead();
    for (int i = 1; i <= 10; ++i) {
        ReadThrough(*package, i);
    }
    // Part 11's notes are notes90.
    for (const auto& [number, entry] : {std::pair{11, "n/notes90.xml"}, std::pair{20, "p/_rels/part20.xml.rels"}}) {
        try {
            ReadThrough(*package, number);
            ADD_FAILURE() << "no error for " << entry;
        } catch (const host::HostError& error) {
            EXPECT_NE(std::string(error.what()).find(entry), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(file_.string()), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(ReadThrough(*package, 21), ReadThrough(*Package::Open(file_), 21));
}

TEST_F(ReadAheadTest, APackageSavedOrClosedWhileReadingAheadIsWhole)
{
    ReadingAhead().reset();
    auto package = ReadingAhead();
    ReadThrough(*package, 1);
    package->Write(NotesName(1), Xml("<notes><t>saved</t></notes>"));
    const std::filesystem::path saved = dir_ / "saved.zip";
    package->Save(saved);
    EXPECT_EQ(ZipEntry(saved, "n/notes1.xml"), Xml("<notes><t>saved</t></notes>"));
    EXPECT_EQ(ZipEntry(saved, "n/notes50.xml"), ZipEntry(file_, "n/notes50.xml"));
    EXPECT_NE(ReadThrough(*package, kParts).find("<t>saved</t>"), std::string::npos);
    EXPECT_NE(ReadThrough(*package, 2).find("<t>text 99</t>"), std::string::npos);
}

}  // namespace
}  // namespace velmora::pptx::package
