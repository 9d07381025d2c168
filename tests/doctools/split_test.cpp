#include "tests/doctools/DoctoolsFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

using Titles = std::vector<std::string>;

class DocumentSplit : public DoctoolsTest {
protected:
    Titles TitlesOf(const std::filesystem::path& file) { return DeckHost::Titles(*decks_.Open(file)); }
    std::filesystem::path copy() const { return deck("deck-拆分文档.pptx"); }

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
