#include "designer/PreviewWidgets.h"

#include <QApplication>
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
    setMouseTracking(true);
    hide();
}

void ElementView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton)
        emit pointerMoved(event->position());
}

void ElementView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit dragStarted(event->position());
    else
        event->ignore();
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

DragOutline::DragOutline(QWidget* parent) : QWidget(parent)
{
    setObjectName("dragOutline");
    // The drop goes to what lies under the outline.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DragOutline::Begin(QWidget* source, QPointF grab)
{
    source_ = source;
    grab_ = grab;
    resize(source->size());
    Follow(source->mapToGlobal(grab));
    show();
    raise();
    qApp->installEventFilter(this);
    source->grabMouse();
}

void DragOutline::Follow(QPointF globalPos)
{
    move((parentWidget()->mapFromGlobal(globalPos) - grab_).toPoint());
}

QWidget* DragOutline::End()
{
    QWidget* const source = source_;
    source_ = nullptr;
    qApp->removeEventFilter(this);
    source->releaseMouse();
    hide();
    return source;
}

bool DragOutline::eventFilter(QObject* watched, QEvent* event)
{
    // Window-level events pass, so that the toolkit's own pointer bookkeeping stays right; their
    // delivery to the widgets is what is held back.
    if (!source_ || !watched->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // The release went elsewhere (the system took the pointer): the drag ends without a drop.
        if (!(mouse->buttons() & Qt::LeftButton))
            End();
        else
            Follow(mouse->globalPosition());
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        QWidget* const source = End();
        event->accept();
        emit released(source, mouse->globalPosition());
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
        break;
    default:
        return false;
    }
    event->accept();
    return true;
}

void DragOutline::paintEvent(QPaintEvent*)
{
    // White under black dashes: visible over any background.
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(QPen(Qt::white, 0));
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 0, Qt::DashLine));
    p.drawRect(r);
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
    // Where the style puts a check box's caption, so that it is measured where it is drawn.
    opt.text = caption;
    const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(textRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, caption);
}

} // namespace kx4
