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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool border_ = false;
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
public:
    WrappingCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace kx4
