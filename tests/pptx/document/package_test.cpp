#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>

#include "host/HostError.hpp"
#include "pptx/package/ContentTypes.hpp"
#include "pptx/package/Package.hpp"
#include "pptx/package/PartGraph.hpp"
#include "pptx/package/PartName.hpp"
#include "pptx/package/Relationships.hpp"
#include "pptx/package/XmlText.hpp"
#include "pptx/parts/Deck.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::pptx::package {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using testing::WriteZip;
using testing::ZipItem;

const std::string kTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Override PartName="/a/one.xml" ContentType="text/one"/></Types>)";

const std::string kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="urn:one" Target="a/one.xml"/></Relationships>)";

std::string Repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// Expects the host error and that its message names `word` and the file.
template <typename Step>
void ExpectRefused(const std::filesystem::path& file, const std::string& word, Step step)
{
    try {
        step();
        FAIL() << "no error for " << file;
    } catch (const host::HostError& error) {
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find(word), std::string::npos) << error.what();
    }
}

TEST(PartNameTest, ResolvesAndRelatesTargets)
{
    EXPECT_EQ(ResolveTarget("/ppt/slides/slide1.xml", "../slideLayouts/slideLayout2.xml"),
              "/ppt/slideLayouts/slideLayout2.xml");
    EXPECT_EQ(ResolveTarget("/ppt/presentation.xml", "slides/slide1.xml"), "/ppt/slides/slide1.xml");
    EXPECT_EQ(ResolveTarget("/", "ppt/presentation.xml"), "/ppt/presentation.xml");
    EXPECT_EQ(ResolveTarget("/ppt/slides/slide1.xml", "/ppt/media/./image1.png"), "/ppt/media/image1.png");
    EXPECT_THROW(ResolveTarget("/ppt/slide.xml", "../../outside.xml"), host::HostError);
    EXPECT_EQ(ResolveTarget("/ppt/slides/slide1.xml", "../../docProps//app.xml"), "/docProps/app.xml");
    EXPECT_EQ(ResolveTarget("/ppt/slides/slide1.xml", "./media/../../media/a.png"), "/ppt/media/a.png");

    EXPECT_EQ(RelativeTarget("/ppt/slides/slide1.xml", "/ppt/notesSlides/notesSlide1.xml"),
              "../notesSlides/notesSlide1.xml");
    EXPECT_EQ(RelativeTarget("/ppt/presentation.xml", "/ppt/slides/slide3.xml"), "slides/slide3.xml");
    EXPECT_EQ(RelativeTarget("/", "/ppt/presentation.xml"), "ppt/presentation.xml");
    EXPECT_EQ(RelativeTarget("/ppt/slides/slide1.xml", "/docProps/app.xml"), "../../docProps/app.xml");

    EXPECT_EQ(RelationshipsPartName("/ppt/slides/slide1.xml"), "/ppt/slides/_rels/slide1.xml.rels");
    EXPECT_EQ(RelationshipsPartName("/"), "/_rels/.rels");
}

TEST(PartNameTest, RefusesEntryNamesThatLeaveTheFolder)
{
    for (const char* bad : {"../evil.xml", "/etc/passwd", "ppt/../../x", "ppt\\..\\x", "C:/x", "a//b", "./a"}) {
        EXPECT_FALSE(IsSafeEntryName(bad)) << bad;
    }
    for (const char* good : {"ppt/slides/slide1.xml", "[Content_Types].xml", "ppt/media/", "_rels/.rels"}) {
        EXPECT_TRUE(IsSafeEntryName(good)) << good;
    }
}

