#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include <pugixml.hpp>

// Element helpers for DrawingML and PresentationML. Elements are matched by
// local name so that a producer's choice of prefixes does not matter; new
// elements are written with the customary "a:" and "p:" prefixes.
namespace velmora::pptx::shapes {

std::string_view LocalName(pugi::xml_node node);
bool Is(pugi::xml_node node, std::string_view localName);
bool IsAnyOf(pugi::xml_node node, std::initializer_list<std::string_view> localNames);

// First child element with that local name (an empty node when there is none);
// a qualified name compares by its local part.
pugi::xml_node Child(pugi::xml_node parent, std::string_view localName);
// Follows a chain of children: Path(sp, {"txBody", "bodyPr"}).
pugi::xml_node Path(pugi::xml_node node, std::initializer_list<std::string_view> localNames);

// The child with the local name of qualifiedName, created in schema order when missing.
pugi::xml_node EnsureChild(pugi::xml_node parent, const char* qualifiedName);
// A new child placed where the schema wants it among the existing children.
pugi::xml_node InsertInOrder(pugi::xml_node parent, const char* qualifiedName);
void RemoveChildren(pugi::xml_node parent, std::initializer_list<std::string_view> localNames);

// Integer attribute; the fallback for a missing or malformed value.
std::int64_t IntAttribute(pugi::xml_node node, const char* name, std::int64_t fallback);
// Integer attribute as a real number, e.g. for ratios.
double NumberAttribute(pugi::xml_node node, const char* name, double fallback);
bool BoolAttribute(pugi::xml_node node, const char* name, bool fallback);
void SetAttribute(pugi::xml_node node, const char* name, std::int64_t value);
void SetAttribute(pugi::xml_node node, const char* name, const char* value);

// Declares xmlns:prefix on the document element when it is not declared yet.
void EnsureNamespace(pugi::xml_node anyNode, const char* prefix, const char* uri);

}  // namespace velmora::pptx::shapes
