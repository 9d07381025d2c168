#include "publish/MontageLayout.hpp"

#include <cmath>
#include <stdexcept>
#include <string>

namespace velmora::publish {

namespace {

int ColumnsOf(int sortType, int count)
{
    switch (sortType) {
    case Arrangement::Column: return 1;
    case Arrangement::Row: return count;
    case Arrangement::TwoColumns: return 2;
    case Arrangement::ThreeColumns: return 3;
    default: throw std::invalid_argument("unknown montage arrangement " + std::to_string(sortType));
    }
}

// The length of `cells` pictures of `size` with a gap before, between and after them.
double Span(int cells, double size, double gap)
{
    return cells * size + (cells + 1) * gap;
}

}  // namespace

MontageLayout::MontageLayout(int count, int sortType, double width, double height, double gap)
    : count_(count), columns_(ColumnsOf(sortType, count)), rows_(0), width_(width), height_(height), gap_(gap)
{
    if (count < 1) {
        throw std::invalid_argument("a montage needs at least one picture");
    }
    if (!(gap >= 0)) {
        throw std::invalid_argument("a montage gap cannot be negative");
    }
    rows_ = (count + columns_ - 1) / columns_;
}

Place MontageLayout::Picture(int index) const
{
    if (index < 1 || index > count_) {
        throw std::out_of_range("picture " + std::to_string(index) + " of a montage of " + std::to_string(count_));
    }
    const int column = (index - 1) % columns_;
    const int row = (index - 1) / columns_;
    return {column * width_ + (column + 1) * gap_, row * height_ + (row + 1) * gap_, width_, height_};
}

Place MontageLayout::Canvas() const
{
    return {0, 0, Span(columns_, width_, gap_), Span(rows_, height_, gap_)};
}

Place WatermarkPlace(const Place& picture, double width, double height, int position, double margin)
{
    // The top is measured from the picture's top only for the top corner,
    // and the left is centred only for the bottom centre.
    const double top = position == WatermarkCorner::TopRight ? picture.top + margin
                                                              : picture.top + picture.height - height - margin;
    const double left = position == WatermarkCorner::BottomCentre ? picture.left + picture.width / 2 - width / 2
                                                                   : picture.left + picture.width - width - margin;
    return {left, top, width, height};
}

Place OnWholePoints(const Place& place)
{
    const double left = std::floor(place.left);
    const double top = std::floor(place.top);
    return {left, top, std::floor(place.left + place.width) - left, std::floor(place.top + place.height) - top};
}

int PreviewScale::Thumbnails(int sortType)
{
    switch (sortType) {
    case Arrangement::TwoColumns: return 6;
    case Arrangement::ThreeColumns: return 9;
    default: return 3;
    }
}

}  // namespace velmora::publish
