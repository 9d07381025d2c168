#include "impress/AddonsWriter.hpp"

#include <algorithm>
#include <fstream>
#include <optional>
#include <stdexcept>

#include <pugixml.hpp>

#include "platform/Utf8.hpp"

namespace velmora::impress {
namespace {

constexpr const char* kContext = "com.sun.star.presentation.PresentationDocument";
// The Extension Manager's picture of the extension, as description.xml names it.
constexpr const char* kExtensionIcon = "icons/velmora.bmp";
constexpr int kExtensionIconSize = 42;

// Tile colours of the pictures drawn for commands without one, by group.
constexpr std::uint32_t kGroupTiles[] = {0x2E70B4, 0x2E8B57, 0xC0601E, 0x7A4FB0, 0x56606C};

// A command's pictures are named after its control (and gallery item).
std::string PictureName(const std::string& url)
{
    std::string name = url.substr(url.find("?control=") + 9);
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '&' || c == '='; }, '_');
    return name;
}

// The letter that tells a command from the one before it in its group:
// the first where their titles differ ("导出选定…" after "导出全部…": 选).
char32_t TellingLetter(const std::string& title, const std::string& previous)
{
    const std::vector<char32_t> letters = platform::DecodeUtf8(title);
    const std::vector<char32_t> before = platform::DecodeUtf8(previous);
    std::size_t i = 0;
    while (i < letters.size() && i < before.size() && letters[i] == before[i]) {
        ++i;
    }
    return i < letters.size() ? letters[i] : (letters.empty() ? U' ' : letters.front());
}

// The commands among the entries, those of submenus in their places.
template <typename Entries, typename Entry>
void CommandsOf(Entries& entries, std::vector<Entry*>& commands)
{
    for (Entry& entry : entries) {
        if (entry.kind == AddonEntry::Kind::Command) {
            commands.push_back(&entry);
        } else if (entry.kind == AddonEntry::Kind::Submenu) {
            CommandsOf(entry.children, commands);
        }
    }
}

// Walks the customUI document and asks Connect for what its attributes name.
class RibbonReader {
public:
    RibbonReader(const addin::Connect& connect, std::map<std::string, AddonsWriter::Pictures>& pictures)
        : connect_(connect), pictures_(pictures)
    {
    }

    std::vector<AddonEntry> Groups()
    {
        pugi::xml_document document;
        if (!document.load_string(
                connect_.IRibbonExtensibility_GetCustomUI("Microsoft.PowerPoint.Presentation").c_str())) {
            throw std::runtime_error("the ribbon definition is not well-formed");
        }
        std::vector<AddonEntry> groups;
        for (const pugi::xpath_node& group : document.select_nodes("//*[local-name()='group']")) {
            AddonEntry entry = Submenu(group.node());
            entry.children = Children(group.node());
            groups.push_back(std::move(entry));
        }
        return groups;
    }

private:
    std::vector<AddonEntry> Children(const pugi::xml_node& parent)
    {
        std::vector<AddonEntry> entries;
        for (const pugi::xml_node& child : parent.children()) {
            Add(child, entries);
        }
        return entries;
    }

    void Add(const pugi::xml_node& node, std::vector<AddonEntry>& entries)
    {
        const std::string kind = node.name();
        if (kind == "button" && !node.attribute("onAction").empty()) {
            entries.push_back(Command(node));
        } else if (kind == "menuSeparator") {
            entries.push_back({AddonEntry::Kind::Separator, "private:separator", "", "", "", {}});
        } else if (kind == "menu" || kind == "gallery") {
            AddonEntry submenu = Submenu(node);
            AddGalleryItems(node, submenu.children);
            for (AddonEntry& child : Children(node)) {
                submenu.children.push_back(std::move(child));
            }
            entries.push_back(std::move(submenu));
        } else if (kind == "splitButton") {
            for (AddonEntry& child : Children(node)) {
                entries.push_back(std::move(child));
            }
        }
    }

    AddonEntry Command(const pugi::xml_node& node)
    {
        const std::string id = node.attribute("id").value();
        AddonEntry entry{AddonEntry::Kind::Command,
                         CommandUrl(node.attribute("onAction").value(), id),
                         RibbonLabel(node.attribute("label").value()),
                         "",
                         Picture(node),
                         {}};
        entry.tip = node.attribute("screentip").empty() ? entry.title : node.attribute("screentip").value();
        return entry;
    }

