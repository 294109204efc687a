#include "platform/WindowText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QStyle>
#include <QStyleFactory>
#include <QLabel>

namespace kx4 {

QFont WindowFont()
{
    QFont font("Calibri");
    font.setPixelSize(11);
    return font;
}

void CaptionOnLine(QGroupBox& frame)
{
    // The classic style centres the caption on the line; the application's style puts it above.
    static QStyle* const classic = [] {
        QStyle* style = QStyleFactory::create("Windows");
        style->setParent(qApp);
        return style;
    }();
    frame.setStyle(classic);
}

void SetElidedText(QLabel& label, const QString& text)
{
    // The room a plain-text label draws in: inside its frame and margin, less its indent.
    const QFontMetrics fm = label.fontMetrics();
    int room = label.contentsRect().width() - 2 * label.margin();
    int indent = label.indent();
    if (indent < 0 && label.frameWidth() > 0)
        indent = fm.horizontalAdvance(QLatin1Char('x')) / 2 - label.margin();
    if (indent > 0)
        room -= indent * ((label.alignment() & Qt::AlignLeft ? 1 : 0) + (label.alignment() & Qt::AlignRight ? 1 : 0));
    label.setText(fm.elidedText(text, Qt::ElideMiddle, room));
    label.setToolTip(text);
}

} // namespace kx4
