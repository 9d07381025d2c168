#include "doctools/PersonalMark.hpp"
#include "tests/doctools/DoctoolsFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

class PersonalMark : public DoctoolsTest {
protected:
    std::vector<std::string> Marks()
    {
        std::vector<std::string> marks;
        auto presentation = decks_.Open(deck());
        for (int i = 1; i <= presentation->Slides()->Count(); ++i) {
            marks.push_back(presentation->Slides()->Item(i)->Tags()->Item("OrvaldiVelmoraMark"));
        }
        return marks;
    }
};

TEST_F(PersonalMark, AddingMarksUnmarkedSlidesAndNeverOverwrites)
{
    decks_.Build(deck(), {{"1", "", 0, false, {{"OrvaldiVelmoraMark", "A"}}}, {"2", "", 0, false, {}},
                          {"3", "", 0, false, {}}, {"4", "", 0, false, {}}});
    auto run = Velmora({"run", "AddPersonalMark_Main", deck().string(), "--input", "B"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "已成功为3页幻灯片添加印记！\n");
    EXPECT_EQ(Marks(), (std::vector<std::string>{"A", "B", "B", "B"}));

    run = Velmora({"run", "AddPersonalMark_Main", deck().string(), "--input", "B"});
    EXPECT_EQ(run.out, std::string(kTitle) + "已成功为3页幻灯片添加印记！\n");
    EXPECT_EQ(Marks(), (std::vector<std::string>{"A", "B", "B", "B"}));
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 4);
}

TEST_F(PersonalMark, ReadingCountsExactMatchesOnly)
{
    decks_.Build(deck(), {{"1", "", 0, false, {{"OrvaldiVelmoraMark", "A"}}},
                          {"2", "", 0, false, {{"OrvaldiVelmoraMark", "A"}}},
                          {"3", "", 0, false, {{"OrvaldiVelmoraMark", "A"}}},
                          {"4", "", 0, false, {}}});
    auto run = Velmora({"run", "ReadPersonalMark_Main", deck().string(), "--input", "A"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "在此文档中检测到3页幻灯片包含您的私人印记信息\n基因相似度达到了75%\n");

    run = Velmora({"run", "ReadPersonalMark_Main", deck().string(), "--input", "a"});
    EXPECT_EQ(run.out, std::string(kTitle) + "在此文档中检测到0页幻灯片包含您的私人印记信息\n基因相似度达到了0%\n");
}

TEST_F(PersonalMark, TheEnteredMarkIsOfferedNextTime)
{
    decks_.BuildNumbered(deck(), 2);
    ASSERT_EQ(Velmora({"run", "AddPersonalMark_Main", deck().string(), "--input", "张三"}).status, 0);
    // No input queued: the box is cancelled, but its default shows in the transcript.
    const auto run = Velmora({"run", "ReadPersonalMark_Main", deck().string(), "--json"});
    EXPECT_NE(run.out.find("张三"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("确认错误！"), std::string::npos) << run.out;
}

TEST_F(PersonalMark, EmptyAnswersAndEmptyDecksAreRefused)
{
    decks_.BuildNumbered(deck(), 2);
    auto run = Velmora({"run", "AddPersonalMark_Main", deck().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "信息输入错误！\n");

    decks_.Build(deck("empty.pptx"), {});
    run = Velmora({"run", "ReadPersonalMark_Main", deck("empty.pptx").string(), "--input", "A"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "此文档中没有包含任何幻灯片！\n");
}

TEST(PersonalMarkPercent, HalvesGoUp)
{
    EXPECT_EQ(doctools::FormatPercent(1, 8), "13%");
    EXPECT_EQ(doctools::FormatPercent(3, 8), "38%");
    EXPECT_EQ(doctools::FormatPercent(1, 3), "33%");
    EXPECT_EQ(doctools::FormatPercent(2, 3), "67%");
    EXPECT_EQ(doctools::FormatPercent(0, 5), "0%");
    EXPECT_EQ(doctools::FormatPercent(5, 5), "100%");
}

}  // namespace
}  // namespace velmora::testing
