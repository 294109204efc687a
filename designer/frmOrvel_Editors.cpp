// The rows of the settings lists: a click chooses the slot and opens its element dialog; the
// background button opens the background dialog.
#include "designer/frmOrvel.h"

#include "data/PanelSizes.h"
#include "data/modOrvel.h"
#include "designer/PreviewWidgets.h"
#include "editors/frmOrvelBGSel.h"
#include "editors/frmOrvelButton.h"
#include "editors/frmOrvelPilot.h"
#include "editors/frmOrvelSlider.h"
#include "editors/frmOrvelTextBox.h"
#include "platform/WindowPlace.h"

#include <QAction>
#include <QGroupBox>

namespace kx4 {
namespace {

// Every element dialog opens this far below the main window's top edge, twips.
constexpr int kDialogTop = 900;

} // namespace

void frmOrvel::ConnectRowClicks()
{
    const auto connectRows = [this](auto& rows, void (frmOrvel::*handler)(int)) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            connect(rows[i], &SettingsRow::clicked, this, [this, handler, i] { (this->*handler)(static_cast<int>(i)); });
    };
    connectRows(lblBSettings, &frmOrvel::lblBSettings_Click);
    connectRows(lblPSettings, &frmOrvel::lblPSettings_Click);
    connectRows(lblSSettings, &frmOrvel::lblSSettings_Click);
    connectRows(lblTSettings, &frmOrvel::lblTSettings_Click);
}

template <class Dialog>
void frmOrvel::OpenElementDialog(i16& selection, int Index)
{
    selection = static_cast<i16>(Index);
    ClearHL();
    m_.CurObj = static_cast<i16>(Index);
    Dialog dialog(m_, *this, prompts_, this);
    // Beside the layout, over the settings lists: the Buttons frame's left edge whichever list.
    PlaceWindow(dialog, {x() + frmButtons->x(), y() + TwipsToPixels(kDialogTop)}, display_);
    RunModal(dialog);
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::lblBSettings_Click(int Index) { OpenElementDialog<frmOrvelButton>(m_.SelButton, Index); }
void frmOrvel::lblPSettings_Click(int Index) { OpenElementDialog<frmOrvelPilot>(m_.SelPilot, Index); }
void frmOrvel::lblSSettings_Click(int Index) { OpenElementDialog<frmOrvelSlider>(m_.SelSlider, Index); }
void frmOrvel::lblTSettings_Click(int Index) { OpenElementDialog<frmOrvelTextBox>(m_.SelText, Index); }

void frmOrvel::cmdBGSel_Click()
{
    ClearHL();
    frmOrvelBGSel dialog(m_, *this, prompts_, paths_, this);
    // Right by the main window's left edge and down by 900 twips from where it stands when made.
    PlaceWindow(dialog, dialog.pos() + QPoint(x(), TwipsToPixels(kDialogTop)), display_);
    // The activation after the close redraws the screen with the background chosen.
    RunModal(dialog);
}

} // namespace kx4
