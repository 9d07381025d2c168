#include "forms/FormCatalog.hpp"

#include <algorithm>

namespace velmora::forms {

namespace {

// Filled before main by the registrations, in no set order.
std::vector<FormEntry>& Catalogue()
{
    static std::vector<FormEntry> entries;
    return entries;
}

}  // namespace

FormRegistration::FormRegistration(const FormEntry& entry)
{
    auto& entries = Catalogue();
    entries.insert(std::upper_bound(entries.begin(), entries.end(), entry,
                                    [](const FormEntry& a, const FormEntry& b) { return a.form < b.form; }),
                   entry);
}

const std::vector<FormEntry>& RegisteredForms()
{
    return Catalogue();
}

}  // namespace velmora::forms
