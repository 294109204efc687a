#include "designer/LayoutArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace kx4 {

LayoutSurface::LayoutSurface(QWidget* parent) : QWidget(parent)
{
    setObjectName("picLayoutSurface");
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Its pointer moves are the layout area's.
    setMouseTracking(true);
}

void LayoutSurface::SetBackColor(QColor color)
{
    backColor_ = color;
    update();
}

void LayoutSurface::SetPicture(QImage picture)
{
    picture_ = std::move(picture);
    update();
}

void LayoutSurface::ClearPicture()
{
    picture_ = QImage();
    update();
}

void LayoutSurface::SetGridLines(std::vector<int> vertical, std::vector<int> horizontal)
{
    verticalGrid_ = std::move(vertical);
    horizontalGrid_ = std::move(horizontal);
    update();
}

void LayoutSurface::SetGridColor(QColor color)
{
    gridColor_ = color;
    update();
}

void LayoutSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), backColor_);
    if (!picture_.isNull())
        p.drawImage(0, 0, picture_);
    p.setPen(QPen(gridColor_, 0));
    for (const int x : verticalGrid_)
        p.drawLine(x, 0, x, height() - 1);
    for (const int y : horizontalGrid_)
        p.drawLine(0, y, width() - 1, y);
}

LayoutArea::LayoutArea(QWidget* parent) : QWidget(parent), surface_(new LayoutSurface(this))
{
    setObjectName("picLayout");
    surface_->move(kBorder, kBorder);
    setMouseTracking(true);
}

void LayoutArea::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(event->position() - QPointF(kBorder, kBorder));
}

void LayoutArea::resizeEvent(QResizeEvent*)
{
    surface_->resize(qMax(0, width() - 2 * kBorder), qMax(0, height() - 2 * kBorder));
}

void LayoutArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    qDrawWinPanel(&p, rect(), palette(), /*sunken=*/true);
}

} // namespace kx4
