#include <gtest/gtest.h>

#include "platform/CloseMatches.hpp"

namespace velmora::platform {
namespace {

using Names = std::vector<std::string>;

TEST(CloseMatchesTest, MisspellingsFindTheirNameFirst)
{
    const Names controls{"CheckBox1", "CheckBox2", "ComboBox1", "Cmd_OK", "Cmd_Cancel", "OptionButton10"};
    EXPECT_EQ(CloseMatches("CheckBx1", controls).front(), "CheckBox1");
    EXPECT_EQ(CloseMatches("cmd_ok", controls), Names{"Cmd_OK"});
    EXPECT_EQ(CloseMatches("OptionButon10", controls), Names{"OptionButton10"});
    // A part of a name is a match, however far.
    EXPECT_EQ(CloseMatches("Cancel", controls), Names{"Cmd_Cancel"});
}

TEST(CloseMatchesTest, FarNamesAndEmptyInputsGiveNothing)
{
    const Names commands{"ExportComment_All_Main", "ExportComment_Select_Main", "DeleteComment_All_Main"};
    EXPECT_EQ(CloseMatches("ExportComent_All_Main", commands), Names{"ExportComment_All_Main"});
    EXPECT_TRUE(CloseMatches("Zebra", commands).empty());
    EXPECT_TRUE(CloseMatches("", commands).empty());
    EXPECT_TRUE(CloseMatches("x", {}).empty());
}

TEST(CloseMatchesTest, AtMostThreeAreOffered)
{
    EXPECT_EQ(CloseMatches("Label", {"Label1", "Label2", "Label3", "Label4"}).size(), 3u);
    EXPECT_EQ(DidYouMean({}), "");
    EXPECT_EQ(DidYouMean({"a"}), " (did you mean a?)");
    EXPECT_EQ(DidYouMean({"a", "b", "c"}), " (did you mean a, b or c?)");
}

}  // namespace
}  // namespace velmora::platform
