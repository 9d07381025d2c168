// The montage through the velmora command, on decks LibreOffice wrote.
#include <array>
#include <fstream>
#include <memory>
#include <optional>

#include <vips/vips8>

#include "host/SettingsStore.hpp"
#include "tests/publish/CommandFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

constexpr int W = 720;
constexpr int H = 540;
// 24 of these in a row or a column are longer than 16,384 pixels.
constexpr int kLargeWidth = 960;
constexpr int kLargeHeight = 720;
constexpr const char* kSection = "Settings-CombinPic";

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Slide k is filled with its own colour, at least 50 apart from any other's.
Rgb SlideColour(int k)
{
    const int i = k - 1;
    return {20 + 50 * (i % 5), 20 + 50 * (i / 5 % 5), 128};
}

host::Color Packed(Rgb c)
{
    return c.r + 256 * c.g + 65536 * c.b;
}

// A watermark picture of one colour, 120 x 40 as the montage draws it.
std::filesystem::path WriteMark(const std::filesystem::path& file, Rgb colour)
{
    vips::VImage::black(120, 40, vips::VImage::option()->set("bands", 3))
        .new_from_image({static_cast<double>(colour.r), static_cast<double>(colour.g), static_cast<double>(colour.b)})
        .write_to_file(file.c_str());
    return file;
}

std::filesystem::path BuildColourDeck(DeckHost& decks, const std::filesystem::path& folder, int count, int width = W,
                                      int height = H)
{
    auto presentation = decks.app().Presentations()->Add(false);
    presentation->PageSetup()->SetSlideWidth(static_cast<float>(width));
    presentation->PageSetup()->SetSlideHeight(static_cast<float>(height));
    for (int k = 1; k <= count; ++k) {
        auto slide = presentation->Slides()->Add(k, host::SlideLayout::Blank);
        auto fill = slide->Shapes()->AddShape(host::AutoShapeType::Rectangle, 0, 0, static_cast<float>(width),
                                              static_cast<float>(height));
        fill->Fill()->ForeColor()->SetRGB(Packed(SlideColour(k)));
        fill->Line()->SetVisible(host::TriState::False);
    }
    const auto ours = folder / ("ours" + std::to_string(count) + "-" + std::to_string(width) + ".pptx");
    presentation->SaveAs(ours, host::SaveFormat::Presentation);
    presentation->Close();
    const auto converted = ConvertWithLibreOffice(ours, "pptx", folder / std::to_string(count));
    return converted.value_or(std::filesystem::path());
}

class MontageCommand : public CommandTest {
protected:
    // Written once by LibreOffice for the whole suite: 6 and 25 slides.
    static void SetUpTestSuite()
    {
        ASSERT_EQ(VIPS_INIT("velmora-montage-tests"), 0);
        decks_folder_ = std::make_unique<TempDir>();
        DeckHost decks;
        six_ = BuildColourDeck(decks, decks_folder_->path(), 6);
        many_ = BuildColourDeck(decks, decks_folder_->path(), 25);
        large_ = BuildColourDeck(decks, decks_folder_->path(), 24, kLargeWidth, kLargeHeight);
    }
    static void TearDownTestSuite() { decks_folder_.reset(); }

    void SetUp() override
    {
        CommandTest::SetUp();
        ASSERT_FALSE(six_.empty() || many_.empty() || large_.empty()) << "LibreOffice could not write the test decks";
    }

    void UseDeck(const std::filesystem::path& source) const
    {
        std::filesystem::copy_file(source, deck(), std::filesystem::copy_options::overwrite_existing);
    }

    ProcessResult Montage(std::vector<std::string> script) const
    {
        std::vector<std::string> args{"run", "CombinPic_main", deck().string()};
        args.insert(args.end(), script.begin(), script.end());
        return Velmora(args);
    }

    std::filesystem::path output(const char* format = "JPG") const { return deck(std::string("deck-拼图.") + format); }

