#pragma once
// What every dialog of the editors shares: the designer's font, back colour and icon, controls
// placed in twips, and an activation step (Form_Activate) that runs once the window is first on
// screen. It is queued behind the show, so that a message it shows stands over the window; tests
// that drive an open dialog let it run first.
#include "platform/WindowPlace.h"

#include <QDialog>
#include <QLabel>
#include <QRect>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace kx4 {

// A label the user clicks.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent) : QLabel(parent) {}

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A picture the user clicks to choose it.
class PictureControl : public ClickLabel {
    Q_OBJECT
public:
    PictureControl(QWidget* parent, const QString& name, const QImage& picture);
};

class DialogWindow : public QDialog {
    Q_OBJECT
protected:
    explicit DialogWindow(QWidget* parent);

    // Copies what the window edits into its controls; runs once, after the first show.
    virtual void Form_Activate() = 0;

    // The height the design leaves to lists, labels and text boxes, twips.
    static constexpr int kListHeight = 315;

    // --- the window and its controls; places in twips inside `parent`
    void SetClientSize(int widthTwips, int heightTwips);
    QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                      int height = kListHeight);
    QComboBox* MakeList(QWidget* parent, const char* name, int left, int top, int width);
    QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                            int height = 375);
    QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, int left, int top, int width);
    QLineEdit* MakeTextBox(QWidget* parent, const char* name, int left, int top, int width);
    QGroupBox* MakeFrame(const char* name, const QString& caption, int left, int top, int width, int height);
    // A picture at its own size.
    PictureControl* MakePicture(QWidget* parent, const QString& name, const QImage& picture, int left, int top);
    // Gives `control` its design name and place.
    template <class Control>
    static Control* Placed(Control* control, const char* name, QRect place)
    {
        control->setObjectName(name);
        control->setGeometry(place);
        return control;
    }

    void showEvent(QShowEvent* event) override;

private:
    bool activated_ = false;
};

} // namespace kx4
