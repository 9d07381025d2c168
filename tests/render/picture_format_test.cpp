#include "render/PictureFormat.hpp"

#include <gtest/gtest.h>

#include "render/RenderError.hpp"

namespace velmora::render {
namespace {

TEST(PictureFormatTest, FilterNamesMatchInAnyLetterCase)
{
    EXPECT_EQ(ParsePictureFormat("JPG"), PictureFormat::Jpg);
    EXPECT_EQ(ParsePictureFormat("png"), PictureFormat::Png);
    EXPECT_EQ(ParsePictureFormat("Gif"), PictureFormat::Gif);
    EXPECT_EQ(ParsePictureFormat("bMp"), PictureFormat::Bmp);
    EXPECT_EQ(ParsePictureFormat("emf"), PictureFormat::Emf);
}

TEST(PictureFormatTest, OtherNamesAreRefusedByName)
{
    for (const char* tag : {"TIFF", "JPEG", "", "JPG ", "PNGX"}) {
        try {
            ParsePictureFormat(tag);
            ADD_FAILURE() << "accepted \"" << tag << "\"";
        } catch (const RenderError& error) {
            EXPECT_NE(std::string(error.what()).find("\"" + std::string(tag) + "\""), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace velmora::render
