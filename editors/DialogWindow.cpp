#include "editors/DialogWindow.h"

#include "assets/Artwork.h"
#include "data/PanelSizes.h"
#include "platform/WindowText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace kx4 {
namespace {

const QColor kDialogBackColor(232, 232, 232);

} // namespace

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

PictureControl::PictureControl(QWidget* parent, const QString& name, const QImage& picture) : ClickLabel(parent)
{
    setObjectName(name);
    setPixmap(QPixmap::fromImage(picture));
    resize(picture.size());
}

DialogWindow::DialogWindow(QWidget* parent) : QDialog(parent)
{
    setFont(WindowFont());
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIcon())));
    FillBackground(*this, kDialogBackColor);
}

void DialogWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        // After the window is up, so that a message of the activation stands over it.
        QMetaObject::invokeMethod(this, &DialogWindow::Form_Activate, Qt::QueuedConnection);
    }
}

void DialogWindow::SetClientSize(int widthTwips, int heightTwips)
{
    setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

QLabel* DialogWindow::MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                                int height)
{
    auto* label = Placed(new QLabel(caption, parent), name, TwipsRect(left, top, width, height));
    label->setTextFormat(Qt::PlainText);
    // As high as the list beside it, the caption centred on the list's text.
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QComboBox* DialogWindow::MakeList(QWidget* parent, const char* name, int left, int top, int width)
{
    return Placed(new QComboBox(parent), name, TwipsRect(left, top, width, kListHeight));
}

QPushButton* DialogWindow::MakeButton(QWidget* parent, const char* name, const QString& caption, int left, int top,
                                      int width, int height)
{
    auto* button = Placed(new QPushButton(caption, parent), name, TwipsRect(left, top, width, height));
    // Enter in a text box must not press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox* DialogWindow::MakeCheck(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    return Placed(new QCheckBox(caption, parent), name, TwipsRect(left, top, width, kListHeight));
}

QLineEdit* DialogWindow::MakeTextBox(QWidget* parent, const char* name, int left, int top, int width)
{
    return Placed(new QLineEdit(parent), name, TwipsRect(left, top, width, kListHeight));
}

QGroupBox* DialogWindow::MakeFrame(const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* frame = Placed(new QGroupBox(caption, this), name, TwipsRect(left, top, width, height));
    CaptionOnLine(*frame);
    return frame;
}

PictureControl* DialogWindow::MakePicture(QWidget* parent, const QString& name, const QImage& picture, int left, int top)
{
    auto* control = new PictureControl(parent, name, picture);
    control->move(TwipsToPixels(left), TwipsToPixels(top));
    return control;
}

} // namespace kx4
