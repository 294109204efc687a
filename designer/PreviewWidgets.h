#pragma once
// The controls the previews are made of: element pictures and captions on the layout area, the
// rows of the settings lists, and a check box whose caption wraps within its width.
#include <QCheckBox>
#include <QLabel>

namespace kx4 {

// A picture or caption of an element: a label that can carry a one-pixel black border and be
// transparent (no background drawn) or opaque in a given colour.
class ElementView : public QLabel {
    Q_OBJECT
public:
    explicit ElementView(QWidget* parent, const QString& name);

    void SetBorder(bool on);
    bool HasBorder() const { return border_; }
    // An invalid colour makes the control transparent.
    void SetBackground(QColor color);
    void SetTextColor(QColor color);

signals:
    // The pointer moves over the control with no button down; pixels inside the control.
    void pointerMoved(QPointF pos);
    // The left button goes down on the control: a drag starts there.
    void dragStarted(QPointF pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool border_ = false;
};

// The dashed outline of a control being dragged. While a drag lasts it follows the pointer over
// the window, holds the mouse and keeps every other mouse event from the application; releasing
// the left button ends the drag and reports where, in global coordinates.
class DragOutline : public QWidget {
    Q_OBJECT
public:
    explicit DragOutline(QWidget* parent);

    // Starts a drag of `source`, grabbed `grab` pixels inside its top-left corner.
    void Begin(QWidget* source, QPointF grab);
    bool Dragging() const { return source_ != nullptr; }

signals:
    void released(QWidget* source, QPointF globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QPointF globalPos);
    // Stops following and holding the mouse; the control that was dragged.
    QWidget* End();

    QWidget* source_ = nullptr;
    QPointF grab_;
};

// One row of a settings list: white, or yellow while highlighted.
class SettingsRow : public QLabel {
    Q_OBJECT
public:
    explicit SettingsRow(QWidget* parent, const QString& name);

    void SetHighlight(bool on);
    bool Highlighted() const { return highlighted_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool highlighted_ = false;
};

// A check box in a narrow column: its caption wraps onto further lines instead of being cut.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(bool wordWrap READ wordWrap CONSTANT)
public:
    bool wordWrap() const { return true; }
    WrappingCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace kx4