// Writers differ in the case of part names; lookups must not, whatever the
// name's length against the eight bytes the hash takes at a time.
TEST(PackageOpenTest, FindsPartsWhateverTheCaseOfTheirNames)
{
    TempDir dir;
    const std::filesystem::path deck = dir / "case.pptx";
    const std::vector<std::string> names = {"a.xml", "ab/cd.xml", "ppt/x1.xml", "ppt/slides/Slide12.xml",
                                            "PPT/Media/Image-With-A-Long-Name-0123456789.XML"};
    std::vector<ZipItem> items = {{"[Content_Types].xml", kTypes}};
    for (const std::string& name : names) {
        items.push_back({name, "<x>" + name + "</x>"});
    }
    WriteZip(deck, items);
    const auto package = Package::Open(deck);
    for (const std::string& name : names) {
        std::string upper = "/" + name;
        std::string lower = upper;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_EQ(package->Read(upper), "<x>" + name + "</x>") << upper;
        EXPECT_EQ(package->Read(lower), "<x>" + name + "</x>") << lower;
    }
    EXPECT_FALSE(package->Contains("/ppt/x2.xml"));
    EXPECT_FALSE(package->Contains("/ppt/x1.xm"));
}

// The first look-ups scan the table, later ones use its index: both answer
// alike, whatever the case, and the later of two entries for a name counts.
TEST(ContentTypesTest, ScannedAndIndexedLookupsAgree)
{
    const ContentTypes types(R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
                             R"(<Default Extension="xml" ContentType="application/xml"/>)"
                             R"(<Default Extension="PNG" ContentType="image/old"/>)"
                             R"(<Default Extension="png" ContentType="image/png"/>)"
                             R"(<Override PartName="/ppt/Slides/Slide1.xml" ContentType="text/slide"/>)"
                             R"(<Override PartName="/ppt/twice.xml" ContentType="text/first"/>)"
                             R"(<Override PartName="/PPT/TWICE.XML" ContentType="text/second"/>)"
                             "</Types>",
                             "[Content_Types].xml");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"/ppt/slides/slide1.xml", "text/slide"}, {"/ppt/twice.xml", "text/second"},
        {"/ppt/media/a.Png", "image/png"},        {"/ppt/other.xml", "application/xml"},
        {"/ppt/none.bin", ""}};
    for (int round = 0; round < 3; ++round) {
        for (const auto& [part, type] : expected) {
            EXPECT_EQ(types.TypeOf(part), type) << part << " in round " << round;
        }
    }
}

// Short lists are searched, long ones indexed: either way an id finds the
// first relationship that has it, as relationships are added and removed
// across the length where the index starts.
TEST(RelationshipsTest, IdsFindTheirFirstRelationshipInShortAndLongLists)
{
    Relationships relationships("/ppt/slides/slide1.xml",
                                R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                                R"(<Relationship Id="rId1" Type="first" Target="a.xml"/>)"
                                R"(<Relationship Id="rId1" Type="second" Target="b.xml"/>)"
                                "</Relationships>",
                                [] { return std::string("slide1.xml.rels"); });
    std::vector<std::string> added;
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(relationships.ById("rId1")->type, "first") << "with " << relationships.All().size();
        added.push_back(relationships.Add("kind" + std::to_string(i), "/ppt/media/m" + std::to_string(i) + ".png"));
        for (std::size_t k = 0; k < added.size(); ++k) {
            ASSERT_EQ(relationships.ById(added[k])->type, "kind" + std::to_string(k));
        }
    }
    for (const std::string& id : added) {
        relationships.Remove(id);
        EXPECT_EQ(relationships.ById(id), nullptr);
        EXPECT_EQ(relationships.ById("rId1")->type, "first") << "with " << relationships.All().size();
    }
    EXPECT_EQ(relationships.ById("rId9"), nullptr);
}

