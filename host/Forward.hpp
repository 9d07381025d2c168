#pragma once

#include <memory>

namespace velmora::host {

class Application;
class Presentations;
class Presentation;
class PageSetup;
class Slides;
class Slide;
class SlideRange;
class NotesPage;
class TimeLine;
class Sequence;
class Effect;
class SlideShowTransition;
class Tags;
class DocumentWindow;
class View;
class Selection;
class FileDialog;
class Shapes;
class Placeholders;
class Shape;
class ShapeRange;
class GroupShapes;
class FillFormat;
class LineFormat;
class ColorFormat;
class TextFrame;
class TextRange;
class Font;
class ParagraphFormat;
class Table;
class Rows;
class Row;
class CellRange;
class Cell;
class Borders;
class TextEffectFormat;
class OLEFormat;

template <typename T>
using Ref = std::shared_ptr<T>;

}  // namespace velmora::host
