#include <cstdint>
#include <span>

#include <gtest/gtest.h>

#include "addin/Connect.hpp"
#include "resources/Pictures.hpp"

namespace velmora::resources {
namespace {

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

struct BitmapInfo {
    std::uint32_t width;
    std::int32_t height;
    std::uint16_t bitCount;
};

BitmapInfo InfoHeader(std::span<const std::uint8_t> bytes, std::size_t at)
{
    EXPECT_EQ(U32(bytes, at), 40u);
    EXPECT_EQ(U16(bytes, at + 12), 1) << "planes";
    return {U32(bytes, at + 4), static_cast<std::int32_t>(U32(bytes, at + 8)), U16(bytes, at + 14)};
}

// A 24-bit BMP file of the given size whose pixel rows fill the file.
void ExpectBitmap(int id, std::uint32_t width, std::uint32_t height)
{
    SCOPED_TRACE("bitmap " + std::to_string(id));
    const auto picture = LoadPicture(PictureKind::Bitmap, id);
    ASSERT_TRUE(picture.has_value());
    const auto bytes = picture->bytes;
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes, 2), bytes.size());
    const BitmapInfo info = InfoHeader(bytes, 14);
    EXPECT_EQ(info.width, width);
    EXPECT_EQ(info.height, static_cast<std::int32_t>(height));
    EXPECT_EQ(info.bitCount, 24);
    const std::uint32_t rowSize = (width * 3 + 3) & ~3u;
    EXPECT_EQ(U32(bytes, 10) + rowSize * height, bytes.size());
}

TEST(PicturesTest, RibbonBitmapsHaveTheirSizes)
{
    ExpectBitmap(102, 42, 42);
    ExpectBitmap(115, 64, 64);
}

TEST(PicturesTest, GalleryCoversAreTallAndNarrow)
{
    for (int id = 105; id <= 113; ++id) {
        SCOPED_TRACE(id);
        const auto picture = LoadPicture(PictureKind::Bitmap, id);
        ASSERT_TRUE(picture.has_value());
        const BitmapInfo info = InfoHeader(picture->bytes, 14);
        EXPECT_GE(info.width, 113u);
        EXPECT_LE(info.width, 138u);
        ExpectBitmap(id, info.width, 163);
    }
}

TEST(PicturesTest, ShareIconHoldsThree256ColourImages)
{
    const auto icon = LoadPicture(PictureKind::Icon, 102);
    ASSERT_TRUE(icon.has_value());
    const auto bytes = icon->bytes;
    EXPECT_EQ(U16(bytes, 0), 0);
    EXPECT_EQ(U16(bytes, 2), 1) << "type: icon";
    ASSERT_EQ(U16(bytes, 4), 3);
    const std::uint32_t sizes[] = {32, 24, 16};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(sizes[i]);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(bytes[entry], sizes[i]);
        EXPECT_EQ(bytes[entry + 1], sizes[i]);
        EXPECT_EQ(U16(bytes, entry + 6), 8) << "bits per pixel";
        const std::uint32_t length = U32(bytes, entry + 8);
        const std::uint32_t offset = U32(bytes, entry + 12);
        ASSERT_LE(offset + length, bytes.size());
        const BitmapInfo info = InfoHeader(bytes, offset);
        EXPECT_EQ(info.width, sizes[i]);
        EXPECT_EQ(info.height, static_cast<std::int32_t>(2 * sizes[i])) << "colour rows and mask rows";
        EXPECT_EQ(info.bitCount, 8);
        const std::uint32_t colourRows = ((sizes[i] + 3) & ~3u) * sizes[i];
        const std::uint32_t maskRows = ((sizes[i] + 31) / 32) * 4 * sizes[i];
        EXPECT_EQ(length, 40 + 256 * 4 + colourRows + maskRows);
    }
}

TEST(PicturesTest, MissingResourcesGiveNothing)
{
    EXPECT_FALSE(LoadPicture(PictureKind::Bitmap, 104).has_value());
    EXPECT_FALSE(LoadPicture(PictureKind::Bitmap, 114).has_value());
    EXPECT_FALSE(LoadPicture(PictureKind::Icon, 115).has_value());
}

TEST(PicturesTest, GetImageAnswersByExactControlId)
{
    addin::AddinContext context;
    const addin::Connect connect(context);
    const auto flash = connect.GetImage({"myAddFlash"});
    ASSERT_TRUE(flash.has_value());
    EXPECT_EQ(flash->id, 102);
    EXPECT_EQ(flash->kind, PictureKind::Bitmap);
    const auto search = connect.GetImage({"PicSearchmenu"});
    ASSERT_TRUE(search.has_value());
    EXPECT_EQ(search->id, 115);
    const auto share = connect.GetImage({"SharetoWeibo"});
    ASSERT_TRUE(share.has_value());
    EXPECT_EQ(share->id, 102);
    EXPECT_EQ(share->kind, PictureKind::Icon);
    EXPECT_FALSE(connect.GetImage({"myaddflash"}).has_value());
    EXPECT_FALSE(connect.GetImage({"mySetFont"}).has_value());
}

}  // namespace
}  // namespace velmora::resources