TEST(PackageOpenTest, RefusesWhatIsNoPackageAndLeavesTheFileAlone)
{
    TempDir dir;
    const std::filesystem::path text = dir / "text.pptx";
    WriteFile(text, "this is not a zip file at all");
    ExpectRefused(text, "not a zip", [&] { Package::Open(text); });
    EXPECT_EQ(ReadFile(text), "this is not a zip file at all");

    const std::filesystem::path whole = dir / "whole.pptx";
    WriteZip(whole, {{"[Content_Types].xml", kTypes}, {"a/one.xml", Repeated("<x/>", 1000)}});
    const std::string bytes = ReadFile(whole);
    const std::filesystem::path truncated = dir / "truncated.pptx";
    WriteFile(truncated, bytes.substr(0, bytes.size() / 2));
    ExpectRefused(truncated, "zip", [&] { Package::Open(truncated); });
    EXPECT_EQ(ReadFile(truncated), bytes.substr(0, bytes.size() / 2));

    const std::filesystem::path plain = dir / "plain.zip";
    WriteZip(plain, {{"readme.txt", "hello"}});
    ExpectRefused(plain, "not a presentation", [&] { Package::Open(plain); });

    ExpectRefused(dir / "missing.pptx", "no such file", [&] { Package::Open(dir / "missing.pptx"); });
}

TEST(PackageOpenTest, RefusesUnsafeNamesAndZipBombs)
{
    TempDir dir;
    const std::filesystem::path escaping = dir / "escaping.pptx";
    WriteZip(escaping, {{"[Content_Types].xml", kTypes}, {"../../evil.xml", "<x/>"}});
    ExpectRefused(escaping, "unsafe entry name", [&] { Package::Open(escaping); });

    const std::filesystem::path dense = dir / "dense.pptx";
    WriteZip(dense, {{"[Content_Types].xml", kTypes}, {"a/zeros.xml", std::string(16 << 20, '\0')}}, 9);
    ExpectRefused(dense, "zip bomb", [&] { Package::Open(dense); });

    // An entry whose central directory claims about 4 GB.
    const std::filesystem::path huge = dir / "huge.pptx";
    WriteZip(huge, {{"[Content_Types].xml", kTypes}, {"a/big.xml", "<x/>"}}, 0);
    std::string bytes = ReadFile(huge);
    const std::size_t central = bytes.rfind(std::string("PK\1\2", 4));
    ASSERT_NE(central, std::string::npos);
    bytes.replace(central + 24, 4, "\xF0\xFF\xFF\xFF", 4);
    WriteFile(huge, bytes);
    ExpectRefused(huge, "more than allowed", [&] { Package::Open(huge); });
}

// Bit rot inside a packed part: the archive opens, the part does not read.
TEST(PackageOpenTest, DamagedPackedPartsAreRefusedWhenRead)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += "<item n=\"" + std::to_string(i) + "\">text</item>";
    }
    const std::filesystem::path good = dir / "good.pptx";
    WriteZip(good, {{"[Content_Types].xml", kTypes}, {"a/one.xml", "<list>" + text + "</list>"}});
    const std::string bytes = ReadFile(good);
    const std::size_t local = bytes.find("a/one.xml");
    ASSERT_NE(local, std::string::npos);
    const std::size_t data = local + std::string("a/one.xml").size();

    const std::filesystem::path flipped = dir / "flipped.pptx";
    std::string damaged = bytes;
    damaged[data + 20] = static_cast<char>(damaged[data + 20] ^ 0x10);
    WriteFile(flipped, damaged);
    ExpectRefused(flipped, "a/one.xml", [&] { Package::Open(flipped)->Read("/a/one.xml"); });

    // Unpacks cleanly to the declared size, but not to what was packed.
    const std::filesystem::path wrongSum = dir / "wrong-sum.pptx";
    damaged = bytes;
    for (std::size_t at = damaged.find("a/one.xml"); at != std::string::npos; at = damaged.find("a/one.xml", at + 1)) {
        const std::size_t header = damaged.rfind("PK", at);
        const std::size_t crc = header + (damaged[header + 2] == '\3' ? 14 : 16);
        damaged[crc] = static_cast<char>(damaged[crc] ^ 0x01);
    }
    WriteFile(wrongSum, damaged);
    ExpectRefused(wrongSum, "checksum", [&] { Package::Open(wrongSum)->Read("/a/one.xml"); });

    EXPECT_NE(Package::Open(good)->Read("/a/one.xml").find("<item n=\"199\">"), std::string::npos);
}

