#include <string>

#include <gtest/gtest.h>

#include "addin/CommandErrors.hpp"
#include "addin/CommandTable.hpp"
#include "addin/Connect.hpp"
#include "host/HostError.hpp"

namespace velmora::addin {
namespace {

class CommandsTest : public ::testing::Test {
protected:
    // The message of the error that pressing `name` raises, or "" if none.
    std::string PressError(const std::string& name, const RibbonPress& press = {})
    {
        try {
            connect_.Invoke(name, press);
        } catch (const std::exception& error) {
            return error.what();
        }
        return "";
    }

    AddinContext context_;
    Connect connect_{context_};
};

TEST_F(CommandsTest, NamesAreFoundWithoutRegardToCase)
{
    // The definition spells these two differently from their methods.
    EXPECT_EQ(FindCommand("SetFont_main")->name, "setFont_main");
    EXPECT_EQ(FindCommand("SetColor_main")->name, "Setcolor_main");
    // A built command reaches its tool, which needs the host.
    EXPECT_EQ(PressError("exportcomment_all_main"), "the add-in is not connected to the presentation program");
    EXPECT_EQ(PressError("combinpic_main"), "the add-in is not connected to the presentation program");
    EXPECT_EQ(PressError("ADDFLASH_MAIN"), "the add-in is not connected to the presentation program");
}

TEST_F(CommandsTest, UnknownNamesAreRefused)
{
    EXPECT_THROW(connect_.Invoke("ExportComment_Everything", {}), UnknownCommand);
    EXPECT_THROW(connect_.Invoke("", {}), UnknownCommand);
    EXPECT_THROW(connect_.Invoke("ExportComment_All_Main ", {}), UnknownCommand);
    EXPECT_EQ(FindCommand("GetItemCount"), nullptr);
}

TEST_F(CommandsTest, GalleryPressReachesTheGallery)
{
    // Not connected: the gallery itself answers, with the host error.
    RibbonPress press{{"PPTBooks"}, "item2", 2};
    EXPECT_THROW(connect_.Invoke("GALACTION", press), host::HostError);
}

}  // namespace
}  // namespace velmora::addin
