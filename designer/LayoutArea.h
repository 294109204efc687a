#pragma once
// The layout area picLayout: a 2-pixel sunken border around the drawing surface, which is exactly
// the panel's size; element controls are children of the surface, positioned in panel pixels.
#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

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

    // Grid lines over the background, under the element controls: places in pixels from the
    // origin, each line across the whole surface. No places, no grid.
    void SetGridLines(std::vector<int> vertical, std::vector<int> horizontal);
    const std::vector<int>& VerticalGridLines() const { return verticalGrid_; }
    const std::vector<int>& HorizontalGridLines() const { return horizontalGrid_; }
    // Kept while the grid is hidden, for the lines shown later.
    void SetGridColor(QColor color);
    QColor GridColor() const { return gridColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_{Qt::white};
    QImage picture_;
    std::vector<int> verticalGrid_;
    std::vector<int> horizontalGrid_;
    QColor gridColor_{0x80, 0x80, 0x80};
};

class LayoutArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2; // pixels on each side

    explicit LayoutArea(QWidget* parent);
    LayoutSurface* Surface() const { return surface_; }

signals:
    // The pointer moves over the area, not over an element; pixels from the surface's origin.
    void pointerMoved(QPointF pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    LayoutSurface* surface_;
};

} // namespace kx4