// Readers disagree on which of two such entries is the part: one reader
// would keep notes another had deleted.
TEST(PackageOpenTest, RefusesTwoEntriesForOnePartNamingIt)
{
    TempDir dir;
    const std::filesystem::path same = dir / "same.pptx";
    WriteZip(same, {{"[Content_Types].xml", kTypes}, {"a/one.xml", "<first/>"}});
    testing::AddDuplicateEntry(same, "a/one.xml", "<second/>");
    ASSERT_EQ(testing::ZipNames(same), (std::vector<std::string>{"[Content_Types].xml", "a/one.xml", "a/one.xml"}));
    const std::string bytes = ReadFile(same);
    ExpectRefused(same, "part /a/one.xml twice", [&] { Package::Open(same); });
    EXPECT_EQ(ReadFile(same), bytes);

    const std::filesystem::path cased = dir / "cased.pptx";
    WriteZip(cased, {{"[Content_Types].xml", kTypes}, {"a/one.xml", "<first/>"}, {"A/One.XML", "<second/>"}});
    ExpectRefused(cased, "\"a/one.xml\" and \"A/One.XML\"", [&] { Package::Open(cased); });
}

TEST(PackageOpenTest, DamagedXmlNamesThePartAndTheFile)
{
    TempDir dir;
    const std::filesystem::path file = dir / "broken.pptx";
    WriteZip(file, {{"[Content_Types].xml", "<Types><Default"}});
    ExpectRefused(file, "[Content_Types].xml", [&] { Package::Open(file); });
}

