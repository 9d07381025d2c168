#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "addin/Connect.hpp"

namespace velmora::impress {

inline constexpr const char* kProtocol = "vnd.velmora:";
inline constexpr const char* kToolbarName = "org.orvaldi.velmora.toolbar";
inline constexpr const char* kMenuName = "org.orvaldi.velmora.menu";

// One entry of the Velmora menu or toolbar: a command, a separator, or a
// submenu (a ribbon group, gallery or menu) holding entries of its own.
struct AddonEntry {
    enum class Kind { Command, Separator, Submenu } kind = Kind::Command;
    std::string url;
    std::string title;
    std::string tip;
    std::string picture;  // file name under icons/, "" for none
    std::vector<AddonEntry> children;
};

// A ribbon label without the trailing blanks that pad the large buttons.
std::string RibbonLabel(std::string label);

// The address a menu entry dispatches: the onAction name, then the pressed
// control's id and, for a gallery item, its index.
std::string CommandUrl(const std::string& onAction, const std::string& controlId, int index = -1);

// Reads the ribbon the way the presentation program does: the definition
// from GetCustomUI, then the picture and gallery callbacks of Connect.
class AddonsWriter {
public:
    explicit AddonsWriter(const addin::Connect& connect);

    // Groups in order, each a submenu.
    const std::vector<AddonEntry>& Menu() const { return groups_; }
    // Every command in ribbon order, the groups apart by separators.
    std::vector<AddonEntry> Toolbar() const;

    // Addons.xcu and the pictures it names, into `folder`.
    void Write(const std::filesystem::path& folder) const;

private:
    // File names under icons/ with their bytes; filled while the groups are read.
    std::map<std::string, std::vector<std::uint8_t>> pictures_;
    std::vector<AddonEntry> groups_;
};

}  // namespace velmora::impress
