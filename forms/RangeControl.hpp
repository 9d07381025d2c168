#pragma once

#include "forms/Control.hpp"

namespace velmora::forms {

// A whole-number Value kept within Min and Max (either may be the larger).
// Changing Value, Min or Max fires Change when Value really changes.
class RangeControl : public Control {
public:
    RangeControl(Container& parent, std::string name, int max);

    int Value() const { return value_; }
    void SetValue(int value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    int Orientation() const { return orientation_; }
    void SetOrientation(int value) { orientation_ = value; }

    bool InRange(int value) const;

private:
    int value_ = 0;
    int min_ = 0;
    int max_;
    int smallChange_ = 1;
    int largeChange_ = 1;
    int orientation_ = Orientation::Auto;
};

}  // namespace velmora::forms