// A part of tiny elements takes many times its size once parsed: it is
// refused before the machine runs short, naming the part.
TEST(XmlTextTest, RefusesAPartWhoseTreeWouldPassTheCeilingBeforeParsingIt)
{
    std::string dense = "<r>";
    dense.reserve(kLargestTree / 16 + 16);
    while (dense.size() < kLargestTree / 16) {
        dense += "<a/>";
    }
    dense += "</r>";
    try {
        ParseXml(std::move(dense), "ppt/slides/slide1.xml in deck.pptx");
        FAIL() << "a tree past the ceiling was parsed";
    } catch (const host::HostError& error) {
        EXPECT_NE(std::string(error.what()).find("ppt/slides/slide1.xml in deck.pptx is too large"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(ParseXml("<r>" + Repeated("<a b=\"1\">text</a>", 100000) + "</r>", "small")
                  ->document.document_element().select_nodes("a").size(),
              100000u);
}

// Files may not grow beyond `bytes` while it lives: writes past it fail as on
// a full disk instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};

class PackageSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Deflated at level 1 on purpose: a copy packed anew would come out smaller.
        WriteZip(source_, {{"[Content_Types].xml", kTypes},
                           {"_rels/.rels", kRootRels},
                           {"a/one.xml", "<one>" + Repeated("<item>text text</item>", 2000) + "</one>"},
                           {"a/two.bin", std::string("\x89PNG\0\0\0", 7) + Repeated("0123456789", 100)}},
                 1);
    }

    TempDir dir_;
    std::filesystem::path source_ = dir_ / "source.pptx";
};

TEST_F(PackageSaveTest, CopiesUnchangedEntriesAsTheyAre)
{
    auto package = Package::Open(source_);
    const std::filesystem::path copy = dir_ / "copy.pptx";
    package->Save(copy);
    EXPECT_EQ(testing::ZipNames(copy), testing::ZipNames(source_));
    for (const std::string& name : testing::ZipNames(source_)) {
        EXPECT_EQ(testing::ZipEntry(copy, name), testing::ZipEntry(source_, name)) << name;
        EXPECT_EQ(testing::ZipCompressedSize(copy, name), testing::ZipCompressedSize(source_, name)) << name;
    }
}

// A deck full of media is read where it lies, not held in memory: the same
// parts and copies come of it.
TEST_F(PackageSaveTest, ADeckOfManyMegabytesReadsAndCopiesTheSame)
{
    std::string movie(66 << 20, '\0');
    std::uint32_t state = 7;
    for (std::size_t i = 0; i < movie.size(); i += 64) {
        state = state * 1664525u + 1013904223u;
        movie[i] = static_cast<char>(state >> 24);
    }
    const std::filesystem::path big = dir_ / "big.pptx";
    WriteZip(big, {{"[Content_Types].xml", kTypes}, {"a/one.xml", "<one/>"}, {"a/movie.bin", movie}}, 0);
    ASSERT_GT(std::filesystem::file_size(big), std::uintmax_t{64} << 20);

    auto package = Package::Open(big);
    EXPECT_EQ(package->Read("/a/movie.bin"), movie);
    package->Write("/a/one.xml", "<one>changed</one>");
    const std::filesystem::path copy = dir_ / "copy.pptx";
    package->Save(copy);
    EXPECT_EQ(testing::ZipEntry(copy, "a/movie.bin"), movie);
    EXPECT_EQ(testing::ZipEntry(copy, "a/one.xml"), "<one>changed</one>");
}

TEST_F(PackageSaveTest, WritesChangesRelationshipsAndTypes)
{
    auto package = Package::Open(source_);
    package->Write("/a/three.xml", "<three/>");
    package->Types().SetOverride("/a/three.xml", "text/three");
    const std::string id = package->RelationshipsOf("/a/one.xml").Add("urn:three", "/a/three.xml");
    package->Remove("/a/two.bin");
    EXPECT_FALSE(package->Contains("/a/two.bin"));
    EXPECT_EQ(package->FreePartName("/a/two", ".bin"), "/a/two1.bin");

    const std::filesystem::path saved = dir_ / "saved.pptx";
    package->Save(saved);
    auto reopened = Package::Open(saved);
    EXPECT_EQ(reopened->Read("/a/three.xml"), "<three/>");
    EXPECT_EQ(reopened->Types().TypeOf("/A/Three.xml"), "text/three");
    EXPECT_EQ(reopened->Types().TypeOf("/a/other.xml"), "application/xml");
    EXPECT_FALSE(reopened->Contains("/a/two.bin"));
    auto relationship = reopened->RelationshipsOf("/a/one.xml").ById(id);
    ASSERT_TRUE(relationship);
    EXPECT_EQ(relationship->target, "three.xml");
    EXPECT_EQ(reopened->RelationshipsOf("/a/one.xml").TargetPart(*relationship), "/a/three.xml");
    EXPECT_EQ(reopened->RelationshipsOf("/").OfType("urn:one").size(), 1u);
}

TEST_F(PackageSaveTest, AKeptStatePutBackSavesAsTheStateWas)
{
    auto package = Package::Open(source_);
    const auto original = package->Keep();
    package->Write("/a/one.xml", "<one>changed</one>");
    package->Write("/a/three.xml", "<three/>");
    package->Types().SetOverride("/a/three.xml", "text/three");
    const std::string id = package->RelationshipsOf("/a/one.xml").Add("urn:three", "/a/three.xml");
    package->Remove("/a/two.bin");
    const auto changed = package->Keep();
    EXPECT_EQ(original->BytesBeyond(nullptr), 0u) << "unchanged entries stay in the file";
    EXPECT_GT(changed->BytesBeyond(original.get()), 0u);
    EXPECT_EQ(changed->BytesBeyond(changed.get()), 0u);

    package->Restore(*original);
    EXPECT_TRUE(package->Contains("/a/two.bin"));
    EXPECT_FALSE(package->Contains("/a/three.xml"));
    EXPECT_FALSE(package->RelationshipsOf("/a/one.xml").ById(id));
    const std::filesystem::path first = dir_ / "first.pptx";
    package->Save(first);
    for (const std::string& name : testing::ZipNames(source_)) {
        EXPECT_EQ(testing::ZipEntry(first, name), testing::ZipEntry(source_, name)) << name;
    }

    // And forward again, after that save.
    package->Restore(*changed);
    const std::filesystem::path second = dir_ / "second.pptx";
    package->Save(second);
    auto reopened = Package::Open(second);
    EXPECT_EQ(reopened->Read("/a/one.xml"), "<one>changed</one>");
    EXPECT_EQ(reopened->Types().TypeOf("/a/three.xml"), "text/three");
    EXPECT_TRUE(reopened->RelationshipsOf("/a/one.xml").ById(id));
    EXPECT_FALSE(reopened->Contains("/a/two.bin"));
}

TEST_F(PackageSaveTest, UnreachablePartsGoWithTheirRelationshipsAndTypes)
{
    auto package = Package::Open(source_);
    // one -> shared (absolute target), one -> away (external); lone -> shared; stray has rels of its own.
    package->Write("/a/shared.xml", "<shared/>");
    package->Write("/a/lone.xml", "<lone/>");
    package->Write("/b/stray.xml", "<stray/>");
    package->Types().SetOverride("/a/lone.xml", "text/lone");
    package->Write("/a/_rels/one.xml.rels",
                   R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                   R"(<Relationship Id="rId1" Type="urn:s" Target="/a/shared.xml"/>)"
                   R"(<Relationship Id="rId2" Type="urn:x" Target="../../away.xml" TargetMode="External"/>)"
                   R"(<Relationship Id="rId3" Type="urn:gone" Target="missing.xml"/></Relationships>)");
    package->Save(dir_ / "written.pptx");
    package = Package::Open(dir_ / "written.pptx");
    package->RelationshipsOf("/a/lone.xml").Add("urn:shared", "/a/shared.xml");
    package->RelationshipsOf("/b/stray.xml").Add("urn:lone", "/a/lone.xml");
    package->Write("/c/_rels/ghost.xml.rels", "<Relationships/>");

    std::vector<std::string> removed = package->RemoveUnreachableParts();
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{"/a/lone.xml", "/a/two.bin", "/b/stray.xml"}));
    const std::filesystem::path saved = dir_ / "saved.pptx";
    package->Save(saved);
    EXPECT_EQ(testing::ZipNames(saved),
              (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels", "a/one.xml", "a/shared.xml",
                                        "a/_rels/one.xml.rels"}));
    EXPECT_EQ(Package::Open(saved)->Types().TypeOf("/a/lone.xml"), "application/xml") << "its override went too";
}

