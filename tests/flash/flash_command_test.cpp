// Flash insertion through the velmora command, the dialog scripted as a
// user would work it, the saved deck read back part by part.
#include <algorithm>
#include <fstream>
#include <regex>

#include "host/Host.hpp"
#include "pptx/parts/FlashPlayer.hpp"
#include "tests/publish/CommandFixture.hpp"
#include "tests/support/ForeignParts.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/SwfFile.hpp"

namespace velmora::testing {
namespace {

constexpr const char* kInserted = "Flash已完成插入，播放幻灯片时可见";

void WriteFile(const std::filesystem::path& file, const std::string& content)
{
    std::ofstream(file, std::ios::binary) << content;
}

class FlashCommand : public CommandTest {
protected:
    ProcessResult Insert(const std::filesystem::path& file, const std::filesystem::path& movie,
                         std::vector<std::string> options = {})
    {
        std::vector<std::string> args{"run", "AddFlash_main", file.string(), "--select", "1", "--file", movie.string()};
        args.insert(args.end(), options.begin(), options.end());
        return Velmora(args);
    }

    // The Flash players of slide 1, last first.
    std::vector<host::Ref<host::Shape>> Players(const std::filesystem::path& file)
    {
        auto shapes = decks_.Open(file)->Slides()->Item(1)->Shapes();
        std::vector<host::Ref<host::Shape>> players;
        for (int i = shapes->Count(); i >= 1; --i) {
            if (shapes->Item(i)->Type() == host::ShapeType::OLEControlObject) {
                players.push_back(shapes->Item(i));
            }
        }
        return players;
    }

