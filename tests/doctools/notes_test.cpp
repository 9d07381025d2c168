#include <fstream>
#include <regex>
#include <sstream>

#include <pugixml.hpp>

#include "doctools/Notes.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "platform/TextEncoding.hpp"
#include "tests/doctools/DoctoolsFixture.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

using NotesExport = DoctoolsTest;

// Notes pages as another writer lays them out: the notes body placeholder
// first, the slide picture after it; whitespace between all elements.
void PutNotesBodyFirst(const std::filesystem::path& file)
{
    for (const std::string& name : EntryNames(file)) {
        if (!name.starts_with("ppt/notesSlides/") || !name.ends_with(".xml")) {
            continue;
        }
        pugi::xml_document notes;
        ASSERT_TRUE(notes.load_string(ReadEntry(file, name)->c_str()));
        const auto body = notes.select_node("//p:sp[p:nvSpPr/p:nvPr/p:ph/@type='body']").node();
        const auto picture = notes.select_node("//p:sp[p:nvSpPr/p:nvPr/p:ph/@type='sldImg']").node();
        ASSERT_TRUE(body && picture) << name;
        body.parent().insert_move_before(body, picture);
        std::ostringstream xml;
        notes.save(xml, "", pugi::format_raw);
        WriteEntry(file, name, xml.str());
    }
    PrettyPrintXml(file);
}

// The notes file's lines, decoded; every line must end in CR LF.
std::vector<std::string> Lines(const std::string& bytes)
{
    const std::string text = platform::FromAnsi(bytes);
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST_F(NotesExport, WritesEveryParagraphUnderItsSlideInAnsiWithCrLf)
{
    decks_.Build(deck("报告.pptx"), {{"一", "", 0, false, {}},
                                     {"二", "第一段\r\r第三段", 0, false, {}},
                                     {"三", "换行\v之后", 0, false, {}}});

    const auto run = Velmora({"run", "ExportComment_All_Main", deck("报告.pptx").string()});
    ASSERT_EQ(run.status, 0) << run.err;

    const auto files = FilesStartingWith("报告-导出备注_");
    ASSERT_EQ(files.size(), 1u);
    const std::string name = files.front().filename().string();
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(报告-导出备注_\d\d-\d\d-\d\d_\d\d-\d\d-\d\d\.txt)"))) << name;
    EXPECT_EQ(run.out, std::string(kTitle) + "所有备注信息已导出!\n已保存在当前路径下的以下文件中：\n" + name + "\n");

    const std::string bytes = ReadBytes(files.front());
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("\xB5\xDA\xD2\xBB\xB6\xCE"), std::string::npos) << "第一段 in GB18030";
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(VelmoraV2\.0-导出备注，创建于\d{4}年\d\d月\d\d日\d\d:\d\d:\d\d)")))
        << lines[0];
    const std::vector<std::string> rest(lines.begin() + 1, lines.end());
    EXPECT_EQ(rest, (std::vector<std::string>{"", "Slide1:", "", "Slide2:", "第一段", "", "第三段", "", "Slide3:",
                                              "换行\v之后"}));
}

