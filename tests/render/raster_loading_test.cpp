// poppler and libvips are mapped only once a picture is made: this program
// links the renderer alone, as the command line does. Nor does the command
// line link libcurl, libgsf or fontconfig: they come in modules of their own too.
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "render/SlideRenderer.hpp"
#include "tests/render/SampleDeck.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using testing::OwnMaps;

TEST(RasterLoading, RenderingLibrariesArriveWithTheFirstPicture)
{
    const testing::TempDir folder;
    const auto deck = testing::WriteSampleDeck(folder.path(), "deck", {testing::SampleSlide{{}, "text", false}});
    SlideRenderer renderer({.profileCache = {}});
    renderer.Pdf(deck, 1);
    EXPECT_THAT(OwnMaps(), Not(HasSubstr("libpoppler")));
    EXPECT_THAT(OwnMaps(), Not(HasSubstr("libvips")));

    renderer.ExportSlide(deck, 1, 1, folder / "slide.png", PictureFormat::Png, {64, 48});
    EXPECT_TRUE(std::filesystem::exists(folder / "slide.png"));
    EXPECT_THAT(OwnMaps(), HasSubstr("libpoppler-glib"));
    EXPECT_THAT(OwnMaps(), HasSubstr("libvips"));
}

#ifdef VELMORA_BIN
TEST(RasterLoading, TheCommandLineStartsWithoutThem)
{
    const auto linked = testing::RunProcess({"ldd", VELMORA_BIN}, std::chrono::seconds(30));
    ASSERT_EQ(linked.status, 0) << linked.err;
    EXPECT_THAT(linked.out, HasSubstr("libzip"));
    for (const char* library :
         {"libpoppler", "libvips", "libcurl", "libgnutls", "libgsf", "libglib", "libfontconfig", "libfreetype"}) {
        EXPECT_THAT(linked.out, Not(HasSubstr(library)));
    }
}
#endif

}  // namespace
}  // namespace velmora::render