TEST_F(PackageSaveTest, UnreadableRelationshipsLeaveEveryPartInPlace)
{
    auto package = Package::Open(source_);
    package->Write("/a/_rels/one.xml.rels", "<Relationships");
    EXPECT_TRUE(package->RemoveUnreachableParts().empty());
    EXPECT_TRUE(package->Contains("/a/two.bin"));
}

TEST_F(PackageSaveTest, ChangedEntriesPackAtLeastAsTightlyAsTheStrongestZlibLevel)
{
    const std::string text = "<one>" + Repeated("<item>text text</item><other a=\"1\"/>", 3000) + "</one>";
    const std::filesystem::path tight = dir_ / "tight.pptx";
    WriteZip(tight, {{"[Content_Types].xml", kTypes}, {"a/one.xml", text}}, 9);
    auto package = Package::Open(tight);
    package->Write("/a/one.xml", text);
    package->Write("/a/tiny.bin", "ab");
    const std::filesystem::path saved = dir_ / "saved.pptx";
    package->Save(saved);
    EXPECT_LE(testing::ZipCompressedSize(saved, "a/one.xml"), testing::ZipCompressedSize(tight, "a/one.xml"));
    EXPECT_EQ(testing::ZipEntry(saved, "a/one.xml"), text);
    // Too small to gain from deflate: stored as it is.
    EXPECT_EQ(testing::ZipCompressedSize(saved, "a/tiny.bin"), 2u);
    EXPECT_EQ(testing::ZipEntry(saved, "a/tiny.bin"), "ab");
}

