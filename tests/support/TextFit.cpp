#include "TextFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace kx4::test {
namespace {

// The text as drawn: "&x" marks a shortcut letter, "&&" is one ampersand.
QString Shown(const QString& caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

// Whether `text` fits `room` in `fm`, on one line or wrapped at word boundaries.
bool Fits(const QFontMetrics& fm, const QString& text, const QRect& room, bool wrap)
{
    if (!wrap)
        return fm.horizontalAdvance(text) <= room.width() && fm.height() * (text.count('\n') + 1) <= room.height();
    // A word wider than the room would stick out of it.
    const QRect needed = fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::AlignLeft | Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// Where a plain-text label draws its text: inside its frame and margin, less its indent on the
// sides it is aligned to.
QRect LabelRoom(const QLabel& label)
{
    QRect room = label.contentsRect();
    const int margin = label.margin();
    room.adjust(margin, margin, -margin, -margin);
    int indent = label.indent();
    if (indent < 0 && label.frameWidth() > 0)
        indent = label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin;
    if (indent > 0) {
        const Qt::Alignment align = label.alignment();
        if (align & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        if (align & Qt::AlignRight)
            room.setRight(room.right() - indent);
        if (align & Qt::AlignTop)
            room.setTop(room.top() + indent);
        if (align & Qt::AlignBottom)
            room.setBottom(room.bottom() - indent);
    }
    return room;
}

bool LabelFits(const QLabel& label, const QString& text)
{
    return Fits(label.fontMetrics(), text, LabelRoom(label), label.wordWrap());
}

bool ButtonFits(const QAbstractButton& button)
{
    QStyleOptionButton opt;
    opt.initFrom(&button);
    opt.text = button.text();
    opt.rect = button.rect();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton*>(&button))
        contents = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QCheckBox*>(&button))
        contents = QStyle::SE_CheckBoxContents;
    const QRect room = button.style()->subElementRect(contents, &opt, &button);
    return Fits(button.fontMetrics(), Shown(button.text()), room, button.property("wordWrap").toBool());
}

QString TextOf(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return button->text();
    if (const auto* list = qobject_cast<const QComboBox*>(&control))
        return list->currentText();
    return {};
}

bool InSkipped(const QWidget* w, const std::vector<const QWidget*>& skip)
{
    for (; w; w = w->parentWidget())
        if (std::find(skip.begin(), skip.end(), w) != skip.end())
            return true;
    return false;
}

} // namespace

std::vector<std::string> ClippedTexts(const QWidget& window, const std::vector<const QWidget*>& skip)
{
    std::vector<std::string> out;
    const auto report = [&](const QObject& control, const QString& text) {
        out.push_back(control.objectName().toStdString() + ": " + text.toStdString());
    };
    const auto measured = [&](const QWidget* w) { return !InSkipped(w, skip); };

    for (const QLabel* label : window.findChildren<QLabel*>())
        if (measured(label) && !label->text().isEmpty() && !LabelFits(*label, label->text()))
            report(*label, label->text());

    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const bool captioned = qobject_cast<const QPushButton*>(button) || qobject_cast<const QCheckBox*>(button)
            || qobject_cast<const QRadioButton*>(button);
        if (captioned && measured(button) && !button->text().isEmpty() && !ButtonFits(*button))
            report(*button, button->text());
    }

    for (const QComboBox* list : window.findChildren<QComboBox*>()) {
        if (!measured(list))
            continue;
        QStyleOptionComboBox opt;
        opt.initFrom(list);
        opt.rect = list->rect();
        const QRect room = list->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i)
            if (!Fits(list->fontMetrics(), list->itemText(i), room, false))
                report(*list, list->itemText(i));
    }

    for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        if (!measured(frame) || frame->title().isEmpty())
            continue;
        QStyleOptionGroupBox opt;
        opt.initFrom(frame);
        opt.text = frame->title();
        opt.rect = frame->rect();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
        if (!frame->rect().contains(title))
            report(*frame, frame->title());
        // A control that reaches the frame's line or title is cut by them.
        const QRect inside = frame->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, frame);
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!control->isWindow() && !inside.contains(control->geometry()))
                report(*control, TextOf(*control));
    }

    for (const QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        if (!measured(bar))
            continue;
        for (QAction* a : bar->actions()) {
            // An item that does not fit the bar is moved into its overflow menu.
            const QRect place = bar->actionGeometry(a);
            if (a->isVisible() && (place.isEmpty() || !bar->rect().contains(place)
                                   || bar->fontMetrics().horizontalAdvance(Shown(a->text())) > place.width()))
                report(*a, a->text());
        }
    }

    for (QMenu* menu : window.findChildren<QMenu*>()) {
        if (!measured(menu))
            continue;
        menu->ensurePolished();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const QRect place = menu->actionGeometry(a);
            if (menu->fontMetrics().horizontalAdvance(Shown(a->text())) > place.width())
                report(*a, a->text());
        }
    }
    return out;
}

std::vector<std::string> ClippedInLabel(const QLabel& label, const std::vector<QString>& texts)
{
    std::vector<std::string> out;
    for (const QString& text : texts)
        if (!LabelFits(label, text))
            out.push_back(label.objectName().toStdString() + ": " + text.toStdString());
    return out;
}

QString Widest(const QLabel& label, const std::vector<QString>& texts)
{
    const QFontMetrics fm = label.fontMetrics();
    QString widest;
    int most = -1;
    for (const QString& text : texts)
        if (const int w = fm.horizontalAdvance(text); w > most) {
            most = w;
            widest = text;
        }
    return widest;
}

} // namespace kx4::test
