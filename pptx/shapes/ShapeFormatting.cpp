#include "pptx/shapes/ShapeFormatting.hpp"

#include <array>
#include <string>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr std::array<const char*, 6> kBorderNames = {"a:lnT", "a:lnL", "a:lnB", "a:lnR", "a:lnTlToBr", "a:lnBlToTr"};

std::vector<pugi::xml_node> ChildrenNamed(pugi::xml_node parent, const char* localName)
{
    std::vector<pugi::xml_node> found;
    for (auto child : parent.children()) {
        if (Is(child, localName)) {
            found.push_back(child);
        }
    }
    return found;
}

std::vector<pugi::xml_node> AllCells(pugi::xml_node table)
{
    std::vector<pugi::xml_node> cells;
    for (auto row : TableRows(table)) {
        for (auto cell : RowCells(row)) {
            cells.push_back(cell);
        }
    }
    return cells;
}

[[noreturn]] void NoFormatting(pugi::xml_node shape, const char* what)
{
    throw host::HostError(std::string("the shape \"") + ShapeNameOf(shape) + "\" has no " + what);
}

}  // namespace

std::vector<pugi::xml_node> FillHolders(pugi::xml_node shape)
{
    if (IsAnyOf(shape, {"sp", "pic", "cxnSp"})) {
        return {shape};
    }
    if (IsGroup(shape)) {
        std::vector<pugi::xml_node> holders;
        for (auto member : ChildShapes(shape)) {
            for (auto holder : FillHolders(member)) {
                holders.push_back(holder);
            }
        }
        return holders;
    }
    if (auto table = TableOf(shape)) {
        return AllCells(table);
    }
    NoFormatting(shape, "fill");
}

std::vector<LineSite> LineSites(pugi::xml_node shape)
{
    if (IsAnyOf(shape, {"sp", "pic", "cxnSp"})) {
        return {{shape, "a:ln"}};
    }
    if (IsGroup(shape)) {
        std::vector<LineSite> sites;
        for (auto member : ChildShapes(shape)) {
            for (const auto& site : LineSites(member)) {
                sites.push_back(site);
            }
        }
        return sites;
    }
    if (auto table = TableOf(shape)) {
        std::vector<LineSite> sites;
        for (auto cell : AllCells(table)) {
            for (const auto& border : CellBorders(cell)) {
                sites.push_back(border);
            }
        }
        return sites;
    }
    NoFormatting(shape, "line");
}

std::vector<pugi::xml_node> TableRows(pugi::xml_node table)
{
    return ChildrenNamed(table, "tr");
}

std::vector<pugi::xml_node> RowCells(pugi::xml_node row)
{
    return ChildrenNamed(row, "tc");
}

std::vector<LineSite> CellBorders(pugi::xml_node cell)
{
    std::vector<LineSite> borders;
    for (int type = host::BorderType::Top; type <= host::BorderType::Right; ++type) {
        borders.push_back({cell, BorderName(type)});
    }
    return borders;
}

const char* BorderName(int borderType)
{
    if (borderType < 1 || borderType > static_cast<int>(kBorderNames.size())) {
        throw host::HostError("border type " + std::to_string(borderType) + " does not exist");
    }
    return kBorderNames[borderType - 1];
}

}  // namespace velmora::pptx::shapes
