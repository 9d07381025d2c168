#pragma once

#include <array>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/MsoConstants.hpp"
#include "host/Prompts.hpp"

namespace velmora::font {

// Names of the installed font families, in the order the system lists them.
using FontFamilySource = std::function<std::vector<std::string>()>;

// The font tool's module state, kept as long as the add-in stays loaded: the
// font list and the colour chooser's custom colours.
class md_SetFont {
public:
    explicit md_SetFont(FontFamilySource families);

    // Enumerates the families again and adds the names not yet listed; names
    // are never removed or reordered.
    const std::vector<std::string>& FontList();
    // False (and no change) when the list holds the name in any case.
    bool AddFontName(const std::string& name);

    // The system colour chooser, starting from black with the custom colours
    // of its last opening; -1 when the user cancels.
    host::Color ChooseColor(host::Prompts& prompts);

private:
    FontFamilySource families_;
    std::vector<std::string> fontList_;
    std::unordered_set<std::string> foldedNames_;
    std::array<host::Color, 16> customColors_{};
};

// The add-in's own instance, over the installed fonts.
md_SetFont& SetFontModule();

}  // namespace velmora::font
