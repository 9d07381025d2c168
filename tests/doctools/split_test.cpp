#include <set>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "tests/doctools/DoctoolsFixture.hpp"
#include "tests/support/ForeignParts.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

using Titles = std::vector<std::string>;
using Entries = std::set<std::string>;

// The entries a package holds besides its content types and relationships.
Entries Parts(const std::filesystem::path& file)
{
    Entries parts;
    for (const std::string& name : EntryNames(file)) {
        if (name != "[Content_Types].xml" && !name.ends_with(".rels")) {
            parts.insert(name);
        }
    }
    return parts;
}

// The parts some chain of relationships reaches from the package's own.
Entries Reachable(const std::filesystem::path& file)
{
    Entries reached;
    std::vector<std::string> pending{""};
    while (!pending.empty()) {
        const std::string from = pending.back();
        pending.pop_back();
        for (const std::string& to : RelatedEntries(file, from)) {
            if (reached.insert(to).second) {
                pending.push_back(to);
            }
        }
    }
    return reached;
}

// Parts named in the content types' overrides.
Entries Overridden(const std::filesystem::path& file)
{
    pugi::xml_document types;
    EXPECT_TRUE(types.load_string(ReadEntry(file, "[Content_Types].xml").value().c_str()));
    Entries named;
    for (auto override : types.document_element().children("Override")) {
        named.insert(std::string(override.attribute("PartName").value()).substr(1));
    }
    return named;
}

bool Holds(const Entries& parts, const std::string& part)
{
    return parts.count(part) == 1;
}

class DocumentSplit : public DoctoolsTest {
protected:
    Titles TitlesOf(const std::filesystem::path& file) { return DeckHost::Titles(*decks_.Open(file)); }
    std::filesystem::path copy() const { return deck("deck-拆分文档.pptx"); }

    // Four slides as another program leaves them, whitespace between all
    // elements: slide 1 a picture it shares with slide 3 and a chart; slide 2
    // a chart, a diagram and a video; slide 3 the shared picture (through an
    // absolute target) and one of its own; slide 4 nothing more.
    void BuildRichDeck()
    {
        decks_.BuildNumbered(deck(), 4);
        AddPicture(deck(), 1, "shared.png");
        AddChart(deck(), 1, 1);
        AddChart(deck(), 2, 2);
        AddDiagram(deck(), 2, 1);
        AddVideo(deck(), 2, 1);
        AddPicture(deck(), 3, "shared.png", true);
        AddPicture(deck(), 3, "own.png");
        PrettyPrintXml(deck());
    }

    // Exactly the reachable parts stay, each with its content type.
    static void ExpectOnlyReachableParts(const std::filesystem::path& file)
    {
        const Entries parts = Parts(file);
        EXPECT_EQ(parts, Reachable(file)) << file;
        for (const std::string& named : Overridden(file)) {
            EXPECT_TRUE(Holds(parts, named) || named.ends_with(".rels")) << named << " is typed but missing";
        }
    }

    static Titles Range(int from, int to)
    {
        Titles titles;
        for (int i = from; i <= to; ++i) {
            titles.push_back(std::to_string(i));
        }
        return titles;
    }
};