// Enough changed bytes to be packed on several threads, each entry whole and in its place.
TEST_F(PackageSaveTest, ManyChangedEntriesKeepTheirOrderAndContent)
{
    const auto content = [](int i) {
        return "<p n=\"" + std::to_string(i) + "\">" + Repeated("<r>" + std::to_string(i) + "</r>", 4000) + "</p>";
    };
    auto package = Package::Open(source_);
    for (int i = 1; i <= 64; ++i) {
        package->Write("/many/part" + std::to_string(i) + ".xml", content(i));
    }
    const std::filesystem::path saved = dir_ / "many.pptx";
    package->Save(saved);
    const auto names = testing::ZipNames(saved);
    ASSERT_EQ(names.size(), 4u + 64u);
    for (int i = 1; i <= 64; ++i) {
        EXPECT_EQ(names[3 + i], "many/part" + std::to_string(i) + ".xml");
        EXPECT_EQ(testing::ZipEntry(saved, names[3 + i]), content(i));
    }
    EXPECT_EQ(testing::ZipEntry(saved, "a/one.xml"), testing::ZipEntry(source_, "a/one.xml"));
}

// Parts are packed in the background as they are written: a save holds each
// part's last version however often it was written before and between saves,
// and a package closed unsaved does not wait on or trip over that packing.
TEST_F(PackageSaveTest, PartsWrittenAgainAreSavedInTheirLastVersion)
{
    const auto version = [](int part, int round) {
        return "<p n=\"" + std::to_string(part) + "\">" + Repeated("<r>" + std::to_string(round) + "</r>", 300) + "</p>";
    };
    const auto name = [](int part) { return "/parts/part" + std::to_string(part) + ".xml"; };
    auto package = Package::Open(source_);
    for (int round = 1; round <= 3; ++round) {
        for (int part = 1; part <= 150; ++part) {
            package->Write(name(part), version(part, round));
        }
    }
    const std::filesystem::path first = dir_ / "first.pptx";
    package->Save(first);
    for (int part = 1; part <= 150; part += 7) {
        package->Write(name(part), version(part, 4));
    }
    const std::filesystem::path second = dir_ / "second.pptx";
    package->Save(second);
    for (int part = 1; part <= 150; ++part) {
        EXPECT_EQ(testing::ZipEntry(first, name(part).substr(1)), version(part, 3));
        EXPECT_EQ(testing::ZipEntry(second, name(part).substr(1)), version(part, part % 7 == 1 ? 4 : 3));
    }

    auto unsaved = Package::Open(source_);
    for (int part = 1; part <= 150; ++part) {
        unsaved->Write(name(part), version(part, 5));
    }
    unsaved.reset();
}

TEST_F(PackageSaveTest, RefusesATargetAnotherProgramHasOpen)
{
    auto package = Package::Open(source_);
    package->Write("/a/new.xml", "<new/>");
    const std::string before = ReadFile(source_);
    WriteFile(dir_ / ".~lock.source.pptx#", ",someone,host,01.01.2024 10:00,someone;");
    ExpectRefused(source_, "lock", [&] { package->Save(source_); });
    EXPECT_EQ(ReadFile(source_), before);
    std::filesystem::remove(dir_ / ".~lock.source.pptx#");
    package->Save(source_);
    EXPECT_EQ(Package::Open(source_)->Read("/a/new.xml"), "<new/>");
}

// Two programs read the file, one saves: the other's save would undo that.
TEST_F(PackageSaveTest, RefusesToSaveOverAFileAnotherProgramSavedSinceItWasRead)
{
    auto first = Package::Open(source_);
    auto second = Package::Open(source_);
    second->Write("/a/theirs.xml", "<theirs/>");
    second->Save(source_);
    const std::string theirs = ReadFile(source_);

    first->Write("/a/ours.xml", "<ours/>");
    ExpectRefused(source_, "changed since it was read", [&] { first->Save(source_); });
    EXPECT_EQ(ReadFile(source_), theirs);
    first->Save(dir_ / "elsewhere.pptx");
    EXPECT_EQ(Package::Open(dir_ / "elsewhere.pptx")->Read("/a/ours.xml"), "<ours/>");
}