    std::string Stored(const char* key) const { return settings_.GetSetting(host::kAppName, kSection, key, "(none)"); }

    // Nothing named "tmp..." is left beside the deck.
    void ExpectNoTemporaries() const
    {
        for (const auto& name : FileNames(dir_.path())) {
            EXPECT_NE(name.rfind("tmp", 0), 0u) << name << " was left behind";
        }
    }

    // Read afresh each time: libvips would keep an earlier file of the same name.
    static vips::VImage Load(const std::filesystem::path& picture)
    {
        const std::string bytes = ReadBytes(picture);
        return vips::VImage::new_from_buffer(bytes.data(), bytes.size(), "").copy_memory();
    }

    static PixelSize SizeOf(const std::filesystem::path& picture)
    {
        const auto image = Load(picture);
        return {image.width(), image.height()};
    }

    static Rgb PixelAt(const std::filesystem::path& picture, int x, int y)
    {
        const auto pixel = Load(picture).getpoint(x, y);
        return {static_cast<int>(pixel.at(0)), static_cast<int>(pixel.at(1)), static_cast<int>(pixel.at(2))};
    }

    static bool Near(Rgb a, Rgb b, int tolerance = 14)
    {
        return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
               std::abs(a.b - b.b) <= tolerance;
    }

    // Pixels close to `colour` in a region of the picture.
    static int CountNear(const std::filesystem::path& picture, int left, int top, int width, int height, Rgb colour)
    {
        const auto image = Load(picture).extract_area(left, top, width, height);
        const auto bytes = image.cast(VIPS_FORMAT_UCHAR);
        std::size_t size = 0;
        auto* memory = static_cast<unsigned char*>(bytes.write_to_memory(&size));
        int count = 0;
        const auto bands = static_cast<std::size_t>(bytes.bands());
        for (std::size_t at = 0; at + 2 < size; at += bands) {
            count += Near({memory[at], memory[at + 1], memory[at + 2]}, colour, 20) ? 1 : 0;
        }
        g_free(memory);
        return count;
    }

    static std::filesystem::path six_;
    static std::filesystem::path many_;
    static std::filesystem::path large_;
    static std::unique_ptr<TempDir> decks_folder_;
};

std::filesystem::path MontageCommand::six_;
std::filesystem::path MontageCommand::many_;
std::filesystem::path MontageCommand::large_;
std::unique_ptr<TempDir> MontageCommand::decks_folder_;

