#pragma once

#include <string>
#include <vector>

namespace velmora::addin {

// The customUI document of the Velmora tab: one line, no line breaks.
const std::string& RibbonDefinition();

// A command of the ribbon: its onAction name with the first control that
// names it, and the label of that control's group.
struct RibbonCommand {
    std::string onAction;
    std::string controlId;
    std::string label;
    std::string group;
};

// Every distinct onAction of the definition, in document order.
std::vector<RibbonCommand> RibbonCommands();

}  // namespace velmora::addin
