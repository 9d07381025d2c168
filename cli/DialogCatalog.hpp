#pragma once

#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/FormCatalog.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"

namespace velmora::cli {

// A dialog of the add-in, made as its tool makes it, and the ribbon command
// that shows it.
using DialogEntry = forms::FormEntry;

std::span<const DialogEntry> Dialogs();

// The dialog's names, comma-separated, for messages.
std::string DialogNames();

// The names of the dialog's controls, in the form's order.
std::vector<std::string> ControlNames(const DialogEntry& dialog);

// The controls of the dialog named `form` (any letter case) after it loaded
// its settings, in the form's order: a header line and one tab-separated line
// per control (whether a user can reach it last), or with json one object. Raises UsageError for an unknown form.
void PrintDialog(std::string_view form, std::ostream& out, bool json);

}  // namespace velmora::cli