TEST_F(MontageCommand, EachArrangementGivesAPictureOfItsCanvasSizeAndReplacesTheLastOne)
{
    UseDeck(six_);
    const std::array<std::pair<int, PixelSize>, 4> arrangements{{
        {1, {W + 10, 6 * H + 35}},
        {2, {6 * W + 35, H + 10}},
        {3, {2 * W + 15, 3 * H + 20}},
        {4, {3 * W + 20, 2 * H + 15}},
    }};
    for (const auto& [button, size] : arrangements) {
        const auto run = Montage({"--set", "OptionButton" + std::to_string(button) + "=true"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, std::string(kTitle) + "幻灯片已成功拼合！\n生成图片：[deck-拼图.JPG] \n");
        EXPECT_EQ(SizeOf(output()), size) << "arrangement " << button;
        EXPECT_EQ(Stored("SortType"), std::to_string(button));
        ExpectNoTemporaries();
    }
    // Slide 4 in three columns: the first picture of the second row.
    EXPECT_TRUE(Near(PixelAt(output(), 5 + W / 2, 10 + H + H / 2), SlideColour(4)));
    EXPECT_EQ(opener_.Shown(4).back(), output());
}

TEST_F(MontageCommand, TheBorderColourFillsTheGapsAroundThePictures)
{
    UseDeck(six_);
    const auto run = Montage({"--color", "255,0,255", "--click", "F_BorderColor", "--set", "SpinButton1=20",
                              "--set", "OptionButton3=true", "--set", "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto picture = output("PNG");
    ASSERT_EQ(SizeOf(picture), (PixelSize{2 * W + 60, 3 * H + 80}));
    const Rgb magenta{255, 0, 255};
    EXPECT_TRUE(Near(PixelAt(picture, 10, 300), magenta)) << "left of picture 1";
    EXPECT_TRUE(Near(PixelAt(picture, W + 30, 300), magenta)) << "between pictures 1 and 2";
    EXPECT_TRUE(Near(PixelAt(picture, 400, H + 30), magenta)) << "between the first two rows";
    EXPECT_TRUE(Near(PixelAt(picture, 20 + W / 2, 20 + H / 2), SlideColour(1))) << "inside picture 1";
    EXPECT_TRUE(Near(PixelAt(picture, 40 + W + W / 2, 60 + 2 * H + H / 2), SlideColour(6))) << "inside picture 6";
    EXPECT_EQ(Stored("BorderColor"), std::to_string(255 + 65536 * 255));
    EXPECT_EQ(Stored("BorderWidth"), "20");
    EXPECT_EQ(Stored("PicFormat"), "PNG");
}

// No pixel blends the border with a picture: LibreOffice alone tints the
// pictures' edges with the border colour.
TEST_F(MontageCommand, TheBorderAndThePicturesMeetWithoutBlending)
{
    UseDeck(six_);
    constexpr int kBorder = 5;
    const auto run = Montage({"--color", "255,0,0", "--click", "F_BorderColor", "--set", "SpinButton1=5", "--set",
                              "OptionButton3=true", "--set", "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto image = Load(output("PNG")).extract_band(0, vips::VImage::option()->set("n", 3)).cast(VIPS_FORMAT_UCHAR);
    ASSERT_EQ((PixelSize{image.width(), image.height()}), (PixelSize{2 * W + 3 * kBorder, 3 * H + 4 * kBorder}));
    std::size_t size = 0;
    auto* memory = static_cast<unsigned char*>(image.write_to_memory(&size));
    const auto pixel = [&](int x, int y) {
        const unsigned char* at = memory + (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width()) +
                                            static_cast<std::size_t>(x)) * 3;
        return Rgb{at[0], at[1], at[2]};
    };
    // Two pictures a row; each of one colour, that of its middle pixel.
    const auto pictureAt = [&](int x, int y) {
        const int column = (x - kBorder) / (W + kBorder);
        const int row = (y - kBorder) / (H + kBorder);
        const int left = kBorder + column * (W + kBorder);
        const int top = kBorder + row * (H + kBorder);
        const bool inside = x >= left && x < left + W && y >= top && y < top + H && column < 2 && row < 3;
        return inside ? std::optional<Rgb>(pixel(left + W / 2, top + H / 2)) : std::nullopt;
    };
    int gapsWrong = 0;
    int picturesWrong = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb found = pixel(x, y);
            const Rgb wanted = pictureAt(x, y).value_or(Rgb{255, 0, 0});
            if (found.r != wanted.r || found.g != wanted.g || found.b != wanted.b) {
                ++(pictureAt(x, y) ? picturesWrong : gapsWrong);
                if (gapsWrong + picturesWrong <= 5) {
                    ADD_FAILURE() << "at " << x << "," << y << ": " << found.r << "," << found.g << "," << found.b
                                  << " instead of " << wanted.r << "," << wanted.g << "," << wanted.b;
                }
            }
        }
    }
    EXPECT_TRUE(Near(pixel(kBorder + W / 2, kBorder + H / 2), SlideColour(1))) << "picture 1 shows slide 1";
    g_free(memory);
    EXPECT_EQ(gapsWrong, 0);
    EXPECT_EQ(picturesWrong, 0);
}

TEST_F(MontageCommand, ATextWatermarkSitsAtTheBottomRightOfEveryPicture)
{
    UseDeck(six_);
    const auto run = Montage({"--set", "OptionButton10=true", "--input", "VELMORA", "--set", "OptionButton4=true",
                              "--set", "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto picture = output("PNG");
    const Rgb grey{80, 80, 80};
    for (int i = 0; i < 6; ++i) {
        const int x = 5 + (i % 3) * (W + 5);
        const int y = 5 + (i / 3) * (H + 5);
        EXPECT_GT(CountNear(picture, x + W - 160, y + H - 50, 150, 40, grey), 50) << "picture " << i + 1;
        EXPECT_EQ(CountNear(picture, x + 10, y + 10, 150, 40, grey), 0) << "picture " << i + 1;
    }
    EXPECT_EQ(Stored("WaterMark"), "2");
    EXPECT_EQ(Stored("WaterMarkTxt"), "VELMORA");
}

TEST_F(MontageCommand, APictureWatermarkShowsHalfTransparentAtTheTopRight)
{
    UseDeck(six_);
    const auto mark = WriteMark(dir_ / "mark.png", {0, 255, 0});
    // The position buttons are enabled once a watermark is chosen.
    const auto run = Montage({"--set", "OptionButton11=true", "--file", mark.string(), "--input", "50", "--set",
                              "OptionButton12=true", "--set", "OptionButton3=true", "--set", "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto picture = output("PNG");
    for (int i = 0; i < 6; ++i) {
        const int x = 5 + (i % 2) * (W + 5);
        const int y = 5 + (i / 2) * (H + 5);
        const Rgb slide = SlideColour(i + 1);
        const Rgb half{slide.r / 2, (slide.g + 255) / 2, slide.b / 2};
        EXPECT_TRUE(Near(PixelAt(picture, x + W - 70, y + 30), half, 20)) << "picture " << i + 1;
        EXPECT_TRUE(Near(PixelAt(picture, x + W - 70, y + H - 30), slide)) << "picture " << i + 1;
    }
    EXPECT_EQ(Stored("MarkPic"), mark.string());
    EXPECT_EQ(Stored("PicTransp"), "50");
    // The rectangle that drew the preview's picture is gone again.
    EXPECT_EQ(decks_.Open(deck())->Slides()->Item(1)->Shapes()->Count(), 1);
    ExpectNoTemporaries();
}

TEST_F(MontageCommand, AFileThatIsNoPictureIsRefusedAsWatermark)
{
    UseDeck(six_);
    std::ofstream(dir_ / "notes.png") << "not a picture";
    const auto run = Montage({"--set", "OptionButton11=true", "--file", (dir_ / "notes.png").string(), "--input",
                              "20"});
    EXPECT_NE(run.out.find("无法读取水印图片"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("请先选取水印图片！"), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(output()));
    EXPECT_EQ(Stored("MarkPic"), "(none)");
    ExpectNoTemporaries();
}

TEST_F(MontageCommand, TwentyFiveSlidesAreCutToTheFirstTwentyFour)
{
    UseDeck(many_);
    const auto run = Montage({"--set", "OptionButton4=true"});
    // A warning the command went on from: it ran to its end.
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("包含太多的幻灯片，程序自动选取前24页生成拼图"), std::string::npos) << run.out;
    ASSERT_EQ(SizeOf(output()), (PixelSize{3 * W + 20, 8 * H + 45}));
    EXPECT_TRUE(Near(PixelAt(output(), 15 + 2 * W + W / 2, 5 + 7 * (H + 5) + H / 2), SlideColour(24)));
    ExpectNoTemporaries();
}

TEST_F(MontageCommand, SelectedSlidesAppearInTheOrderOfTheSelection)
{
    UseDeck(many_);
    const auto run = Montage({"--select", "7,2,5", "--set", "OptionButton6=true", "--set", "OptionButton2=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(SizeOf(output()), (PixelSize{3 * W + 20, H + 10}));
    int slot = 0;
    for (int slide : {7, 2, 5}) {
        EXPECT_TRUE(Near(PixelAt(output(), 5 + slot * (W + 5) + W / 2, 5 + H / 2), SlideColour(slide)))
            << "slot " << slot << " should show slide " << slide;
        ++slot;
    }
    EXPECT_EQ(Stored("SlideTarget"), "Select");
}

TEST_F(MontageCommand, EachOutputTypeIsARealFileOfThatType)
{
    UseDeck(six_);
    const std::array<std::pair<const char*, std::string>, 3> types{
        {{"15", "\xFF\xD8"}, {"16", "\x89PNG"}, {"17", "GIF8"}}};
    const std::array<const char*, 3> names{"JPG", "PNG", "GIF"};
    for (std::size_t i = 0; i < types.size(); ++i) {
        const auto run = Montage({"--set", std::string("OptionButton") + types[i].first + "=true"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadBytes(output(names[i])).substr(0, types[i].second.size()), types[i].second) << names[i];
    }
}

TEST_F(MontageCommand, AFailedRunLeavesAnEarlierFileAndTheSettingsAsTheyWere)
{
    UseDeck(six_);
    // A stored type the dialog does not offer cannot be drawn.
    settings_.SaveSetting(host::kAppName, kSection, "PicFormat", "BMP");
    std::ofstream(output("BMP")) << "an earlier picture";
    const auto run = Montage({"--set", "OptionButton2=true"});
    ASSERT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) +
                           "拼合失败！\n请检查您的设置，尝试减少拼合页面数量或更换输出图片格式\n");
    EXPECT_EQ(ReadBytes(output("BMP")), "an earlier picture");
    EXPECT_EQ(Stored("SortType"), "(none)");
    EXPECT_TRUE(opener_.Shown().empty());
    ExpectNoTemporaries();
}


TEST_F(MontageCommand, APictureWatermarkLeavesTheDeckAsItWas)
{
    UseDeck(six_);
    const std::string before = ReadBytes(deck());
    const auto mark = WriteMark(dir_ / "mark.png", {0, 255, 0}).string();
    auto run = Montage({"--set", "OptionButton11=true", "--file", mark, "--input", "0", "--click", "Cmd_Cancel"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(deck()), before) << "cancelled";

    run = Montage({"--set", "OptionButton11=true", "--file", mark, "--input", "abc"});
    // The transparency was replaced by 0 and the montage made all the same.
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("输入错误！程序将默认使用无透明图片"), std::string::npos) << run.out;
    EXPECT_TRUE(std::filesystem::exists(output()));
    EXPECT_EQ(ReadBytes(deck()), before) << "made";

    run = Montage({"--dry-run", "--set", "OptionButton11=true", "--file", mark, "--input", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("would write " + deck().string()), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("would write " + output().string()), std::string::npos) << run.out;
    ExpectNoTemporaries();
}

TEST_F(MontageCommand, ARememberedWatermarkPictureStaysWhenThePickerIsCancelled)
{
    UseDeck(six_);
    const Rgb green{0, 255, 0};
    settings_.SaveSetting(host::kAppName, kSection, "MarkPic", WriteMark(dir_ / "mark.png", green).string());
    settings_.SaveSetting(host::kAppName, kSection, "WaterMark", "1");
    settings_.SaveSetting(host::kAppName, kSection, "WaterMarkPosition", "1");
    // No --file: the picker is cancelled.
    const auto run = Montage({"--set", "OptionButton11=true", "--set", "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out.find("无法读取水印图片"), std::string::npos) << run.out;
    EXPECT_TRUE(Near(PixelAt(output("PNG"), 5 + W - 70, 5 + 30), green));
    EXPECT_EQ(Stored("WaterMark"), "3");
}

// The deck's folder is so deep that no file name longer than the deck's fits
// in it: even a privileged user cannot write there.
TEST_F(MontageCommand, AWatermarkPictureIsShownWithoutWritingBesideTheDeck)
{
    constexpr std::size_t kLongestPath = 4095;
    const std::string name = "d.pptx";
    std::filesystem::path folder = dir_.path();
    while (folder.string().size() + 1 + name.size() < kLongestPath) {
        const std::size_t room = kLongestPath - folder.string().size() - 1 - name.size() - 1;
        folder /= std::string(std::min<std::size_t>(room, 200), 'a');
    }
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(six_, folder / name);
    const auto mark = WriteMark(dir_ / "mark.png", {0, 255, 0});
    const auto run = Velmora({"run", "CombinPic_main", (folder / name).string(), "--set", "OptionButton11=true",
                              "--file", mark.string(), "--input", "0", "--click", "Cmd_Cancel"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Stored("MarkPic"), mark.string());
}


TEST_F(MontageCommand, TwentyFourLargeSlidesInARowOrAColumnMakeOneLongPictureOfEachType)
{
    UseDeck(large_);
    constexpr int w = kLargeWidth;
    constexpr int h = kLargeHeight;
    struct Case {
        const char* arrangement;
        const char* format;
        const char* button;
        PixelSize size;
    };
    const Case cases[] = {
        {"2", "PNG", "16", {24 * w + 125, h + 10}},
        {"2", "JPG", "15", {24 * w + 125, h + 10}},
        {"2", "GIF", "17", {24 * w + 125, h + 10}},
        {"1", "PNG", "16", {w + 10, 24 * h + 125}},
    };
    for (const Case& c : cases) {
        const auto run = Montage({"--set", std::string("OptionButton") + c.arrangement + "=true", "--set",
                                  std::string("OptionButton") + c.button + "=true"});
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        const auto picture = output(c.format);
        ASSERT_EQ(SizeOf(picture), c.size) << c.format << " arrangement " << c.arrangement;
        // The first, those across the seam of the drawn tiles (at 8192 pixels) and the last.
        for (int slot : {0, 8, 11, 23}) {
            const int x = c.arrangement[0] == '2' ? 5 + slot * (w + 5) + w / 2 : 5 + w / 2;
            const int y = c.arrangement[0] == '2' ? 5 + h / 2 : 5 + slot * (h + 5) + h / 2;
            EXPECT_TRUE(Near(PixelAt(picture, x, y), SlideColour(slot + 1), 20))
                << c.format << " arrangement " << c.arrangement << " slot " << slot;
        }
    }
    ExpectNoTemporaries();
}


// Pixel by pixel: a 1-point border between pictures of slides that reach
// their edges is the chosen colour throughout, untinted by the slides.
TEST_F(MontageCommand, EveryBorderPixelHasExactlyTheBorderColour)
{
    UseDeck(six_);
    const auto run = Montage({"--color", "255,0,255", "--click", "F_BorderColor", "--set", "SpinButton1=1", "--set",
                              "OptionButton3=true", "--set", "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto image = Load(output("PNG")).cast(VIPS_FORMAT_UCHAR);
    ASSERT_EQ((PixelSize{image.width(), image.height()}), (PixelSize{2 * W + 3, 3 * H + 4}));
    std::size_t size = 0;
    auto* memory = static_cast<unsigned char*>(image.write_to_memory(&size));
    const auto bands = static_cast<std::size_t>(image.bands());
    // Pictures start one pixel in and one after another's end: every (length + 1)th line is border.
    auto inPicture = [](int at, int length) { return at % (length + 1) != 0; };
    int border = 0;
    int exact = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inPicture(x, W) && inPicture(y, H)) {
                continue;
            }
            const unsigned char* pixel = memory + (static_cast<std::size_t>(y) * image.width() + x) * bands;
            ++border;
            exact += pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255 ? 1 : 0;
        }
    }
    g_free(memory);
    EXPECT_EQ(border, (2 * W + 3) * (3 * H + 4) - 6 * W * H);
    EXPECT_EQ(exact, border);
}

}  // namespace
}  // namespace velmora::testing
