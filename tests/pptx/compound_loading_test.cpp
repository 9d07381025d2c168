// libgsf is mapped only once a control's storage is used: this program links
// the document layers alone, as the command line does.
#include <optional>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pptx/parts/CompoundFile.hpp"
#include "tests/support/Process.hpp"

namespace velmora::pptx::parts {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::OwnMaps;

TEST(CompoundLoading, LibgsfArrivesWithTheFirstStorage)
{
    const auto classId = ParseClassId("{D27CDB6E-AE6D-11CF-96B8-444553540000}");
    ASSERT_TRUE(classId.has_value());
    EXPECT_THAT(OwnMaps(), Not(HasSubstr("libgsf")));

    const std::string storage = WriteCompoundFile(*classId, {{"Contents", std::string("fU\0x", 4)}, {"Empty", ""}});
    EXPECT_THAT(OwnMaps(), HasSubstr("libvelmora_compound.so"));
    EXPECT_THAT(OwnMaps(), HasSubstr("libgsf"));
    EXPECT_EQ(CompoundClassId(storage), classId);
    EXPECT_EQ(ReadCompoundStream(storage, "Contents"), std::string("fU\0x", 4));
    EXPECT_EQ(ReadCompoundStream(storage, "Empty"), "");
    EXPECT_EQ(ReadCompoundStream(storage, "Missing"), std::nullopt);
    EXPECT_EQ(ReadCompoundStream("not a storage", "Contents"), std::nullopt);
    EXPECT_EQ(CompoundClassId(""), std::nullopt);
}

}  // namespace
}  // namespace velmora::pptx::parts