TEST_F(NotesExport, ALineFeedInsideARunEndsALineWithCrLf)
{
    decks_.BuildNumbered(deck(), 2);
    const std::string name = "ppt/notesSlides/notesSlide1.xml";
    std::string notes = ReadEntry(deck(), name).value();
    const auto at = notes.find("<a:t>N1</a:t>");
    ASSERT_NE(at, std::string::npos);
    notes.replace(at, 13, "<a:t>第一行\n第二行</a:t>");
    WriteEntry(deck(), name, notes);
    PutNotesBodyFirst(deck());

    const auto run = Velmora({"run", "ExportComment_All_Main", deck().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto files = FilesStartingWith("deck-导出备注_");
    ASSERT_EQ(files.size(), 1u);
    const auto lines = Lines(ReadBytes(files.front()));
    const std::vector<std::string> rest(lines.begin() + 1, lines.end());
    EXPECT_EQ(rest, (std::vector<std::string>{"", "Slide1:", "第一行", "第二行", "", "Slide2:", "N2"}));
}

TEST_F(NotesExport, SelectionIsWrittenFromTheLastItemLabelledByPosition)
{
    decks_.BuildNumbered(deck(), 7);
    const auto run = Velmora({"run", "ExportComment_Select_Main", deck().string(), "--select", "5,2,7"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("当前选定幻灯片的备注信息已导出!"), std::string::npos);

    const auto files = FilesStartingWith("deck-导出备注_");
    ASSERT_EQ(files.size(), 1u);
    const auto lines = Lines(ReadBytes(files.front()));
    const std::vector<std::string> rest(lines.begin() + 1, lines.end());
    EXPECT_EQ(rest, (std::vector<std::string>{"", "Slide7:", "N7", "", "Slide2:", "N2", "", "Slide5:", "N5"}));
}

TEST_F(NotesExport, PreconditionsComeInEachCommandsOrder)
{
    decks_.Build(deck(), {});
    auto run = Velmora({"run", "ExportComment_All_Main", deck().string(), "--unsaved"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "此文档中没有包含任何幻灯片！\n");

    decks_.BuildNumbered(deck("two.pptx"), 2);
    run = Velmora({"run", "ExportComment_Select_Main", deck("two.pptx").string(), "--unsaved"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "没有选定任何幻灯片！\n");

    run = Velmora({"run", "ExportComment_Select_Main", deck("two.pptx").string(), "--unsaved", "--select", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "此演示文档还未曾保存过，请先进行保存再继续操作\n");
    EXPECT_TRUE(FilesStartingWith("two-导出备注").empty());
}

TEST_F(NotesExport, AFolderThatCannotBeWrittenEndsWithAClearErrorAndNoFile)
{
    const auto folder = dir_ / "talks";
    std::filesystem::create_directory(folder);
    decks_.BuildNumbered(folder / "deck.pptx", 2);
    const std::string before = ReadBytes(folder / "deck.pptx");

    std::ostringstream messages;
    host::Services services;
    services.prompts = std::make_shared<platform::ScriptedPrompts>(messages);
    services.clock = std::make_shared<platform::SystemClock>();
    auto presentation = decks_.OpenInWindow(folder / "deck.pptx");
    // The presentation's folder turns into a file: not writable, even by root.
    std::filesystem::rename(folder, dir_ / "moved");
    { std::ofstream blocker(folder); }
    EXPECT_THROW(doctools::ExportComment_All_Main(decks_.app(), services), host::HostError);
    EXPECT_EQ(ReadBytes(dir_ / "moved" / "deck.pptx"), before);
}

using NotesDeletion = DoctoolsTest;

TEST_F(NotesDeletion, ClearsAllSlidesEvenOfAnUnsavedPresentation)
{
    decks_.BuildNumbered(deck(), 3);
    const auto run = Velmora({"run", "DeleteComment_All_Main", deck().string(), "--unsaved", "-o",
                              deck("out.pptx").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "所有备注信息已删除!\n");
    auto out = decks_.Open(deck("out.pptx"));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(DeckHost::Notes(*out->Slides()->Item(i)), "");
    }
}

TEST_F(NotesDeletion, FindsTheNotesBodyByTypeWhereverItStands)
{
    decks_.BuildNumbered(deck(), 2);
    PutNotesBodyFirst(deck());
    const auto run = Velmora({"run", "DeleteComment_All_Main", deck().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "所有备注信息已删除!\n");
    for (const std::string name : {"ppt/notesSlides/notesSlide1.xml", "ppt/notesSlides/notesSlide2.xml"}) {
        pugi::xml_document notes;
        ASSERT_TRUE(notes.load_string(ReadEntry(deck(), name)->c_str()));
        EXPECT_TRUE(notes.select_nodes("//a:t[string-length(normalize-space()) > 0]").empty()) << name;
        EXPECT_FALSE(notes.select_node("//p:sp[p:nvSpPr/p:nvPr/p:ph/@type='sldImg']/p:txBody")) << name;
    }
}

TEST_F(NotesDeletion, ClearsOnlyTheSelectedSlides)
{
    decks_.BuildNumbered(deck(), 4);
    const auto run = Velmora({"run", "DeleteComment_Select_Main", deck().string(), "--select", "3,2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "当前选定幻灯片的备注信息已删除！\n");
    auto saved = decks_.Open(deck());
    EXPECT_EQ(DeckHost::Notes(*saved->Slides()->Item(1)), "N1");
    EXPECT_EQ(DeckHost::Notes(*saved->Slides()->Item(2)), "");
    EXPECT_EQ(DeckHost::Notes(*saved->Slides()->Item(3)), "");
    EXPECT_EQ(DeckHost::Notes(*saved->Slides()->Item(4)), "N4");
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 4);
}

}  // namespace
}  // namespace velmora::testing
