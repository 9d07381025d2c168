#include "cli/CommandCatalog.hpp"

#include "addin/CommandTable.hpp"
#include "addin/RibbonDefinition.hpp"
#include "cli/JsonWriter.hpp"

namespace velmora::cli {

namespace {

// The label without the trailing blanks that only widen the ribbon buttons.
std::string TrimmedLabel(const std::string& label)
{
    return label.substr(0, label.find_last_not_of(' ') + 1);
}

// A ribbon control whose onAction no tool answers is marked, not hidden.
bool Built(const addin::RibbonCommand& command)
{
    return addin::FindCommand(command.onAction) != nullptr;
}

}  // namespace

void PrintCommands(std::ostream& out, bool json)
{
    const std::vector<addin::RibbonCommand> commands = addin::RibbonCommands();
    if (!json) {
        for (const addin::RibbonCommand& command : commands) {
            out << command.onAction << '\t' << command.group << '\t' << TrimmedLabel(command.label) << '\t'
                << (Built(command) ? "built" : "not built") << '\n';
        }
        return;
    }
    JsonWriter writer;
    writer.BeginArray();
    for (const addin::RibbonCommand& command : commands) {
        writer.BeginObject()
            .Key("command").String(command.onAction)
            .Key("group").String(command.group)
            .Key("label").String(TrimmedLabel(command.label))
            .Key("built").Bool(Built(command))
            .EndObject();
    }
    writer.EndArray();
    out << writer.Text() << '\n';
}

}  // namespace velmora::cli
