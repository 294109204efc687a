#include "designer/PreviewWidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kx4 {

ElementView::ElementView(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setIndent(0);
    setMargin(0);
    hide();
}

void ElementView::SetBorder(bool on)
{
    border_ = on;
    setContentsMargins(on ? 1 : 0, on ? 1 : 0, on ? 1 : 0, on ? 1 : 0);
    update();
}

void ElementView::SetBackground(QColor color)
{
    setAutoFillBackground(color.isValid());
    if (color.isValid()) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, color);
        setPalette(pal);
    }
}

void ElementView::SetTextColor(QColor color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void ElementView::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (border_) {
        QPainter p(this);
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

SettingsRow::SettingsRow(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setIndent(2);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void SettingsRow::SetHighlight(bool on)
{
    if (on == highlighted_)
        return;
    highlighted_ = on;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, on ? QColor(255, 255, 0) : QColor(255, 255, 255));
    setPalette(pal);
}

void SettingsRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
    QStyleOptionButton box = opt;
    box.rect = QRect(indicator.left(), (height() - indicator.height()) / 2, indicator.width(), indicator.height());
    p.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
    const QRect textRect = rect().adjusted(box.rect.right() + 5, 0, 0, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(textRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, caption);
}

} // namespace kx4
