#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "color/ColorCommands.hpp"
#include "forms/ScriptedDriver.hpp"
#include "host/SettingsStore.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::color {
namespace {

TEST(PaletteCommand, ScriptedClicksColourTheSelectionAndTheChoicesAreKept)
{
    testing::TempDir dir;
    setenv("VELMORA_SETTINGS", (dir / "settings.ini").c_str(), 1);
    testing::DeckHost decks;
    const auto file = dir / "deck.pptx";
    decks.Build(file, {{"标题", "", 0, false, {}}});
    auto presentation = decks.OpenInWindow(file);
    presentation->Slides()->Item(1)->Shapes()->AddShape(host::AutoShapeType::Rectangle, 20, 20, 100, 50)->SetName("Rect");
    pptx::SelectShapes(*decks.app().ActiveWindow(), 1, {"Rect"});

    std::ostringstream out;
    host::Services services;
    services.settings = std::make_shared<platform::FileSettingsStore>();
    services.prompts = std::make_shared<platform::ScriptedPrompts>(out);
    forms::ScriptedDriver driver({forms::ParseScriptStep("--click", "Label9"),
                                  forms::ParseScriptStep("--click", "OptionButton6")});
    Setcolor_main(decks.app(), services, driver);
    EXPECT_EQ(driver.PendingSteps(), 0u);

    presentation->Save();
    pugi::xml_document slide;
    ASSERT_TRUE(slide.load_string(testing::ReadEntry(file, "ppt/slides/slide1.xml").value().c_str()));
    const auto rect = slide.select_node("//p:cNvPr[@name='Rect']/../..").node();
    EXPECT_STREQ(rect.select_node("p:spPr/a:solidFill/a:srgbClr").node().attribute("val").value(), "0000FF");
    EXPECT_STREQ(rect.select_node("p:spPr/a:ln/a:solidFill/a:srgbClr").node().attribute("val").value(), "0000FF");

    // The script ended, the palette closed and saved its choices.
    const platform::FileSettingsStore stored(dir / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings-myColor", "DispColor"), "16711680");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings-myColor", "TargetType"), "3");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings-myColor", "FormWidth"), "4720");
    EXPECT_TRUE(out.str().empty());
}

TEST(PaletteCommand, SwitchingTheTargetColoursOnlyTheNewTarget)
{
    testing::TempDir dir;
    setenv("VELMORA_SETTINGS", (dir / "settings.ini").c_str(), 1);
    platform::FileSettingsStore(dir / "settings.ini").SaveSetting(host::kAppName, "Settings-myColor", "DispColor", "255");
    testing::DeckHost decks;
    const auto file = dir / "deck.pptx";
    decks.Build(file, {{"标题", "", 0, false, {}}});
    auto presentation = decks.OpenInWindow(file);
    auto rect = presentation->Slides()->Item(1)->Shapes()->AddShape(host::AutoShapeType::Rectangle, 20, 20, 100, 50);
    rect->SetName("Rect");
    rect->Fill()->ForeColor()->SetRGB(0x00FF00);
    pptx::SelectShapes(*decks.app().ActiveWindow(), 1, {"Rect"});

    std::ostringstream out;
    host::Services services;
    services.settings = std::make_shared<platform::FileSettingsStore>();
    services.prompts = std::make_shared<platform::ScriptedPrompts>(out);
    forms::ScriptedDriver driver({forms::ParseScriptStep("--click", "OptionButton6")});
    Setcolor_main(decks.app(), services, driver);

    EXPECT_EQ(rect->Fill()->ForeColor()->RGB(), 0x00FF00) << "the fill just left keeps its green";
    EXPECT_EQ(rect->Line()->ForeColor()->RGB(), 255);
}

}  // namespace
}  // namespace velmora::color