    // Impress binds pictures to command addresses: a submenu shows none.
    AddonEntry Submenu(const pugi::xml_node& node)
    {
        return {AddonEntry::Kind::Submenu, "", RibbonLabel(node.attribute("label").value()), "", "", {}};
    }

    // A gallery's own items, as the host fills it through the item callbacks.
    void AddGalleryItems(const pugi::xml_node& gallery, std::vector<AddonEntry>& entries)
    {
        if (gallery.attribute("getItemCount").empty()) {
            return;
        }
        const addin::RibbonControl control{gallery.attribute("id").value()};
        const std::string onAction = gallery.attribute("onAction").value();
        for (std::int16_t i = 0; i < connect_.GetItemCount(control); ++i) {
            AddonEntry item{AddonEntry::Kind::Command,
                            CommandUrl(onAction, control.Id, i),
                            connect_.GetItemLabel(control, i),
                            connect_.GetItemSupertip(control, i),
                            "",
                            {}};
            if (const auto picture = connect_.GetItemImage(control, i)) {
                item.picture = Keep(control.Id + "_" + connect_.GetItemID(control, i), *picture);
            }
            entries.push_back(std::move(item));
        }
    }

    std::string Picture(const pugi::xml_node& node)
    {
        if (node.attribute("getImage").empty()) {
            return "";
        }
        const addin::RibbonControl control{node.attribute("id").value()};
        const auto picture = connect_.GetImage(control);
        return picture ? Keep(control.Id, *picture) : "";
    }

    // A picture that cannot be read is left out, as if the callback gave none.
    std::string Keep(const std::string& name, const resources::Picture& picture)
    {
        auto small = ToolbarPicture::FromResource(picture, ToolbarPicture::kSmall);
        auto large = ToolbarPicture::FromResource(picture, ToolbarPicture::kLarge);
        if (!small || !large) {
            return "";
        }
        pictures_.insert_or_assign(name, AddonsWriter::Pictures{std::move(*small), std::move(*large)});
        return name;
    }

    const addin::Connect& connect_;
    std::map<std::string, AddonsWriter::Pictures>& pictures_;
};

// Set members are ordered by name: m001, m002, ...
std::string MemberName(std::size_t index)
{
    std::string number = std::to_string(index + 1);
    return "m" + std::string(number.size() < 3 ? 3 - number.size() : 0, '0') + number;
}

pugi::xml_node Node(pugi::xml_node parent, const std::string& name, bool replace = false)
{
    pugi::xml_node node = parent.append_child("node");
    node.append_attribute("oor:name") = name.c_str();
    if (replace) {
        node.append_attribute("oor:op") = "replace";
    }
    return node;
}

void Prop(pugi::xml_node parent, const char* name, const std::string& value)
{
    pugi::xml_node prop = parent.append_child("prop");
    prop.append_attribute("oor:name") = name;
    prop.append_attribute("oor:type") = "xs:string";
    prop.append_child("value").text() = value.c_str();
}

std::string PictureFile(const std::string& picture, int size)
{
    return picture + "_" + std::to_string(size) + ".bmp";
}

// Pictures go by command address in the Images set: Impress reads a picture
// file of any size from UserDefinedImages (an ImageIdentifier would name a
// picture of its own, ahead of the set).
void Images(pugi::xml_node images, const std::vector<AddonEntry>& entries)
{
    for (const AddonEntry& entry : entries) {
        if (entry.kind == AddonEntry::Kind::Submenu) {
            Images(images, entry.children);
        }
        if (entry.kind != AddonEntry::Kind::Command || entry.picture.empty()) {
            continue;
        }
        pugi::xml_node image = Node(images, std::string(kToolbarName) + ".image." + entry.picture, true);
        Prop(image, "URL", entry.url);
        pugi::xml_node files = Node(image, "UserDefinedImages");
        Prop(files, "ImageSmallURL", "%origin%/icons/" + PictureFile(entry.picture, ToolbarPicture::kSmall));
        Prop(files, "ImageBigURL", "%origin%/icons/" + PictureFile(entry.picture, ToolbarPicture::kLarge));
    }
}

