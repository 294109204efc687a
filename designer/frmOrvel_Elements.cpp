// The element commands of the Edit menu: a new Button, Pilot, Slider or Text object in the lowest
// free slot of the current screen, and Clear Screen.
#include "designer/frmOrvel.h"

#include "data/modOrvel.h"
#include "designer/ElementDefaults.h"
#include "platform/Prompts.h"

#include <QAction>

namespace kx4 {

void frmOrvel::NewElement(ElementKind kind)
{
    const int slot = FindFreeSlot(m_, kind);
    if (slot < 0)
        prompts_.Message(MsgIcon::Information, NewCommandTitle(kind), AllUsedMessage(kind), MsgButtons::Ok);
    else
        PlaceNewElement(m_, kind, slot, ChosenSlot(m_, kind));
    // Also when every slot is used.
    MarkModified();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmOrvel::mnuNewButton_Click() { NewElement(ElementKind::Button); }
void frmOrvel::mnuNewPilot_Click() { NewElement(ElementKind::Pilot); }
void frmOrvel::mnuNewSlider_Click() { NewElement(ElementKind::Slider); }
void frmOrvel::mnuNewText_Click() { NewElement(ElementKind::Text); }

void frmOrvel::mnuClearScreen_Click()
{
    const std::string question = "Clear All Objects On Screen " + ScreenName(m_.CurScreen) + "?";
    if (prompts_.Message(MsgIcon::Question, "Clear Entire Screen", question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    m_.ClearScreenData();
    // The cleared screen differs from the file: Exit must ask before it is lost.
    MarkModified();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

} // namespace kx4
