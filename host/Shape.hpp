#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/Forward.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::host {

class FillFormat {
public:
    virtual ~FillFormat() = default;
    virtual int Visible() const = 0;
    virtual void SetVisible(int triState) = 0;
    virtual Ref<ColorFormat> ForeColor() = 0;
    virtual float Transparency() const = 0;
    virtual void SetTransparency(float value) = 0;
    virtual void UserPicture(const std::filesystem::path& picture) = 0;
};

class LineFormat {
public:
    virtual ~LineFormat() = default;
    virtual int Visible() const = 0;
    virtual void SetVisible(int triState) = 0;
    virtual Ref<ColorFormat> ForeColor() = 0;
};

class TextEffectFormat {
public:
    virtual ~TextEffectFormat() = default;
    virtual std::string FontName() const = 0;
    virtual void SetFontName(const std::string& value) = 0;
    virtual float FontSize() const = 0;
    virtual void SetFontSize(float value) = 0;
    virtual int FontBold() const = 0;
    virtual void SetFontBold(int triState) = 0;
    virtual int FontItalic() const = 0;
    virtual void SetFontItalic(int triState) = 0;
};

// An embedded control or object; Property/SetProperty reach the object's own
// named properties (a player's "Movie", say).
class OLEFormat {
public:
    virtual ~OLEFormat() = default;
    virtual std::string ProgID() const = 0;
    virtual std::string Property(const std::string& name) const = 0;
    virtual void SetProperty(const std::string& name, const std::string& value) = 0;
};

class Borders {
public:
    virtual ~Borders() = default;
    virtual int Count() const = 0;
    // By border type (BorderType::Top ... Right).
    virtual Ref<LineFormat> Item(int borderType) = 0;
};

class Cell {
public:
    virtual ~Cell() = default;
    virtual Ref<host::Shape> Shape() = 0;
    virtual Ref<host::Borders> Borders() = 0;
};

class CellRange {
public:
    virtual ~CellRange() = default;
    virtual int Count() const = 0;
    virtual Ref<host::Cell> Item(int index) = 0;
};

class Row {
public:
    virtual ~Row() = default;
    virtual Ref<CellRange> Cells() = 0;
};

class Rows {
public:
    virtual ~Rows() = default;
    virtual int Count() const = 0;
    virtual Ref<Row> Item(int index) = 0;
};

class Table {
public:
    virtual ~Table() = default;
    virtual Ref<host::Rows> Rows() = 0;
    virtual int ColumnCount() const = 0;
    virtual Ref<host::Cell> Cell(int row, int column) = 0;
};

class GroupShapes {
public:
    virtual ~GroupShapes() = default;
    virtual int Count() const = 0;
    virtual Ref<host::Shape> Item(int index) = 0;
};

class PlaceholderFormat {
public:
    virtual ~PlaceholderFormat() = default;
    virtual int Type() const = 0;  // PlaceholderType
};

class Shape {
public:
    virtual ~Shape() = default;
    virtual int Type() const = 0;
    virtual std::string Name() const = 0;
    virtual void SetName(const std::string& value) = 0;
    virtual int Id() const = 0;
    // Geometry in points, relative to the slide, also for shapes in groups.
    virtual float Left() const = 0;
    virtual void SetLeft(float value) = 0;
    virtual float Top() const = 0;
    virtual void SetTop(float value) = 0;
    virtual float Width() const = 0;
    virtual void SetWidth(float value) = 0;
    virtual float Height() const = 0;
    virtual void SetHeight(float value) = 0;
    virtual int Visible() const = 0;
    virtual void SetVisible(int triState) = 0;
    virtual Ref<FillFormat> Fill() = 0;
    virtual Ref<LineFormat> Line() = 0;
    virtual int HasTextFrame() const = 0;
    virtual Ref<host::TextFrame> TextFrame() = 0;
    virtual int HasTable() const = 0;
    virtual Ref<host::Table> Table() = 0;
    virtual Ref<GroupShapes> GroupItems() = 0;
    virtual Ref<ShapeRange> Ungroup() = 0;
    // Makes the shape the window's selection (replace) or adds it to it.
    virtual void Select(bool replace = true) = 0;
    virtual void Copy() = 0;
    virtual void Delete() = 0;
    virtual void Export(const std::filesystem::path& file, const std::string& filter) = 0;
    virtual Ref<host::OLEFormat> OLEFormat() = 0;
    virtual Ref<host::Tags> Tags() = 0;
    virtual Ref<TextEffectFormat> TextEffect() = 0;
    // Raises the host error for a shape that is no placeholder.
    virtual Ref<host::PlaceholderFormat> PlaceholderFormat() = 0;
};

// A range acts as one shape: writes go to every member, reads answer for a
// single member or give the mixed value.
class ShapeRange : public Shape {
public:
    virtual int Count() const = 0;
    virtual Ref<Shape> Item(int index) = 0;
    // Groups the members and returns the new group shape.
    virtual Ref<Shape> Group() = 0;
};

class Placeholders {
public:
    virtual ~Placeholders() = default;
    virtual int Count() const = 0;
    virtual Ref<Shape> Item(int index) = 0;
};

class Shapes {
public:
    virtual ~Shapes() = default;
    virtual int Count() const = 0;
    virtual Ref<Shape> Item(int index) = 0;
    virtual Ref<Shape> Item(const std::string& name) = 0;
    virtual Ref<host::Placeholders> Placeholders() = 0;
    virtual Ref<Shape> AddShape(int autoShapeType, float left, float top, float width, float height) = 0;
    // A width or height of -1 takes the picture's own size.
    virtual Ref<Shape> AddPicture(const std::filesystem::path& file, int linkToFile, int saveWithDocument,
                                  float left, float top, float width = -1, float height = -1) = 0;
    virtual Ref<Shape> AddTextbox(int orientation, float left, float top, float width, float height) = 0;
    virtual Ref<Shape> AddTable(int rows, int columns, float left, float top, float width, float height) = 0;
    // A new object of the class (className) or made from a file (fileName),
    // shown as itself or as an icon, embedded or linked (link -1).
    virtual Ref<Shape> AddOLEObject(float left, float top, float width, float height, const std::string& className,
                                    const std::string& fileName, int displayAsIcon = 0,
                                    const std::string& iconFileName = "", int iconIndex = 0,
                                    const std::string& iconLabel = "", int link = 0) = 0;
    virtual Ref<ShapeRange> Range(const std::vector<int>& indexes) = 0;
    virtual Ref<ShapeRange> PasteSpecial(int dataType) = 0;
};

}  // namespace velmora::host
