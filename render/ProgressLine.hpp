#pragma once

namespace velmora::render {

// "rendering slide 5/24" on stderr, redrawn in place; shown only for several
// slides and only when stderr is a terminal, so logs and pipes stay clean.
class ProgressLine {
public:
    explicit ProgressLine(int total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(int done) const;

private:
    int total_;
    bool shown_;
};

}  // namespace velmora::render