TEST_F(PackageSaveTest, SavesOverItsOwnFileAndAgain)
{
    auto package = Package::Open(source_);
    package->Write("/a/new.xml", "<new/>");
    package->Save(source_);
    package->Write("/a/newer.xml", "<newer/>");
    package->Save(source_);
    auto reopened = Package::Open(source_);
    EXPECT_EQ(reopened->Read("/a/new.xml"), "<new/>");
    EXPECT_EQ(reopened->Read("/a/newer.xml"), "<newer/>");
    EXPECT_NE(reopened->Read("/a/one.xml").find("<item>text text</item>"), std::string::npos);
}

TEST_F(PackageSaveTest, FailedSaveLeavesNothingBehind)
{
    auto package = Package::Open(source_);
    const std::filesystem::path folder = dir_ / "folder.pptx";
    std::filesystem::create_directory(folder);
    EXPECT_THROW(package->Save(folder), host::HostError);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_THROW(package->Save(dir_ / "no" / "such" / "folder.pptx"), host::HostError);

    // A save that breaks off halfway, as on a full disk: the file size limit
    // stops the write after its first bytes.
    std::string noise(1 << 20, '\0');
    std::uint32_t state = 1;
    for (char& c : noise) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    const std::filesystem::path big = dir_ / "big.pptx";
    WriteZip(big, {{"[Content_Types].xml", kTypes}, {"a/noise.bin", noise}, {"a/more.bin", noise}});
    auto doomed = Package::Open(big);
    const std::filesystem::path target = dir_ / "target.pptx";
    std::filesystem::copy_file(source_, target);
    const std::string before = ReadFile(target);
    {
        const FileSizeLimit limit(200);
        EXPECT_THROW(doomed->Save(target), host::HostError);
    }
    EXPECT_EQ(ReadFile(target), before);

    std::vector<std::string> left;
    for (const auto& item : std::filesystem::directory_iterator(dir_.path())) {
        left.push_back(item.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"big.pptx", "folder.pptx", "source.pptx", "target.pptx"}));
}

// Small parts are written in one pass, large ones measured first: both must
// come out as they went in, whatever side of the switch they fall on.
TEST(XmlTextTest, SerialisesSmallAndLargePartsAlike)
{
    for (const int elements : {1, 1000, 400000}) {
        const std::string text = "<r>" + Repeated("<a b=\"1 &amp; 2\">文字</a>", elements) + "</r>";
        EXPECT_EQ(SerialiseXml(ParseXml(text, "part")->document), text) << elements << " elements";
    }
}

// The fonts a picture export reports come from the trees the deck has parsed
// and from the stored bytes of the rest: together the same as a saved copy
// read afresh, and never the text of a tree changed since.
TEST(TypefacesTest, ADecksParsedTreesStandForTheirParts)
{
    TempDir dir;
    auto deck = parts::Deck::New();
    const unsigned slideId = deck->AddSlide(0, *deck->Layouts().front());
    auto slide = deck->Slide(slideId);
    auto face = slide->Root().append_child("a:latin").append_attribute("typeface");
    face = "Velmora Face";
    slide->Touch();
    deck->Save(dir / "copy.pptx");

    const std::vector<std::string> copied = TypefacesUsed(*Package::Open(dir / "copy.pptx"));
    EXPECT_EQ(deck->TypefacesUsed(), copied);
    EXPECT_NE(std::find(copied.begin(), copied.end(), "Velmora Face"), copied.end());
    EXPECT_GT(copied.size(), 1u) << "the theme's fonts are missing";

    face = "Second Face";
    const std::vector<std::string> changed = deck->TypefacesUsed();
    EXPECT_NE(std::find(changed.begin(), changed.end(), "Second Face"), changed.end());
    EXPECT_EQ(std::find(changed.begin(), changed.end(), "Velmora Face"), changed.end());
}

}  // namespace
}  // namespace velmora::pptx::package
