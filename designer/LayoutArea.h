#pragma once
// The layout area picLayout: a 2-pixel sunken border around the drawing surface, which is exactly
// the panel's size; element controls are children of the surface, positioned in panel pixels.
#include <QColor>
#include <QImage>
#include <QWidget>

namespace kx4 {

// The panel's pixels: back colour, then the background picture from the top-left corner.
class LayoutSurface : public QWidget {
    Q_OBJECT
public:
    explicit LayoutSurface(QWidget* parent);

    void SetBackColor(QColor color);
    QColor BackColor() const { return backColor_; }
    void SetPicture(QImage picture);
    void ClearPicture();
    bool HasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_{Qt::white};
    QImage picture_;
};

class LayoutArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2; // pixels on each side

    explicit LayoutArea(QWidget* parent);
    LayoutSurface* Surface() const { return surface_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    LayoutSurface* surface_;
};

} // namespace kx4