TEST_F(DocumentSplit, FromSlideFourCopiesTheRestAndNoRemovesThemFromTheSource)
{
    decks_.BuildNumbered(deck(), 10);
    const auto run = Velmora({"run", "SplitDoc_fromhere_Main", deck().string(), "--slide", "4", "--answer", "no"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "拆分后是否在原文档中保留？保留(Yes) 不保留(No):\n" + kTitle +
                           "拆分文档已保存在当前路径下的以下文件中：\ndeck-拆分文档.pptx\n");
    EXPECT_EQ(TitlesOf(copy()), Range(4, 10));
    EXPECT_EQ(TitlesOf(deck()), Range(1, 3));
    EXPECT_EQ(SlidesSeenByLibreOffice(copy()), 7);
}

TEST_F(DocumentSplit, YesKeepsTheSourceAsItWas)
{
    decks_.BuildNumbered(deck(), 10);
    const std::string before = ReadBytes(deck());
    const auto run = Velmora({"run", "SplitDoc_fromhere_Main", deck().string(), "--slide", "4", "--answer", "yes"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TitlesOf(copy()), Range(4, 10));
    EXPECT_EQ(ReadBytes(deck()), before);
}

TEST_F(DocumentSplit, FromSlideOneCopiesEverythingAndNoEmptiesTheSource)
{
    decks_.BuildNumbered(deck(), 3);
    const auto run = Velmora({"run", "SplitDoc_fromhere_Main", deck().string(), "--answer", "no", "-o",
                              deck("rest.pptx").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TitlesOf(copy()), Range(1, 3));
    EXPECT_TRUE(TitlesOf(deck("rest.pptx")).empty());
}

TEST_F(DocumentSplit, ExtractsSelectedSlidesInSourceOrderAndTagsBothFiles)
{
    decks_.BuildNumbered(deck(), 6);
    const auto run = Velmora({"run", "SplitDoc_selection_Main", deck().string(), "--select", "5,2", "--answer", "no"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "提取后是否在原文档中保留？保留(Yes) 不保留(No):\n" + kTitle +
                           "拆分文档已保存在当前路径下的以下文件中：\ndeck-拆分文档.pptx\n");
    EXPECT_EQ(TitlesOf(copy()), (Titles{"2", "5"}));
    EXPECT_EQ(TitlesOf(deck()), (Titles{"1", "3", "4", "6"}));
    for (const auto& file : {copy(), deck()}) {
        auto presentation = decks_.Open(file);
        for (int i = 1; i <= presentation->Slides()->Count(); ++i) {
            const std::string tag = presentation->Slides()->Item(i)->Tags()->Item("SELECTED");
            EXPECT_TRUE(tag == "True" || tag == "False") << file << " slide " << i << ": " << tag;
        }
    }
    EXPECT_EQ(SlidesSeenByLibreOffice(copy()), 2);
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 4);
}

TEST_F(DocumentSplit, ExtractingLeavesOutEveryPartOnlyTheOtherSlidesUse)
{
    BuildRichDeck();
    const auto run = Velmora({"run", "SplitDoc_selection_Main", deck().string(), "--select", "1,4", "--answer", "no"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(TitlesOf(copy()), (Titles{"1", "4"}));
    ASSERT_EQ(TitlesOf(deck()), (Titles{"2", "3"}));

    const Entries extracted = Parts(copy());
    for (const char* kept : {"ppt/media/shared.png", "ppt/charts/chart1.xml", "ppt/embeddings/workbook1.xlsx"}) {
        EXPECT_TRUE(Holds(extracted, kept)) << kept;
    }
    for (const char* left : {"ppt/charts/chart2.xml", "ppt/embeddings/workbook2.xlsx", "ppt/diagrams/data1.xml",
                             "ppt/diagrams/drawing1.xml", "ppt/media/video1.mp4", "ppt/media/poster1.png",
                             "ppt/media/own.png", "ppt/slides/slide2.xml", "ppt/notesSlides/notesSlide2.xml"}) {
        EXPECT_FALSE(Holds(extracted, left)) << left;
    }
    EXPECT_EQ(RelatedEntries(copy(), "ppt/charts/chart1.xml"), std::vector<std::string>{"ppt/embeddings/workbook1.xlsx"})
        << "the kept chart still finds its workbook";

    const Entries trimmed = Parts(deck());
    for (const char* kept : {"ppt/media/shared.png", "ppt/media/own.png", "ppt/charts/chart2.xml",
                             "ppt/embeddings/workbook2.xlsx", "ppt/diagrams/colors1.xml", "ppt/media/video1.mp4"}) {
        EXPECT_TRUE(Holds(trimmed, kept)) << kept;
    }
    EXPECT_FALSE(Holds(trimmed, "ppt/charts/chart1.xml"));
    EXPECT_FALSE(Holds(trimmed, "ppt/embeddings/workbook1.xlsx"));

    ExpectOnlyReachableParts(copy());
    ExpectOnlyReachableParts(deck());
    EXPECT_EQ(SlidesSeenByLibreOffice(copy()), 2);
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 2);
}

TEST_F(DocumentSplit, SplittingAtASlideKeepsThePicturesBothHalvesShare)
{
    BuildRichDeck();
    const auto run = Velmora({"run", "SplitDoc_fromhere_Main", deck().string(), "--slide", "3", "--answer", "no"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(TitlesOf(copy()), Range(3, 4));
    const Entries copied = Parts(copy());
    EXPECT_TRUE(Holds(copied, "ppt/media/shared.png"));
    EXPECT_TRUE(Holds(copied, "ppt/media/own.png"));
    EXPECT_FALSE(Holds(copied, "ppt/charts/chart1.xml"));
    EXPECT_FALSE(Holds(copied, "ppt/diagrams/layout1.xml"));
    const Entries rest = Parts(deck());
    EXPECT_TRUE(Holds(rest, "ppt/media/shared.png"));
    EXPECT_FALSE(Holds(rest, "ppt/media/own.png"));
    ExpectOnlyReachableParts(copy());
    ExpectOnlyReachableParts(deck());
}

TEST_F(DocumentSplit, ANameWithItsBaseInTheExtensionKeepsTheExtension)
{
    decks_.BuildNumbered(deck("p.pptx"), 2);
    const auto run = Velmora({"run", "SplitDoc_fromhere_Main", deck("p.pptx").string(), "--answer", "yes"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(deck("p-拆分文档.pptx")));
}

TEST_F(DocumentSplit, PreconditionsAreTestedInOrder)
{
    decks_.BuildNumbered(deck(), 2);
    auto run = Velmora({"run", "SplitDoc_fromhere_Main", deck().string(), "--unsaved"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "此演示文档还未曾保存过，请先进行保存再继续操作\n");

    run = Velmora({"run", "SplitDoc_selection_Main", deck().string(), "--unsaved"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "没有选定任何幻灯片！\n");

    decks_.Build(deck("empty.pptx"), {});
    run = Velmora({"run", "SplitDoc_fromhere_Main", deck("empty.pptx").string(), "--unsaved"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "此文档中没有包含任何幻灯片！\n");
}

TEST_F(DocumentSplit, ATargetThatCannotBeCreatedLeavesTheSourceAlone)
{
    decks_.BuildNumbered(deck(), 4);
    const std::string before = ReadBytes(deck());
    std::filesystem::create_directory(copy());
    const auto run = Velmora({"run", "SplitDoc_selection_Main", deck().string(), "--select", "2", "--answer", "no"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("deck-拆分文档.pptx"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(deck()), before);
}

}  // namespace
}  // namespace velmora::testing