void MenuItems(pugi::xml_node submenu, const std::vector<AddonEntry>& entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const AddonEntry& entry = entries[i];
        pugi::xml_node item = Node(submenu, MemberName(i), true);
        Prop(item, "URL", entry.url);
        Prop(item, "Title", entry.title);
        Prop(item, "Target", "_self");
        Prop(item, "Context", kContext);
        if (entry.kind == AddonEntry::Kind::Submenu) {
            MenuItems(Node(item, "Submenu"), entry.children);
        }
    }
}

void ToolbarItems(pugi::xml_node toolbar, const std::vector<AddonEntry>& entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        pugi::xml_node item = Node(toolbar, MemberName(i), true);
        Prop(item, "URL", entries[i].url);
        // The toolbar shows the title as the button's tip.
        Prop(item, "Title", entries[i].tip);
        Prop(item, "Target", "_self");
        Prop(item, "Context", kContext);
    }
}

void WritePicture(const std::filesystem::path& file, const ToolbarPicture& picture)
{
    const std::vector<std::uint8_t> bytes = picture.Bmp();
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

}  // namespace

AddonsWriter::AddonsWriter(const addin::Connect& connect) : groups_(RibbonReader(connect, pictures_).Groups())
{
    LetterCommandsWithoutPictures();
}

// Text buttons would take several rows of the toolbar: a command without a
// picture gets its telling letter on its group's colour.
void AddonsWriter::LetterCommandsWithoutPictures()
{
    for (std::size_t group = 0; group < groups_.size(); ++group) {
        std::vector<AddonEntry*> commands;
        CommandsOf(groups_[group].children, commands);
        const std::uint32_t tile = kGroupTiles[group % std::size(kGroupTiles)];
        for (std::size_t i = 0; i < commands.size(); ++i) {
            AddonEntry& command = *commands[i];
            if (!command.picture.empty()) {
                continue;
            }
            const char32_t letter = TellingLetter(command.title, i > 0 ? commands[i - 1]->title : "");
            command.picture = PictureName(command.url);
            pictures_.insert_or_assign(command.picture,
                                       Pictures{ToolbarPicture::Letter(letter, tile, ToolbarPicture::kSmall),
                                                ToolbarPicture::Letter(letter, tile, ToolbarPicture::kLarge)});
        }
    }
}

std::vector<AddonEntry> AddonsWriter::Toolbar() const
{
    std::vector<AddonEntry> entries;
    for (const AddonEntry& group : groups_) {
        if (!entries.empty()) {
            entries.push_back({AddonEntry::Kind::Separator, "private:separator", "", "", "", {}});
        }
        std::vector<const AddonEntry*> commands;
        CommandsOf(group.children, commands);
        for (const AddonEntry* command : commands) {
            entries.push_back(*command);
        }
    }
    return entries;
}

void AddonsWriter::Write(const std::filesystem::path& folder) const
{
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("oor:component-data");
    root.append_attribute("xmlns:oor") = "http://openoffice.org/2001/registry";
    root.append_attribute("xmlns:xs") = "http://www.w3.org/2001/XMLSchema";
    root.append_attribute("oor:name") = "Addons";
    root.append_attribute("oor:package") = "org.openoffice.Office";
    pugi::xml_node ui = Node(root, "AddonUI");

    pugi::xml_node menu = Node(Node(ui, "OfficeMenuBar"), kMenuName, true);
    Prop(menu, "Title", "Velmora");
    Prop(menu, "Context", kContext);
    MenuItems(Node(menu, "Submenu"), groups_);

    ToolbarItems(Node(Node(ui, "OfficeToolBar"), kToolbarName, true), Toolbar());
    Images(Node(ui, "Images"), groups_);

    if (!document.save_file((folder / "Addons.xcu").c_str(), "  ", pugi::format_default, pugi::encoding_utf8)) {
        throw std::runtime_error("cannot write " + (folder / "Addons.xcu").string());
    }
    std::filesystem::create_directories(folder / "icons");
    for (const auto& [name, pictures] : pictures_) {
        for (const ToolbarPicture* picture : {&pictures.small, &pictures.large}) {
            WritePicture(folder / "icons" / PictureFile(name, picture->Size()), *picture);
        }
    }
    WritePicture(folder / kExtensionIcon, ToolbarPicture::Letter(U'V', kGroupTiles[0], kExtensionIconSize));
}

}  // namespace velmora::impress
