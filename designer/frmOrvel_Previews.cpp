// The element previews of the main window: each slot's controls on the layout area, its row in the
// settings list and its tooltip.
#include "designer/frmOrvel.h"

#include "assets/Artwork.h"
#include "data/modOrvel.h"
#include "designer/LayoutArea.h"
#include "designer/PreviewTexts.h"
#include "designer/PreviewWidgets.h"
#include "designer/ScreenGeometry.h"

#include <QCheckBox>
#include <QPixmap>

namespace kx4 {
namespace {

QColor TextColorOf(int value) { return value == 0 ? QColor(0, 0, 0) : QColor(255, 255, 255); }

QFont CaptionFont(const QFont& current, int points, bool bold)
{
    QFont font = current;
    font.setFamily("Calibri");
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

// Shows `picture` at its own size; false (and the control hidden) when there is no picture.
bool ShowPicture(ElementView* view, const QImage* picture)
{
    if (!picture) {
        view->hide();
        return false;
    }
    view->SetBorder(false);
    view->setPixmap(QPixmap::fromImage(*picture));
    view->resize(picture->size());
    return true;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

void frmOrvel::UDButton(int iBNum)
{
    if (iBNum < 0 || iBNum >= kButtonCount)
        return;
    const auto i = static_cast<std::size_t>(iBNum);
    ElementView* face = imgPB[i];
    ElementView* caption = lblButton[i];
    const int type = m_.GetBtnType(iBNum);

    if (type == 0) {
        face->hide();
        caption->hide();
    } else {
        face->move(m_.GetBtnLeft(iBNum), m_.GetBtnTop(iBNum));
        const int image = m_.GetBtnImage(iBNum);
        if (image == 0) {
            // A touch area without a face: its stored size, outlined.
            face->clear();
            face->SetBorder(true);
            face->resize(m_.GetBtnWidth(iBNum), m_.GetBtnHeight(iBNum));
            face->show();
            caption->hide();
        } else if (!ShowPicture(face, ButtonFace(image))) {
            caption->hide();
        } else {
            face->show();
            caption->setText(Q(m_.GetBtnText(iBNum)));
            if (const auto style = ButtonCaptionStyle(m_.GetBtnSize(iBNum))) {
                caption->setFont(CaptionFont(caption->font(), style->points, false));
                m_.SetBtnTxtX(iBNum, style->insetTwips);
                m_.SetBtnTxtY(iBNum, style->insetTwips);
            }
            const int insetX = TwipsToPixels(m_.GetBtnTxtX(iBNum));
            const int insetY = TwipsToPixels(m_.GetBtnTxtY(iBNum));
            caption->setGeometry(face->x() + insetX, face->y() + insetY, face->width() - insetX, face->height() - insetY);
            caption->SetTextColor(TextColorOf(m_.GetBtnTextColor(iBNum)));
            caption->show();
        }
    }

    const RowText text = ButtonRowText(type, DeviceText(m_.GetBVAddress(), m_.GetBtnDevice(iBNum)), m_.GetBtnPassword(iBNum));
    lblBSettings[i]->setText(Q(text.row));
    face->setToolTip(Q(text.tooltip));
    caption->setToolTip(Q(text.tooltip));
    face->raise();
    caption->raise();
}

void frmOrvel::UDPilot(int iPNum)
{
    if (iPNum < 0 || iPNum >= kPilotCount)
        return;
    const auto i = static_cast<std::size_t>(iPNum);
    ElementView* icon = imgPilot[i];
    const int enabled = m_.GetPilotEnabled(iPNum);

    // A disabled pilot keeps its picture, place and size; only its visibility changes.
    if (ShowPicture(icon, PilotIconOn(m_.GetPilotIcon(iPNum)))) {
        icon->move(m_.GetPilotLeft(iPNum), m_.GetPilotTop(iPNum));
        icon->setVisible(enabled > 0);
    }

    const RowText text = PilotRowText(enabled, m_.GetPilotNum(iPNum), DeviceText(m_.GetBVAddress(), m_.GetPilotDevice(iPNum)));
    lblPSettings[i]->setText(Q(text.row));
    icon->setToolTip(Q(text.tooltip));
    icon->raise();
}

void frmOrvel::UDSlider(int iSNum)
{
    if (iSNum < 0 || iSNum >= kSliderCount)
        return;
    const auto i = static_cast<std::size_t>(iSNum);
    ElementView* slider = imgSlider[i];
    const int image = m_.GetSldImage(iSNum);

    if (image == 0) {
        slider->hide();
    } else if (ShowPicture(slider, SliderPicture(image))) {
        slider->move(m_.GetSldLeft(iSNum), m_.GetSldTop(iSNum));
        slider->show();
    }

    const RowText text = SliderRowText(image, m_.GetSldTrack(iSNum), DeviceText(m_.GetBVAddress(), m_.GetSldDevice(iSNum)));
    lblSSettings[i]->setText(Q(text.row));
    slider->setToolTip(Q(text.tooltip));
}

void frmOrvel::UDTitle(int iTNum)
{
    if (iTNum < 0 || iTNum >= kTextCount)
        return;
    const auto i = static_cast<std::size_t>(iTNum);
    ElementView* label = lblTextBox[i];
    ElementView* clock = imgClkCal[i];
    const int type = m_.GetTxtType(iTNum);

    // 1. Which control shows, and how the label looks.
    const auto box = [label](QColor background) {
        label->SetBorder(true);
        label->SetBackground(background);
    };
    if (type <= 12) {
        label->setVisible(type >= 1 && type <= 9);
        clock->setVisible(type >= 10);
    }
    switch (type) {
    case 1:
        label->SetBorder(false);
        label->SetBackground(chkHideTitleBG->isChecked() ? QColor(0xC0, 0xC0, 0xC0) : QColor());
        break;
    case 2: case 3: box(QColor(255, 255, 255)); break;
    case 4: case 7: box(QColor(0, 0, 255)); break;
    case 5: case 8: box(QColor(0, 255, 0)); break;
    case 6: case 9: box(QColor(0x80, 0x80, 0x80)); break;
    default: break;
    }

    // 2. Both controls stand at the text object's place.
    label->move(m_.GetTxtLeft(iTNum), m_.GetTxtTop(iTNum));
    clock->move(label->pos());

    // 3. Size and content.
    if (type >= 0 && type <= 3) {
        label->resize(m_.GetTxtWidth(iTNum), m_.GetTxtHeight(iTNum));
        label->setText(Q(m_.GetTxtText(iTNum)));
    } else if (type >= 4 && type <= 6) {
        label->resize(16, 221);
        label->clear();
    } else if (type >= 7 && type <= 9) {
        label->resize(20, 421);
        label->clear();
    } else if (type >= 10 && type <= 12) {
        ShowPicture(clock, ClockPicture(type, m_.GetTxtFontSize(iTNum), m_.GetTxtColor(iTNum)));
    }

    // 4. Font and colour.
    if (const auto font = TextFontOf(m_.GetTxtFontSize(iTNum)))
        label->setFont(CaptionFont(label->font(), font->points, font->bold));
    label->SetTextColor(TextColorOf(m_.GetTxtColor(iTNum)));

    // 5. The row; text objects have no tooltip.
    if (const auto row = TextRowText(type, DeviceText(m_.GetBVAddress(), m_.GetTxtSldDev(iTNum))))
        lblTSettings[i]->setText(Q(*row));
}

void frmOrvel::ClearHL()
{
    for (SettingsRow* row : lblBSettings)
        row->SetHighlight(false);
    for (SettingsRow* row : lblPSettings)
        row->SetHighlight(false);
    for (SettingsRow* row : lblSSettings)
        row->SetHighlight(false);
    for (SettingsRow* row : lblTSettings)
        row->SetHighlight(false);
}

} // namespace kx4
