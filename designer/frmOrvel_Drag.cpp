// Drag-and-drop placement on the layout area: the rows lit while the pointer rests on an element,
// the drag that a press on an element starts, and the drop that stores the element's new place.
#include "designer/frmOrvel.h"

#include "data/modOrvel.h"
#include "designer/DropRules.h"
#include "designer/LayoutArea.h"
#include "designer/PreviewWidgets.h"
#include "designer/ScreenGeometry.h"
#include "platform/Prompts.h"

namespace kx4 {
namespace {

enum class Dragged { ButtonFace, ButtonCaption, Pilot, Slider, Text };

template <std::size_t N>
int SlotOf(const std::array<ElementView*, N>& controls, const QWidget* w)
{
    for (std::size_t i = 0; i < N; ++i)
        if (controls[i] == w)
            return static_cast<int>(i);
    return -1;
}

template <std::size_t N>
void Light(const std::array<SettingsRow*, N>& rows, int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < N)
        rows[static_cast<std::size_t>(index)]->SetHighlight(true);
}

void TakeGrab(modOrvel& m, double x, double y)
{
    m.GrabX = GrabOffset(x);
    m.GrabY = GrabOffset(y);
}

} // namespace

void frmOrvel::ConnectDragHandlers()
{
    dragOutline_ = new DragOutline(centralWidget());
    connect(dragOutline_, &DragOutline::released, this, &frmOrvel::DragReleased);

    using Handler = void (frmOrvel::*)(int, double, double);
    const auto hook = [this](const auto& controls, Handler onMove) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            ElementView* view = controls[i];
            const int index = static_cast<int>(i);
            connect(view, &ElementView::pointerMoved, this, [this, onMove, index](QPointF pos) {
                (this->*onMove)(index, pos.x() * kTwipsPerPixel, pos.y() * kTwipsPerPixel);
            });
            connect(view, &ElementView::dragStarted, this, [this, view](QPointF pos) { StartDrag(view, pos); });
        }
    };
    hook(imgPB, &frmOrvel::imgPB_MouseMove);
    hook(lblButton, &frmOrvel::lblButton_MouseMove);
    hook(imgPilot, &frmOrvel::imgPilot_MouseMove);
    hook(imgSlider, &frmOrvel::imgSlider_MouseMove);
    hook(lblTextBox, &frmOrvel::lblTextBox_MouseMove);
    hook(imgClkCal, &frmOrvel::imgClkCal_MouseMove);
    connect(picLayout, &LayoutArea::pointerMoved, this,
            [this](QPointF pos) { picLayout_MouseMove(pos.x() * kTwipsPerPixel, pos.y() * kTwipsPerPixel); });
}

// ------------------------------------------------------------------ pointer moves

void frmOrvel::imgPB_MouseMove(int Index, double X, double Y)
{
    TakeGrab(m_, X, Y);
    ClearHL();
    Light(lblBSettings, Index);
}

void frmOrvel::lblButton_MouseMove(int Index, double X, double Y) { imgPB_MouseMove(Index, X, Y); }

void frmOrvel::imgPilot_MouseMove(int Index, double X, double Y)
{
    TakeGrab(m_, X, Y);
    ClearHL();
    Light(lblPSettings, Index);
    // A linked pilot stands on its button: both rows are lit.
    if (Index >= 0 && Index < kButtonCount && m_.GetBtnLinked(Index) != 0)
        Light(lblBSettings, Index);
}

void frmOrvel::imgSlider_MouseMove(int Index, double X, double Y)
{
    TakeGrab(m_, X, Y);
    ClearHL();
    Light(lblSSettings, Index);
}

void frmOrvel::lblTextBox_MouseMove(int Index, double X, double Y)
{
    TakeGrab(m_, X, Y);
    ClearHL();
    Light(lblTSettings, Index);
}

void frmOrvel::imgClkCal_MouseMove(int Index, double X, double Y) { lblTextBox_MouseMove(Index, X, Y); }

void frmOrvel::picLayout_MouseMove(double X, double Y)
{
    TakeGrab(m_, X, Y);
    ClearHL();
}

// ------------------------------------------------------------------ drag and drop

void frmOrvel::StartDrag(QWidget* source, QPointF grab)
{
    if (dragOutline_->Dragging())
        return;
    // Where the button went down, not the last move: a press without a move leaves it in place.
    TakeGrab(m_, grab.x() * kTwipsPerPixel, grab.y() * kTwipsPerPixel);
    dragOutline_->Begin(source, grab);
}

void frmOrvel::DragReleased(QWidget* source, QPointF globalPos)
{
    // Only a release over the visible layout area or an element on it is a drop.
    QWidget* central = centralWidget();
    const QWidget* under = central->childAt(central->mapFromGlobal(globalPos).toPoint());
    if (!under || !(under == picLayout || picLayout->isAncestorOf(under)))
        return;
    // Whatever control lies under the pointer, the drop is at the same point of the layout area.
    const QPointF at = picLayout->Surface()->mapFromGlobal(globalPos);
    DropObj(source, 0, 0, at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
}

void frmOrvel::DropObj(QWidget* Source, int iXBase, int iYBase, double X, double Y)
{
    Dragged kind{};
    int slot = -1;
    const auto find = [&](const auto& controls, Dragged k) {
        if (slot >= 0)
            return;
        slot = SlotOf(controls, Source);
        kind = k;
    };
    find(imgPB, Dragged::ButtonFace);
    find(lblButton, Dragged::ButtonCaption);
    find(imgPilot, Dragged::Pilot);
    find(imgSlider, Dragged::Slider);
    find(lblTextBox, Dragged::Text);
    find(imgClkCal, Dragged::Text);
    if (slot < 0)
        return;

    if (kind == Dragged::ButtonCaption && !PlacementHintShown) {
        PlacementHintShown = true;
        prompts_.Message(MsgIcon::Information, "Button Placement",
                         "For ease of placement, drag buttons by the upper or left edges", MsgButtons::Ok);
    }

    // The caption stands at the button's inset from the button's corner.
    const bool caption = kind == Dragged::ButtonCaption;
    const DropPlace place = DropPosition(iXBase + X - m_.GrabX, iYBase + Y - m_.GrabY,
                                         caption ? m_.GetBtnTxtX(slot) : 0, caption ? m_.GetBtnTxtY(slot) : 0);
    if (place.refused) {
        ShowScreen();
        return;
    }

    switch (kind) {
    case Dragged::Pilot:
        m_.SetPilotLeft(slot, place.left);
        m_.SetPilotTop(slot, place.top);
        // A linked pilot carries its button.
        if (m_.GetBtnLinked(slot) > 0) {
            m_.SetBtnLeft(slot, place.left);
            m_.SetBtnTop(slot, place.top);
        }
        break;
    case Dragged::ButtonFace:
    case Dragged::ButtonCaption:
        m_.SetBtnLeft(slot, place.left);
        m_.SetBtnTop(slot, place.top);
        break;
    case Dragged::Slider:
        m_.SetSldLeft(slot, place.left);
        m_.SetSldTop(slot, place.top);
        break;
    case Dragged::Text:
        m_.SetTxtLeft(slot, place.left);
        m_.SetTxtTop(slot, place.top);
        break;
    }
    MarkModified();
    ShowScreen();
}

} // namespace kx4