    std::vector<std::string> Pictures() const
    {
        std::vector<std::string> pictures;
        for (const auto& name : FileNames(dir_.path())) {
            if (name.size() > 4 && name.substr(name.size() - 4) == ".jpg") {
                pictures.push_back(name);
            }
        }
        return pictures;
    }
};

TEST_F(FlashCommand, DraggedPreviewLandsOnTheSlideWithTheMovieAndTheDeckStillOpens)
{
    BuildDeck(decks_, deck(), 3);
    const auto movie = WriteSwf(dir_ / "clips" / "intro.swf");
    FolderWatch watch(dir_.path());
    // The right handle 30 points on: 150 points of a 240-point picture.
    const auto run = Insert(deck(), movie, {"--drag", "Imgright=30,0", "--click", "CommandButton1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + kInserted + "\n");
    const auto players = Players(deck());
    ASSERT_EQ(players.size(), 1u);
    EXPECT_FLOAT_EQ(players[0]->Left(), 180);
    EXPECT_FLOAT_EQ(players[0]->Top(), 135);
    EXPECT_FLOAT_EQ(players[0]->Width(), 450);
    EXPECT_FLOAT_EQ(players[0]->Height(), 270);
    EXPECT_EQ(players[0]->OLEFormat()->ProgID(), "ShockwaveFlash.ShockwaveFlash.10");
    EXPECT_EQ(players[0]->OLEFormat()->Property("Movie"), movie.string());
    // The slide picture was made beside the deck (through a temporary name
    // of its own) and is gone again.
    const auto created = watch.Created();
    const std::regex picture(R"(^deck\d\d-\d\d-\d\d_\d\d-\d\d-\d\d[0-9.]{5}\.jpg$)");
    EXPECT_TRUE(std::any_of(created.begin(), created.end(),
                            [&](const std::string& name) { return std::regex_search(name, picture); }))
        << ::testing::PrintToString(created);
    EXPECT_TRUE(Pictures().empty());
    EXPECT_EQ(PackageFaults(deck()), std::vector<std::string>());
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 3);
}

TEST_F(FlashCommand, AnEmbeddedMovieTravelsInThePackageAndNothingElseChanges)
{
    BuildDeck(decks_, deck(), 2);
    const auto before = ReadBytes(deck());
    const auto movie = WriteSwf(dir_ / "intro.swf", 300);
    const auto run = Insert(deck(), movie, {"--set", "CheckBox1=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto players = Players(deck());
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0]->OLEFormat()->Property("EmbedMovie"), "true");

    const auto storage = ReadEntry(deck(), "ppt/activeX/activeX1.bin");
    ASSERT_TRUE(storage.has_value());
    EXPECT_EQ(pptx::parts::flash::EmbeddedMovie(*storage), ReadBytes(movie));

    // Every part the insertion had no business with is as it was.
    const TempDir original;
    const auto old = original / "old.pptx";
    WriteFile(old, before);
    for (const char* part : {"ppt/presentation.xml", "ppt/slides/slide2.xml", "ppt/slideLayouts/slideLayout1.xml",
                             "ppt/slideMasters/slideMaster1.xml", "ppt/theme/theme1.xml"}) {
        EXPECT_EQ(ReadEntry(deck(), part), ReadEntry(old, part)) << part;
    }
    EXPECT_EQ(PackageFaults(deck()), std::vector<std::string>());
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 2);
}

TEST_F(FlashCommand, ADeckWrittenByLibreOfficeTakesTheMovieAndStillOpens)
{
    BuildDeck(decks_, deck("ours.pptx"), 2, 960, 540);
    const auto converted = ConvertWithLibreOffice(deck("ours.pptx"), "pptx", dir_ / "theirs");
    ASSERT_TRUE(converted.has_value());
    const auto movie = WriteSwf(dir_ / "theirs" / "intro.swf", 100);
    const auto run = Insert(*converted, movie, {"--set", "OptionButton1=true", "--set", "CheckBox1=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto players = Players(*converted);
    ASSERT_EQ(players.size(), 1u);
    EXPECT_FLOAT_EQ(players[0]->Left(), 240);
    EXPECT_FLOAT_EQ(players[0]->Top(), 90);
    EXPECT_EQ(players[0]->OLEFormat()->Property("Movie"), "intro.swf");
    EXPECT_EQ(pptx::parts::flash::EmbeddedMovie(*ReadEntry(*converted, "ppt/activeX/activeX1.bin")), ReadBytes(movie));
    EXPECT_EQ(PackageFaults(*converted), std::vector<std::string>());
    EXPECT_EQ(SlidesSeenByLibreOffice(*converted), 2);
}

TEST_F(FlashCommand, RelativePathsOnlyForMoviesInsideThePresentationsFolder)
{
    std::filesystem::create_directories(dir_ / "talks");
    const auto talk = dir_ / "talks" / "a.pptx";
    BuildDeck(decks_, talk, 1);
    const auto inside = WriteSwf(dir_ / "talks" / "media" / "intro.swf");
    auto run = Insert(talk, inside, {"--set", "OptionButton1=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Players(talk).at(0)->OLEFormat()->Property("Movie"), "media/intro.swf");

    // A folder whose name merely starts with the presentation's folder name.
    const auto beside = WriteSwf(dir_ / "talksx" / "intro.swf");
    run = Insert(talk, beside, {"--set", "OptionButton1=true", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(R"("prompt":"Flash文件不在当前路径下，无法使用相对路径！\r本程序将自动使用绝对路径模式!")"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(R"("title":"错误")"), std::string::npos) << run.out;
    EXPECT_EQ(Players(talk).at(0)->OLEFormat()->Property("Movie"), beside.string());
    EXPECT_EQ(PackageFaults(talk), std::vector<std::string>());
    EXPECT_EQ(SlidesSeenByLibreOffice(talk), 1);
}

TEST_F(FlashCommand, EmbeddingIsRefusedOnTheOlderHostAndLocksThePathModeOnTheNewer)
{
    BuildDeck(decks_, deck(), 1);
    const auto movie = WriteSwf(dir_ / "intro.swf");
    auto run = Insert(deck(), movie, {"--host-version", "12.0", "--set", "CheckBox1=true", "--set", "OptionButton1=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "2007版不支持Flash真正嵌入！\n" + kTitle + kInserted + "\n");
    EXPECT_EQ(Players(deck()).at(0)->OLEFormat()->Property("EmbedMovie"), "");
    EXPECT_EQ(Players(deck()).at(0)->OLEFormat()->Property("Movie"), "intro.swf");
    EXPECT_EQ(PackageFaults(deck()), std::vector<std::string>());
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 1);

    run = Insert(deck(), movie, {"--set", "CheckBox1=true", "--set", "OptionButton1=true"});
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.err.find("OptionButton1"), std::string::npos) << run.err;
    EXPECT_TRUE(Pictures().empty());
}

TEST_F(FlashCommand, CancelAddsNothingAndLeavesNoPicture)
{
    BuildDeck(decks_, deck(), 1);
    const auto before = ReadBytes(deck());
    const auto run = Insert(deck(), WriteSwf(dir_ / "intro.swf"), {"--click", "CommandButton2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(deck()), before);
    EXPECT_TRUE(Pictures().empty());
}

// The movie goes on the one selected slide: without it, the command says so
// before it asks for anything.
TEST_F(FlashCommand, WithoutOneSelectedSlideNothingIsAskedAndTheOptionIsNamed)
{
    BuildDeck(decks_, deck(), 2);
    const auto before = ReadBytes(deck());
    const auto movie = WriteSwf(dir_ / "intro.swf");
    for (const std::vector<std::string>& selection : {std::vector<std::string>{}, {"--select", "1,2"}}) {
        std::vector<std::string> args{"run", "AddFlash_main", deck().string(), "--file", movie.string(), "--json"};
        args.insert(args.end(), selection.begin(), selection.end());
        const auto run = Velmora(args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find("幻灯片"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("--select N"), std::string::npos) << run.err;
        EXPECT_NE(run.out.find(R"("messages":[])"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(R"("files":[])"), std::string::npos) << run.out;
    }
    EXPECT_EQ(ReadBytes(deck()), before);
    EXPECT_TRUE(Pictures().empty());
}

TEST_F(FlashCommand, RefusalsComeBeforeTheDialog)
{
    BuildDeck(decks_, deck(), 1);
    BuildDeck(decks_, deck("empty.pptx"), 0);
    WriteFile(dir_ / "fake.swf", "GIF89a, not a movie");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"run", "AddFlash_main", deck("empty.pptx").string(), "--unsaved"}, "此文档中没有包含任何幻灯片！"},
        {{"run", "AddFlash_main", deck().string(), "--select", "1"}, "没有选择文件!"},
        {{"run", "AddFlash_main", deck().string(), "--select", "1", "--file", (dir_ / "fake.swf").string()},
         "所选文件不是有效的Flash动画(.swf)文件，无法插入！"},
        {{"run", "AddFlash_main", deck().string(), "--select", "1", "--file", (dir_ / "missing.swf").string()},
         "所选文件不是有效的Flash动画(.swf)文件，无法插入！"},
        {{"run", "AddFlash_main", deck().string(), "--select", "1", "--unsaved", "--file", (dir_ / "fake.swf").string()},
         "此演示文档还未曾保存过，请先进行保存再继续操作"},
    };
    for (const Case& c : cases) {
        const auto run = Velmora(c.args);
        EXPECT_EQ(run.status, 1) << c.message << run.err;
        EXPECT_EQ(run.out, std::string(kTitle) + c.message + "\n");
    }
    EXPECT_TRUE(Pictures().empty());
    EXPECT_TRUE(Players(deck()).empty());
}

TEST_F(FlashCommand, ASlidePictureThatCannotBeMadeEndsWithAMessageAndNoLeftovers)
{
    BuildDeck(decks_, deck(), 1);
    const auto movie = WriteSwf(dir_ / "intro.swf");
    // No LibreOffice to be found: the slide cannot be drawn.
    const auto run = RunProcess({VELMORA_BIN, "run", "AddFlash_main", deck().string(), "--select", "1", "--file",
                                 movie.string()},
                                std::chrono::seconds(120), {{"PATH", dir_.path().string()}});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "无法生成当前幻灯片的预览图片，未能插入Flash！\n");
    EXPECT_TRUE(Pictures().empty());
    EXPECT_TRUE(Players(deck()).empty());
}

// Runs in `folder` for its life, as a user who types paths relative to it.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder) : old_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(old_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path old_;
};

// Paths typed relative to the working folder, with "." and ".." in them,
// reach the player as the full paths of the files they name.
TEST_F(FlashCommand, TypedPathsAreTakenAsTheFullPathsOfTheirFiles)
{
    std::filesystem::create_directories(dir_ / "out" / "f");
    std::filesystem::create_directories(dir_ / "out" / "rel");
    BuildDeck(decks_, dir_ / "out" / "f" / "a.pptx", 2);
    BuildDeck(decks_, dir_ / "out" / "rel" / "a.pptx", 2);
    const auto plain = WriteSwf(dir_ / "swf" / "plain.swf", 120);
    WriteSwf(dir_ / "out" / "rel" / "media" / "intro.swf");
    const WorkingFolder here(dir_.path());

    auto run = Insert("out/f/a.pptx", "swf/plain.swf");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Players(dir_ / "out" / "f" / "a.pptx").at(0)->OLEFormat()->Property("Movie"), plain.string());
    run = Insert("out/f/a.pptx", "./swf/../swf/plain.swf", {"--set", "CheckBox1=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto storage = ReadEntry(dir_ / "out" / "f" / "a.pptx", "ppt/activeX/activeX2.bin");
    ASSERT_TRUE(storage.has_value());
    EXPECT_EQ(pptx::parts::flash::EmbeddedMovie(*storage), ReadBytes(plain));

    run = Insert("./out/rel/a.pptx", "out/./rel/media/intro.swf", {"--set", "OptionButton1=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + kInserted + "\n");
    EXPECT_EQ(Players(dir_ / "out" / "rel" / "a.pptx").at(0)->OLEFormat()->Property("Movie"), "media/intro.swf");

    for (const char* folder : {"f", "rel"}) {
        const auto saved = dir_ / "out" / folder / "a.pptx";
        EXPECT_EQ(PackageFaults(saved), std::vector<std::string>()) << folder;
        EXPECT_EQ(SlidesSeenByLibreOffice(saved), 2) << folder;
    }
}

// The picture of a control as the program wraps it in its drawing.
std::string ProgramBlock(const std::string& relationshipId)
{
    return "<![if gte mso 9]><v:imagedata o:relid=\"" + relationshipId + "\" o:title=\"\"/>\r\n  <![endif]>";
}

// A slide that already holds a control of the presentation program, its
// drawing as the program writes it (conditional blocks, an id map, quotes
// and lines of its own), its parts named by absolute targets. Returns the
// drawing's conditional block.
std::string PutProgramControl(const std::filesystem::path& deck)
{
    const std::string base = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string slidePart = "ppt/slides/slide1.xml";
    AddPicture(deck, 1, "control1.png", true);
    const std::string pictureId = Relate(deck, slidePart, base + "image", "ppt/media/control1.png", true);
    const std::string controlId = AddRelatedPart(
        deck, slidePart, base + "control", "ppt/activeX/activeX1.xml", "application/vnd.ms-office.activeX+xml",
        R"(<ax:ocx xmlns:ax="http://schemas.microsoft.com/office/2006/activeX" )"
        R"(ax:classid="{6BF52A52-394A-11D3-B153-00C04F79FAA6}" ax:persistence="persistPropertyBag">)"
        "\r\n  <ax:ocxPr ax:name=\"URL\" ax:value=\"clip.wmv\"/>\r\n</ax:ocx>",
        true);
    std::string slide = *ReadEntry(deck, slidePart);
    slide.insert(slide.find("</p:cSld>"),
                 R"(<p:controls><mc:AlternateContent xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006">)"
                 R"(<mc:Choice xmlns:v="urn:schemas-microsoft-com:vml" Requires="v">)"
                 R"(<p:control spid="_x0000_s1025" name="WindowsMediaPlayer1" r:id=")" + controlId +
                 R"(" imgW="1270000" imgH="1270000"/></mc:Choice><mc:Fallback>)"
                 R"(<p:control name="WindowsMediaPlayer1" r:id=")" + controlId +
                 R"(" imgW="1270000" imgH="1270000"><p:pic><p:nvPicPr><p:cNvPr id="90" name="WindowsMediaPlayer1"/>)"
                 R"(<p:cNvPicPr/><p:nvPr/></p:nvPicPr><p:blipFill><a:blip r:embed=")" + pictureId +
                 R"("/></p:blipFill><p:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="1270000" cy="1270000"/></a:xfrm>)"
                 R"(</p:spPr></p:pic></p:control></mc:Fallback></mc:AlternateContent></p:controls>)");
    WriteEntry(deck, slidePart, slide);
    const std::string drawingPart = "ppt/drawings/vmlDrawing1.vml";
    const std::string block = ProgramBlock(Relate(deck, drawingPart, base + "image", "ppt/media/control1.png"));
    const std::string drawing =
        "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\"\r\n xmlns:o=\"urn:schemas-microsoft-com:office:office\"\r\n"
        " xmlns:p=\"urn:schemas-microsoft-com:office:powerpoint\">\r\n"
        " <o:shapelayout v:ext=\"edit\">\r\n  <o:idmap v:ext=\"edit\" data=\"1\"/>\r\n </o:shapelayout>"
        "<v:shapetype id=\"_x0000_t201\" coordsize=\"21600,21600\" o:spt=\"201\"\r\n"
        "  path=\"m,l,21600r21600,l21600,xe\">\r\n  <v:stroke joinstyle=\"miter\"/>\r\n"
        "  <o:lock v:ext=\"edit\" shapetype=\"t\"/>\r\n </v:shapetype>"
        "<v:shape id=\"_x0000_s1025\" type=\"#_x0000_t201\" style='position:absolute;\r\n"
        "  left:0;text-align:left;margin-left:0;margin-top:0;width:100pt;\r\n"
        "  height:100pt;z-index:1' filled=\"f\" stroked=\"f\">\r\n  " +
        block + "</v:shape></xml>";
    AddRelatedPart(deck, slidePart, base + "vmlDrawing", drawingPart,
                   "application/vnd.openxmlformats-officedocument.vmlDrawing", drawing, true);
    return block;
}

TEST_F(FlashCommand, ASlideWithTheProgramsOwnControlTakesTheMovieBesideIt)
{
    BuildDeck(decks_, deck(), 2);
    const std::string block = PutProgramControl(deck());
    ASSERT_EQ(PackageFaults(deck()), std::vector<std::string>());
    const auto movie = WriteSwf(dir_ / "intro.swf");
    const auto run = Insert(deck(), movie);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + kInserted + "\n");

    const auto players = Players(deck());
    ASSERT_EQ(players.size(), 2u);
    EXPECT_EQ(players[0]->OLEFormat()->Property("Movie"), movie.string());
    const std::string drawing = *ReadEntry(deck(), "ppt/drawings/vmlDrawing1.vml");
    EXPECT_NE(drawing.find(block + "</v:shape>"), std::string::npos) << drawing;
    EXPECT_NE(drawing.find(R"(<v:shape id="_x0000_s1026")"), std::string::npos) << drawing;
    EXPECT_EQ(PackageFaults(deck()), std::vector<std::string>());
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 2);
}

}  // namespace
}  // namespace velmora::testing
