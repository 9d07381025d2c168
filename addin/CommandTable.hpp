#pragma once

#include <span>
#include <string_view>

#include "addin/RibbonControl.hpp"

namespace velmora::addin {

class Connect;

// A command method of Connect, by the name the class spells it.
struct CommandEntry {
    std::string_view name;
    void (*press)(Connect& connect, const RibbonPress& press);
};

std::span<const CommandEntry> CommandTable();

// The entry whose name equals `name` without regard to case, as the host's
// dispatch finds methods; null when there is none.
const CommandEntry* FindCommand(std::string_view name);

}  // namespace velmora::addin
