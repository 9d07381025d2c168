#pragma once

#include <vector>

#include <pugixml.hpp>

#include "pptx/shapes/DocumentLine.hpp"

// Which elements carry the fill and outline of each kind of shape: a shape
// its own, a group its members', a table its cells' (so colouring a table
// colours every cell and border, as the presentation program shows it).
namespace velmora::pptx::shapes {

// Raise the host error for shapes without a fill or outline (charts, diagrams, objects).
std::vector<pugi::xml_node> FillHolders(pugi::xml_node shape);
std::vector<LineSite> LineSites(pugi::xml_node shape);

std::vector<pugi::xml_node> TableRows(pugi::xml_node table);
std::vector<pugi::xml_node> RowCells(pugi::xml_node row);
// The four borders of a cell: top, left, bottom, right.
std::vector<LineSite> CellBorders(pugi::xml_node cell);
// Border element of a cell for a border type (1 top ... 4 right, 5 and 6 the diagonals).
const char* BorderName(int borderType);

}  // namespace velmora::pptx::shapes
