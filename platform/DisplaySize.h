#pragma once
// The size of the display the main window is placed and sized on, in twips (15 per pixel).

namespace kx4 {

struct TwipsSize {
    int width = 0;
    int height = 0;
};

class DisplaySize {
public:
    virtual ~DisplaySize() = default;
    virtual TwipsSize Twips() const = 0;
};

// The primary screen's geometry times 15.
class ScreenDisplaySize final : public DisplaySize {
public:
    TwipsSize Twips() const override;
};

// A display of a set size, for tests.
class FixedDisplaySize final : public DisplaySize {
public:
    explicit FixedDisplaySize(TwipsSize size) : size_(size) {}
    void Set(TwipsSize size) { size_ = size; }
    TwipsSize Twips() const override { return size_; }

private:
    TwipsSize size_;
};

} // namespace kx4
