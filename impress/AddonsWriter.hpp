#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "addin/Connect.hpp"
#include "impress/CommandAddress.hpp"
#include "impress/ToolbarPicture.hpp"

namespace velmora::impress {

inline constexpr const char* kToolbarName = "org.orvaldi.velmora.toolbar";
inline constexpr const char* kMenuName = "org.orvaldi.velmora.menu";

// One entry of the Velmora menu or toolbar: a command, a separator, or a
// submenu (a ribbon group, gallery or menu) holding entries of its own.
struct AddonEntry {
    enum class Kind { Command, Separator, Submenu } kind = Kind::Command;
    std::string url;
    std::string title;
    std::string tip;
    std::string picture;  // the name of its pictures under icons/, "" for none
    std::vector<AddonEntry> children;
};

// Reads the ribbon the way the presentation program does: the definition
// from GetCustomUI, then the picture and gallery callbacks of Connect.
class AddonsWriter {
public:
    explicit AddonsWriter(const addin::Connect& connect);

    // Groups in order, each a submenu.
    const std::vector<AddonEntry>& Menu() const { return groups_; }
    // Every command in ribbon order, the groups apart by separators.
    std::vector<AddonEntry> Toolbar() const;

    // Addons.xcu, the pictures it names and the extension's icon, into `folder`.
    void Write(const std::filesystem::path& folder) const;

    // A command's pictures, small and large, by name.
    struct Pictures {
        ToolbarPicture small;
        ToolbarPicture large;
    };

private:
    void LetterCommandsWithoutPictures();

    // Filled while the groups are read.
    std::map<std::string, Pictures> pictures_;
    std::vector<AddonEntry> groups_;
};

}  // namespace velmora::impress
