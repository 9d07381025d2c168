#include "tests/cli_tools/ToolCommandFixture.hpp"

#include <cstdlib>

#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

ToolCommandTest::ToolCommandTest()
{
    setenv("VELMORA_SETTINGS", (dir_ / "settings.ini").c_str(), 1);
}

void ToolCommandTest::SaveDeck()
{
    presentation_->SaveAs(deck(), host::SaveFormat::OpenXMLPresentation);
    presentation_->Close();
}

ProcessResult ToolCommandTest::Run(const std::string& command, const std::vector<std::string>& options) const
{
    return Run(command, deck(), options);
}

ProcessResult ToolCommandTest::Run(const std::string& command, const std::filesystem::path& file,
                                   const std::vector<std::string>& options) const
{
    std::vector<std::string> argv{VELMORA_BIN, "run", command, file.string()};
    argv.insert(argv.end(), options.begin(), options.end());
    return RunProcess(argv);
}

const pugi::xml_document& ToolCommandTest::SavedSlide(const std::filesystem::path& file, int slide)
{
    slide_.reset();
    const auto xml = ReadEntry(file, "ppt/slides/slide" + std::to_string(slide) + ".xml");
    EXPECT_TRUE(xml && slide_.load_string(xml->c_str())) << "slide " << slide << " of " << file;
    return slide_;
}

pugi::xml_node ToolCommandTest::ShapeNode(const std::string& name) const
{
    return slide_.select_node(("//p:cNvPr[@name='" + name + "']/../..").c_str()).node();
}

ToolCommandTest::Names ToolCommandTest::ShapesWhoseRuns(const std::filesystem::path& file, int slide,
                                                         const std::string& runTest)
{
    Names names;
    for (const auto& hit : SavedSlide(file, slide).select_nodes("//p:sp | //p:graphicFrame")) {
        const auto shape = hit.node();
        const auto runs = shape.select_nodes(".//a:r").size();
        const auto passing = shape.select_nodes((".//a:r[a:rPr[" + runTest + "]]").c_str()).size();
        if (runs > 0 && passing == runs) {
            names.push_back(shape.select_node("*/p:cNvPr").node().attribute("name").value());
        }
    }
    return names;
}

}  // namespace velmora::testing
