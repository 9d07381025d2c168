#pragma once

#include <string>
#include <vector>

namespace velmora::addin {

// The customUI document of the Velmora tab: one line, no line breaks.
const std::string& RibbonDefinition();

// A command of the ribbon: its onAction name with the first control that
// names it.
struct RibbonCommand {
    std::string onAction;
    std::string controlId;
    std::string label;
};

// Every distinct onAction of the definition, in document order.
std::vector<RibbonCommand> RibbonCommands();

}  // namespace velmora::addin
