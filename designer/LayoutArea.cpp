#include "designer/LayoutArea.h"

#include <QPainter>
#include <qdrawutil.h>

namespace kx4 {

LayoutSurface::LayoutSurface(QWidget* parent) : QWidget(parent)
{
    setObjectName("picLayoutSurface");
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void LayoutSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), backColor_);
    if (!picture_.isNull())
        p.drawImage(0, 0, picture_);
}

LayoutArea::LayoutArea(QWidget* parent) : QWidget(parent), surface_(new LayoutSurface(this))
{
    setObjectName("picLayout");
    surface_->move(kBorder, kBorder);
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
