#pragma once

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
};

}  // namespace velmora::addin
