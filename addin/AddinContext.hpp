#pragma once

#include <memory>

#include "host/Prompts.hpp"
#include "host/Services.hpp"

namespace velmora::forms {
class FormDriver;
}

namespace velmora::addin {

// Everything the tools reach beyond the object model; handed to Connect, which
// hands it on to the tools and their dialogs.
struct AddinContext {
    host::Services services;
    // Runs the dialogs: the scripted driver on the command line and in tests.
    forms::FormDriver* formDriver = nullptr;
    // Whether OnConnection runs the start-up routine: a desktop host does at
    // every start, a batch run only when asked.
    bool runStartUp = false;
    // The start-up routine's questions, answered apart from the command's;
    // null: services.prompts.
    std::shared_ptr<host::Prompts> startupPrompts = nullptr;
};

}  // namespace velmora::addin
