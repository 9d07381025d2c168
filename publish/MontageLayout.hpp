#pragma once

// Where the pictures of a montage go: the arrangement, the gaps that show as
// the border, the background canvas and the watermark on each picture. The
// dialog's preview and the montage itself both place by this unit, so the
// two cannot disagree.
namespace velmora::publish {

// SortType values.
namespace Arrangement {
inline constexpr int Column = 1;
inline constexpr int Row = 2;
inline constexpr int TwoColumns = 3;
inline constexpr int ThreeColumns = 4;
}  // namespace Arrangement

// WaterMarkPosition values.
namespace WatermarkCorner {
inline constexpr int TopRight = 1;
inline constexpr int BottomCentre = 2;
inline constexpr int BottomRight = 3;
}  // namespace WatermarkCorner

// A rectangle in points (or, in the preview, in dialog points).
struct Place {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool operator==(const Place&) const = default;
};

class MontageLayout {
public:
    // `count` pictures of `width` x `height`, `gap` apart and around. Raises
    // std::invalid_argument for a count below 1, an unknown arrangement or a
    // negative gap.
    MontageLayout(int count, int sortType, double width, double height, double gap);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // Picture `index`, from 1, filling each row left to right, rows top to bottom.
    Place Picture(int index) const;
    // The background at (0, 0) that shows through the gaps.
    Place Canvas() const;

private:
    int count_;
    int columns_;
    int rows_;
    double width_;
    double height_;
    double gap_;
};

// A watermark of `width` x `height` on `picture`, `margin` in from its edges.
// A watermark wider than the picture reaches out to its left: nothing is clipped.
Place WatermarkPlace(const Place& picture, double width, double height, int position, double margin);

// `place` with each edge moved down to a whole point. The montage is drawn
// at a pixel a point, and a picture on whole pixels does not blend into the
// border beside it. Each edge is rounded once from its exact value, so the
// gaps keep the width the layout gives them.
Place OnWholePoints(const Place& place);

// The preview's scale: thumbnails of 64 x 48 with an eighth of the border
// width between them, and a fixed number of them per arrangement.
struct PreviewScale {
    static constexpr double kWidth = 64;
    static constexpr double kHeight = 48;
    static constexpr double kMargin = 2;
    static constexpr double kGapPerBorderPoint = 1.0 / 8;
    static constexpr int kMostThumbnails = 9;
    static int Thumbnails(int sortType);
};

// The montage's own values: the picture watermark is 120 x 40, 10 points in.
struct OutputScale {
    static constexpr double kMargin = 10;
    static constexpr double kMarkWidth = 120;
    static constexpr double kMarkHeight = 40;
};

}  // namespace velmora::publish
