#include <array>
#include <fstream>

#include "platform/FileSettingsStore.hpp"
#include "tests/cli_tools/ToolCommandFixture.hpp"

namespace velmora::testing {
namespace {

// The screen colour picker on a scripted screen: a picture stands for the
// screen, the pointer rests on one of its pixels and keys are named.
class GetColorCommandTest : public ToolCommandTest {
protected:
    void SetUp() override
    {
        NewDeck({host::SlideLayout::Text});
        AddRectangle(1, "Rectangle 4");
        SaveDeck();
        // 2 x 1 pixels: orange, then a dark teal.
        std::ofstream out(screen(), std::ios::binary);
        out << "P6\n2 1\n255\n";
        const std::array<unsigned char, 6> pixels{255, 128, 0, 0, 102, 119};
        out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size());
    }

    std::filesystem::path screen() const { return dir_ / "screen.ppm"; }

    std::string Fill()
    {
        SavedSlide(1);
        return ShapeNode("Rectangle 4").select_node("p:spPr/a:solidFill/a:srgbClr").node().attribute("val").value();
    }
};

TEST_F(GetColorCommandTest, AFrozenSampleIsAppliedAsFillAndSaved)
{
    const auto run = Run("GetColor_main", {"--shapes", "1:Rectangle 4", "--screen", screen().string(), "--pointer",
                                           "1,0", "--key", "a", "--click", "Lab_Color0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Fill(), "006677");
}

TEST_F(GetColorCommandTest, FavouritesAndTargetAreKeptInTheSettings)
{
    const auto run = Run("GetColor_main", {"--no-save", "--screen", screen().string(), "--pointer", "0,0", "--key",
                                           "space", "--click", "Opt_Color3", "--click", "OptionButton2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const platform::FileSettingsStore stored(dir_ / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "ColorPicker-Settings", "FavoriteColor3"), std::to_string(0x80FF));
    EXPECT_EQ(stored.GetSetting(host::kAppName, "ColorPicker-Settings", "ColorOption"), "3");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "ColorPicker-Settings", "ColorPickerTarget"), "文字");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "ColorPicker-Settings", "FormHeight"), "2780");
}

TEST_F(GetColorCommandTest, CommaDoesNotFreezeSoTheFavouriteStaysDisabled)
{
    const auto run = Run("GetColor_main", {"--screen", screen().string(), "--pointer", "0,0", "--key", "comma",
                                           "--click", "Opt_Color3"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Opt_Color3"), std::string::npos) << run.err;
}

TEST_F(GetColorCommandTest, KeysWantAScreenAndTheScreenAReadablePicture)
{
    EXPECT_EQ(Run("GetColor_main", {"--key", "a"}).status, 3);
    EXPECT_EQ(Run("GetColor_main", {"--screen", (dir_ / "missing.png").string()}).status, 2);
}

}  // namespace
}  // namespace velmora::testing
