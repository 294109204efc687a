#pragma once
// The display the windows are placed on: its size in twips (15 per pixel), by which the main window
// is sized and centred, and the area windows may cover.
#include <QRect>

namespace kx4 {

struct TwipsSize {
    int width = 0;
    int height = 0;
};

class DisplaySize {
public:
    virtual ~DisplaySize() = default;
    virtual TwipsSize Twips() const = 0;
    // The part of the display that windows may cover, without task bars and panels, pixels.
    virtual QRect Available() const = 0;
};

// The primary screen's geometry times 15, and its available area.
class ScreenDisplaySize final : public DisplaySize {
public:
    TwipsSize Twips() const override;
    QRect Available() const override;
};

// A display of a set size, for tests; windows may cover all of it unless an area is given.
class FixedDisplaySize final : public DisplaySize {
public:
    explicit FixedDisplaySize(TwipsSize size, QRect available = {}) : size_(size), available_(available) {}
    void Set(TwipsSize size) { size_ = size; }
    TwipsSize Twips() const override { return size_; }
    QRect Available() const override
    {
        return available_.isValid() ? available_ : QRect(0, 0, size_.width / 15, size_.height / 15);
    }

private:
    TwipsSize size_;
    QRect available_;
};

} // namespace kx4
